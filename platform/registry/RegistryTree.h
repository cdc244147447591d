#pragma once
// The registry's keys and values in memory (Registry.h): one tree per root. Children and values are
// found by their case-folded names and keep the spelling they were made with.
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The name a key or value is found by: the simple case folding of its characters (bytes that are not
// UTF-8 stay themselves).
std::u32string foldedRegistryName(std::string_view name);

// The system's bounds: a key name holds at most 255 characters, and keys nest at most 512 deep. They
// also keep a damaged file from building a tree too deep to walk.
constexpr std::size_t kRegistryNameLimit = 255;
constexpr std::size_t kRegistryDepthLimit = 512;

// True when the name can be a key name: 1 to 255 characters, no '\' and no control characters.
bool isValidRegistryKeyName(std::string_view name);

struct RegistryValue {
    std::string name;  // "" for the default value
    std::string data;
};

struct RegistryNode {
    std::string name;
    std::map<std::u32string, std::unique_ptr<RegistryNode>> children;
    std::map<std::u32string, RegistryValue> values;

    RegistryNode* child(std::string_view childName) const;
    // The child of that name, made when missing.
    RegistryNode& childOrNew(std::string_view childName);
    const RegistryValue* value(std::string_view valueName) const;
    void setValue(std::string_view valueName, std::string_view data);
    bool removeValue(std::string_view valueName);
    bool removeChild(std::string_view childName);
};

struct RegistryTree {
    RegistryNode classesRoot;
    RegistryNode currentUser;
};

}  // namespace platform

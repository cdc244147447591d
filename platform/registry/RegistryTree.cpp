#include "platform/registry/RegistryTree.h"

#include "platform/files/FileName.h"
#include "platform/text/TextCase.h"

namespace platform {

std::u32string foldedRegistryName(std::string_view name) {
    // The file-name mapping decodes UTF-8 and keeps every other byte as an escape unit, so two names
    // fold alike only when they are the same text up to case.
    const std::u16string units = fileNameFromBytes(name);
    std::u32string folded;
    folded.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t codePoint = units[i];
        const bool pair = codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                          units[i + 1] <= 0xDFFF;
        if (pair) codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (units[++i] - 0xDC00);
        folded.push_back(foldCase(codePoint));
    }
    return folded;
}

bool isValidRegistryKeyName(std::string_view name) {
    if (name.empty() || fileNameFromBytes(name).size() > kRegistryNameLimit) return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') return false;
    }
    return true;
}

RegistryNode* RegistryNode::child(std::string_view childName) const {
    const auto found = children.find(foldedRegistryName(childName));
    return found == children.end() ? nullptr : found->second.get();
}

RegistryNode& RegistryNode::childOrNew(std::string_view childName) {
    auto& slot = children[foldedRegistryName(childName)];
    if (!slot) {
        slot = std::make_unique<RegistryNode>();
        slot->name = childName;
    }
    return *slot;
}

const RegistryValue* RegistryNode::value(std::string_view valueName) const {
    const auto found = values.find(foldedRegistryName(valueName));
    return found == values.end() ? nullptr : &found->second;
}

void RegistryNode::setValue(std::string_view valueName, std::string_view data) {
    const std::u32string key = foldedRegistryName(valueName);
    const auto found = values.find(key);
    if (found != values.end()) {
        found->second.data = data;  // the first spelling of the name stays
        return;
    }
    values.emplace(key, RegistryValue{std::string(valueName), std::string(data)});
}

bool RegistryNode::removeValue(std::string_view valueName) {
    return values.erase(foldedRegistryName(valueName)) > 0;
}

bool RegistryNode::removeChild(std::string_view childName) {
    return children.erase(foldedRegistryName(childName)) > 0;
}

}  // namespace platform

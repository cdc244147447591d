#pragma once
// The program's registry: a small hierarchical store of keys with string values, standing in for the
// system registry that file-type registration and a few look-ups use. Two roots, HKEY_CLASSES_ROOT and
// HKEY_CURRENT_USER, each a tree of keys; a key holds a default value (the name "") and named values,
// all texts. Key and value names are compared without regard to case (simple Unicode case folding), as
// the system's are, and keep the spelling they were made with. Names and values are bytes (UTF-8).
//
// Key paths use '\' between names ("Vostrandimeko\shell\open\command"); empty names between separators
// are passed over. A key name may not hold a control character (below 0x20, or 0x7F).
//
// Results are the error numbers callers test for: 0 success, 2 a key or value that does not exist,
// 87 a name that cannot be a key name (RegistryTree.h), 8 no memory, otherwise the error of reading or
// writing the store's file (SystemError.h).
//
// The store in force is a file in the application-data folder (kRegistryFileName), read again whenever
// it changed on disk and written whole after every change, under a temporary name that then replaces
// the old file, so a crash never leaves half a file. Tests put a store in memory in force instead.
//
// The file (UTF-8 text, lines end in LF; a CR before it is dropped):
//
//   # comment lines and blank lines are ignored anywhere
//   vostrandimeko-registry 1                             <- the format line, before any other line
//   [HKEY_CLASSES_ROOT\.docx]                            <- a key: its root and path, up to the last ']'
//   @="Vostrandimeko"                                    <- the key's default value
//   "Content Type"="application/Vostrandimeko"           <- a named value
//   [HKEY_CLASSES_ROOT\Vostrandimeko\shell\open\command]
//   @="\"/usr/bin/vostrandimeko\" \"%1\""
//
// Inside quotes \\ is a backslash, \" a double quote, \n, \r and \t a line feed, carriage return and
// tab, and \xHH any byte; other bytes stand for themselves (no raw control characters). Blanks may
// stand around the '='. A damaged line is passed over and the rest is read: a value line that cannot
// be read is lost alone, a key line that cannot be read loses the values below it. A file whose first
// line is not the format line is read as empty. When a file had damage, the next write first keeps the
// old file beside the new one as "<name>.damaged", so nothing a user wrote is lost without a trace.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

constexpr const char* kRegistryFileName = "Vostrandimeko registry.txt";
constexpr std::string_view kRegistryFormatLine = "vostrandimeko-registry 1";

namespace error {
constexpr std::int16_t kRegistryBadName = 87;
}  // namespace error

enum class RegistryRoot : std::uint8_t { ClassesRoot, CurrentUser };

// A key named by its root and path. A plain value: nothing to close, and it may name a key that has
// been deleted since (operations on it then answer 2).
class RegistryKey {
public:
    static RegistryKey classesRoot() { return RegistryKey(RegistryRoot::ClassesRoot); }
    static RegistryKey currentUser() { return RegistryKey(RegistryRoot::CurrentUser); }

    RegistryRoot root() const { return rootKey; }
    // The names from the root down, as the caller spelt them.
    const std::vector<std::string>& path() const { return names; }
    // The key below this one at a relative path; answers 87 for a name that cannot be a key name.
    std::int16_t below(std::string_view subKey, RegistryKey& out) const;

private:
    explicit RegistryKey(RegistryRoot root) : rootKey(root) {}

    RegistryRoot rootKey;
    std::vector<std::string> names;
};

// Opens an existing key below parent (an empty subKey opens parent itself). 0 or 2.
std::int16_t registryOpenKey(const RegistryKey& parent, std::string_view subKey, RegistryKey& key);
// Opens the key, making it and every missing key above it.
std::int16_t registryCreateKey(const RegistryKey& parent, std::string_view subKey, RegistryKey& key);
// A value of the key; the name "" is the default value. 2 when the key or the value does not exist.
std::int16_t registryQueryValue(const RegistryKey& key, std::string_view valueName, std::string& data);
// Sets a value of an existing key, replacing one of the same name.
std::int16_t registrySetValue(const RegistryKey& key, std::string_view valueName, std::string_view data);
std::int16_t registryDeleteValue(const RegistryKey& key, std::string_view valueName);
// Deletes the key below parent with everything below it; an empty subKey deletes what parent holds
// (its values and keys) and keeps parent itself.
std::int16_t registryDeleteTree(const RegistryKey& parent, std::string_view subKey);

// The registry file in the application-data folder, as the default store reads it.
std::string defaultRegistryFilePath();
// Puts an empty store in memory in force, until the next call of one of these.
void useMemoryRegistry();
// Puts the store of one file in force (tests that look at the file).
void useRegistryFile(const std::string& path);
// Puts the default store back: the file in the application-data folder, wherever that folder is now.
void useDefaultRegistry();

}  // namespace platform

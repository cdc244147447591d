#pragma once
// Where the program's user-interface strings come from: the resource module in force. At start it is
// the program's own module, whose English string table is compiled in (resources/strings/english.txt);
// a language file (a string table of the same form, StringTableFormat.h) loaded at run time replaces
// it whole, and when loading fails the module in force stays. A string the module does not hold is
// the empty text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ResourceModule {
public:
    // An empty module: every id gives the empty text.
    ResourceModule() = default;

    // A module from string-table text; null, with the reason in *error, when the text is not a table.
    static std::shared_ptr<const ResourceModule> fromSource(std::string_view source, std::string* error);

    bool holds(std::uint16_t id) const;
    std::int32_t stringCount() const;
    // The whole text of a string; empty when the module does not hold the id.
    std::u16string_view text(std::uint16_t id) const;
    std::string_view utf8Text(std::uint16_t id) const;
    // The system's string loading: copies at most capacity - 1 units (bytes of UTF-8) of whole
    // characters and a 0 after them; answers the units (bytes) copied, 0 for a missing id.
    std::int32_t loadStringW(std::uint16_t id, char16_t* buffer, std::int32_t capacity) const;
    std::int32_t loadStringA(std::uint16_t id, char* buffer, std::int32_t capacity) const;

private:
    struct Entry {
        std::uint16_t id;
        std::u16string wide;
        std::string utf8;
    };
    const Entry* find(std::uint16_t id) const;

    std::vector<Entry> entries;  // sorted by id
};

// The program's own module (the compiled-in English table).
const ResourceModule& programResourceModule();
// The module every UI string is loaded from now.
const ResourceModule& resourceModule();
// Puts a module in force; null puts the program's own module back.
void setResourceModule(std::shared_ptr<const ResourceModule> module);

// The largest language file that is read.
constexpr std::size_t kLanguageFileMaximumBytes = 1 << 20;

// Reads a language file: a string table in which every text that the program's own module also holds
// has the same conversions ("%d", "%s", "%h", "%u", ... in the same order, with the same flags, widths
// and positions: FormatConversions.h), so that a translation can never make a formatter read a value
// as something it is not, and no width or precision above kLargestConversionWidth. Null, with the
// reason, when the file is missing, too large, not a table, or a text's conversions differ.
std::shared_ptr<const ResourceModule> loadLanguageModule(const std::string& path, std::string* error);
// Loads a language file and puts it in force; when loading fails, the module in force stays and the
// answer is false.
bool useLanguageModule(const std::string& path, std::string* error);

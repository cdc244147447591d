#pragma once
// The Mac single-byte charsets that the system's iconv does not know (MacGreek, MacArabic, MacHebrew),
// served from tables of our own. Bytes below 0x80 are ASCII in all of them; the tables give the upper half.
// The tables are compiled in from resources/charsets/ at build time (cmake/MacCharsetTables.cmake).
#include <cstddef>
#include <cstdint>

namespace platform {

struct MacCharsetTable {
    struct WrittenAs {
        char16_t unit;
        std::uint8_t byte;
    };

    const char* name;
    char16_t upperHalf[128];  // what the bytes 0x80 to 0xFF read as
    // The characters written as upper-half bytes, sorted by character. A byte marked decode-only in the
    // table (it reads as a character whose own byte is another one) is not among them.
    WrittenAs written[128];
    std::size_t writtenCount;
};

extern const MacCharsetTable kMacCharsetTables[];
extern const std::size_t kMacCharsetTableCount;

// The table of a charset name, ignoring case; null when we have none.
const MacCharsetTable* findMacCharsetTable(const char* name);

// The UTF-16 unit a byte reads as; every byte has one.
char16_t decodeMacByte(const MacCharsetTable& table, std::uint8_t byte);

// The byte a UTF-16 unit is written as; false when the charset has no form for it.
bool encodeMacUnit(const MacCharsetTable& table, char16_t unit, std::uint8_t* byte);

}  // namespace platform

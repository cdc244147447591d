#pragma once
// The records the language tables keep: one per language section of "characters.map" and one per
// line of "characters.exp" and "characters.blk". Texts are NUL-terminated and cut to their fields; a
// script tag is the four bytes as written in the file, without a NUL.
#include <cstdint>
#include <type_traits>

constexpr int kLanguageNameSize = 8;          // at most 7 characters and the NUL
constexpr int kLanguageDescriptionSize = 64;  // at most 63 characters
constexpr int kScriptTagSize = 4;
constexpr int kScriptNameSize = 24;  // at most 23 characters
constexpr int kScriptEntryCount = 4;
constexpr int kRangeNameSize = 64;  // at most 63 characters

// Block encoding whose answer depends on the language (the Han, Kana and Hangul blocks).
constexpr std::int32_t kEncodingByLanguage = 0xFFFF;

struct ScriptEntry {
    char tag[kScriptTagSize];
    char name[kScriptNameSize];
};

struct LanguageRecord {
    char name[kLanguageNameSize];
    char description[kLanguageDescriptionSize];
    std::uint16_t languageId;  // 0 when the section gives none
    ScriptEntry scripts[kScriptEntryCount];  // the first is the language's own script
};

struct RangeRecord {
    std::uint32_t low;
    std::uint32_t high;  // equal to low for a single character
    char name[kRangeNameSize];
    std::int32_t textEncoding;  // a text-encoding code, or kEncodingByLanguage
};

static_assert(std::is_trivially_copyable_v<LanguageRecord>);
static_assert(std::is_trivially_copyable_v<RangeRecord>);

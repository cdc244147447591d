#include "model/params/LanguageEncoding.h"

namespace {

struct LanguageEncodingEntry {
    std::int16_t languageId;
    std::uint32_t encoding;
};

constexpr std::uint32_t kWindowsLatin1 = 1280;

constexpr LanguageEncodingEntry kLanguageEncodings[] = {
    {1025, 1286},  // Arabic: Windows Arabic
    {1026, 1281},  // Bulgarian, Czech, Hungarian, Polish, Romanian, Croatian, Slovak, Serbian (Latin):
    {1029, 1281},  // Windows Latin 2
    {1038, 1281},
    {1045, 1281},
    {1048, 1281},
    {1050, 1281},
    {1051, 1281},
    {2074, 1281},
    {1028, 1059},  // Chinese (Taiwan): traditional Chinese
    {1032, 1283},  // Greek: Windows Greek
    {1037, 1285},  // Hebrew: Windows Hebrew
    {1039, 1046},  // Icelandic
    {1041, 1056},  // Japanese
    {1042, 1058},  // Korean
    {1049, 1282},  // Russian: Windows Cyrillic
    {1054, 1053},  // Thai
    {1055, 1284},  // Turkish: Windows Turkish
    {1065, 140},   // Farsi
    {2052, 1057},  // Chinese (PRC): simplified Chinese
};

}  // namespace

std::uint32_t languageEncoding(std::int32_t languageId) {
    const auto id = static_cast<std::int16_t>(languageId);
    for (const LanguageEncodingEntry& entry : kLanguageEncodings)
        if (entry.languageId == id) return entry.encoding;
    return kWindowsLatin1;
}

#include "engine/translators/ForeignTypes.h"

#include <strings.h>

#include <cstdint>
#include <cstring>

#include "foundation/encoding/CharsetText.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/TextFormat.h"

namespace {

struct ForeignType {
    const char* extension;
    std::uint16_t mainId;
    std::uint16_t detailId;  // 0: the main text takes no value
};

// 10121 "it is %s, and Vostrandimeko opens only docx or xlsx files" with the kind of file as %s.
constexpr ForeignType kForeignTypes[] = {
    {"doc", 10122, 0},      {"docx", 10123, 0},     {"dmg", 10121, 10124}, {"exe", 10121, 10125},
    {"pdf", 10121, 10126},  {"ppt", 10121, 10127},  {"pptx", 10121, 10128}, {"sit", 10121, 10129},
    {"xls", 10121, 10130},  {"xlsx", 10121, 10131}, {"wpd", 10121, 10132}, {"zip", 10121, 10133},
};

}  // namespace

const char* foreignTypeText(const PascalWString& fileName) {
    static char answer[512];
    char name[512];
    uniPascalToText(fileName, name);
    const char* dot = std::strrchr(name, '.');
    if (dot == nullptr) return nullptr;
    for (const ForeignType& type : kForeignTypes) {
        if (strcasecmp(dot + 1, type.extension) != 0) continue;
        if (type.detailId == 0) return formatResource(answer, type.mainId);
        char detail[kLoadStringSize];
        loadText(detail, type.detailId);
        return formatResource(answer, type.mainId, detail);
    }
    return nullptr;
}

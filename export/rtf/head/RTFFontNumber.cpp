#include "export/rtf/head/RTFFontNumber.h"


#include "foundation/language/CLanguage.h"
#include "model/params/ParamBlockTables.h"

namespace {

struct LanguageCharset {
    std::int16_t language;
    std::int16_t charset;
};

constexpr LanguageCharset kLanguageCharsets[] = {
    {29, 238},   {1025, 178}, {1028, 136}, {1032, 161}, {1037, 177},
    {1041, 128}, {1042, 129}, {1049, 204}, {1054, 222}, {2052, 134},
};

}  // namespace

std::int16_t rtfFontNumber(std::int16_t language, std::int16_t fontId, const XParamBlock& block) {
    if (const XFont* font = getFont(fontId, &block)) return font->fontRTFNumber;
    CLanguage* tables = languageTables();
    if (tables == nullptr) return 0;
    return static_cast<std::int16_t>(tables->zeroAnswer1(language));
}

std::int16_t rtfCharsetForLanguage(std::int16_t language) {
    for (const LanguageCharset& entry : kLanguageCharsets)
        if (entry.language == language) return entry.charset;
    return 0;
}

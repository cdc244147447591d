// The start of a paragraph in the RTF body: its list number, "\pard", table membership, paragraph style
// and every paragraph property, stated in full once, before the paragraph's first run. Stated again
// between runs, they would end the line there for readers (after an inline picture, for one).
#include <cstring>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "export/rtf/head/RTFLevelFollow.h"
#include "export/rtf/text/RTFCharacterPropertyChanges.h"
#include "export/rtf/text/RTFParagraphProperties.h"
#include "export/rtf/text/RTFParagraphPropertyChanges.h"
#include "foundation/language/CLanguage.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "model/records/paragraph/XRule.h"

void CRTFFile::writeListText(const XRule& rule) {
    const XLevel& level = rule.level;
    if (level.ls == 0 || level.text == nullptr || level.textLength == 0) return;
    const XListDef* definition = findListDefForOverride(level.ls, block);
    if (definition == nullptr) return;
    const XListLevel& listLevel = definition->levels[level.ilvl >= 0 && level.ilvl < kListLevels ? level.ilvl : 0];
    writeFormat("{\\listtext\\pard");
    if (strnlen(definition->listStyleId, sizeof definition->listStyleId) == 0) writeFormat("\\plain");
    // The level's own formatting of its number; the blank ends the last control word.
    writeRTFCharacterProps(*this, *block, listLevel.levelForm);
    writeRTFParagraphProps(*this, *block, listLevel.levelRule);
    writeFormat(" ");
    const std::size_t fontNameLength = strnlen(level.font, sizeof level.font);
    if (fontNameLength > 0) {
        const std::string fontName(level.font, fontNameLength);
        const std::int16_t fontId = addFontByName(fontName.c_str(), block);
        // A font met here for the first time gets its number in the font table the head writes.
        numberFonts(block);
        if (const XFont* font = getFont(fontId, block); font != nullptr && fontId != 0)
            writeFormat("\\f%d ", font->fontRTFNumber);
    }
    // The number text is at most a list level's text; the run layer cuts longer texts.
    const auto length = static_cast<std::int32_t>(level.textLength > 0x7FFF ? 0x7FFF : level.textLength);
    writeText(level.text, length, kEncodingWindowsLatin1);
    const std::int16_t follow = rtfLevelFollow(listLevel.levelFollow);
    if (follow == kRTFFollowTab) writeFormat("\\tab");
    if (follow == kRTFFollowSpace) writeFormat(" ");
    writeFormat("}");
    listTextDue = 0;
}

void CRTFFile::writeParagraphProps(const XRule& rule, std::int16_t flags) {
    if (flags == 0) {
        if (listTextDue == 1) writeListText(rule);
        writeFormat("\\pard");
        if (rule.cellOfRow == 1) writeFormat("\\intbl\\itap%d", placer->tableDepth());
        if (rule.styleTag != -1) writeFormat("\\s%d", rule.styleTag - 1);
    }
    writeRTFParagraphProperties(*this, *block, rule);
    writeFormat(" ");
}

void CRTFFile::endParagraph() {}

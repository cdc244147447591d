#include "export/ListLabel.h"

#include "export/rtf/head/RTFLevelFollow.h"
#include "foundation/FailureCode.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "model/records/paragraph/XRule.h"
#include "model/story/StoryKinds.h"
#include "model/tables/ListRecords.h"

namespace {
constexpr const char* kUnit = "BL_TEXT(exp)";
// A number text longer than this is no list number: it is cut, as the RTF writer cuts it.
constexpr std::int32_t kLongestLabel = 0x7FFF;

// Number formats, as the list table codes them.
constexpr std::int16_t kUpperRoman = 1;
constexpr std::int16_t kLowerRoman = 2;
constexpr std::int16_t kUpperLetter = 3;
constexpr std::int16_t kLowerLetter = 4;
constexpr std::int16_t kDecimalZero = 22;
constexpr std::int16_t kBullet = 23;
constexpr std::int16_t kNoNumber = 255;

bool endsParagraph(std::int32_t unit) {
    return unit == storycode::kParagraphEnd || unit == storycode::kCellEnd || unit == storycode::kSectionBreak;
}

std::u16string decimal(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string roman(std::int32_t value, bool upper) {
    // Roman numerals stop at 3999; past that (and below 1) the number is written in decimal.
    if (value < 1 || value > 3999) return decimal(value);
    static const struct {
        std::int32_t amount;
        const char* letters;
    } kSteps[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
                  {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    std::u16string text;
    for (const auto& step : kSteps) {
        for (; value >= step.amount; value -= step.amount)
            for (const char* letter = step.letters; *letter != '\0'; ++letter)
                text.push_back(static_cast<char16_t>(upper ? *letter - 'a' + 'A' : *letter));
    }
    return text;
}

// a … z, then aa … zz, and so on: the letter repeats once more each round.
std::u16string letters(std::int32_t value, bool upper) {
    if (value < 1) return decimal(value);
    const std::int32_t rounds = (value - 1) / 26 + 1;
    if (rounds > kLongestLabel) return decimal(value);
    const auto letter = static_cast<char16_t>((upper ? u'A' : u'a') + (value - 1) % 26);
    return std::u16string(static_cast<std::size_t>(rounds), letter);
}

std::u16string formatted(std::int32_t value, std::int16_t format) {
    switch (format) {
        case kUpperRoman: return roman(value, true);
        case kLowerRoman: return roman(value, false);
        case kUpperLetter: return letters(value, true);
        case kLowerLetter: return letters(value, false);
        case kDecimalZero: return value >= 0 && value < 10 ? std::u16string(1, u'0') + decimal(value) : decimal(value);
        case kNoNumber: return {};
        default: return decimal(value);
    }
}

// The character a bullet from a symbol font (its code in U+F000 to U+F0FF) or the hollow "o" shows.
char16_t shownBullet(char16_t unit) {
    switch (unit) {
        case 0xF0B7: return u'\u2022';  // Symbol's bullet
        case 0xF0A7: return u'\u25AA';  // Wingdings' small square
        case 0xF0A8: return u'\u25FB';  // Wingdings' square frame
        case 0xF0D8: return u'\u27A2';  // Wingdings' arrowhead
        case 0xF0FC: return u'\u2713';  // Wingdings' check mark
        case 0xF076: return u'\u2756';  // Wingdings' diamond of four
        case u'o': return u'\u25E6';    // the hollow bullet, a letter of a plain font
        default: return unit >= 0xF000 && unit <= 0xF0FF ? u'\u2022' : unit;
    }
}

const XListLevel& levelOf(const XListDef& definition, std::int32_t level) {
    return definition.levels[level >= 0 && level < kListLevels ? level : 0];
}
}  // namespace

void ListLabel::reset() {
    due = true;
    lists.clear();
}

ListLabel::Counts& ListLabel::count(std::int32_t list, std::int32_t level, const XListDef& definition) {
    Counts& counts = lists[list];
    if (counts.started[level]) {
        if (counts.value[level] < INT32_MAX) ++counts.value[level];
    } else {
        counts.value[level] = levelOf(definition, level).levelStartAt;
        counts.started[level] = true;
    }
    for (std::int32_t deeper = level + 1; deeper < kListLevels; ++deeper) counts.started[deeper] = false;
    return counts;
}

std::u16string ListLabel::numberText(const XListDef& definition, std::int32_t level, const Counts& counts) {
    const XListLevel& own = levelOf(definition, level);
    if (own.levelText == nullptr || own.levelTextLength <= 0) return {};
    const std::u16string_view text(own.levelText,
                                   static_cast<std::size_t>(own.levelTextLength > kLongestLabel ? kLongestLabel
                                                                                                 : own.levelTextLength));
    std::u16string label;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (unit == u'%' && at + 1 < text.size() && text[at + 1] >= u'1' && text[at + 1] <= u'9') {
            const std::int32_t other = text[++at] - u'1';
            const XListLevel& otherLevel = levelOf(definition, other);
            const std::int32_t value = counts.started[other] ? counts.value[other] : otherLevel.levelStartAt;
            label += formatted(value, otherLevel.levelNfc);
        } else {
            label.push_back(own.levelNfc == kBullet ? shownBullet(unit) : unit);
        }
    }
    return label;
}

std::u16string ListLabel::labelBefore(const XRule& rule, const XParamBlock& block, std::int32_t lastUnit) {
    const bool starts = due;
    due = endsParagraph(lastUnit);
    const XLevel& level = rule.level;
    if (!starts || level.ls == 0) return {};
    const XListDef* definition = findListDefByName(findListDefForOverride(level.ls, &block), &block);
    if (definition == nullptr) return {};
    const std::int32_t ilvl = level.ilvl >= 0 && level.ilvl < kListLevels ? level.ilvl : 0;
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        const Counts& counts = count(level.ls, ilvl, *definition);
        std::u16string label =
            level.text != nullptr && level.textLength > 0
                ? std::u16string(level.text, level.textLength > kLongestLabel ? kLongestLabel : level.textLength)
                : numberText(*definition, ilvl, counts);
        if (label.empty()) return label;
        const std::int16_t follow = rtfLevelFollow(levelOf(*definition, ilvl).levelFollow);
        if (follow == kRTFFollowTab) label.push_back(u'\t');
        if (follow == kRTFFollowSpace) label.push_back(u' ');
        return label;
    });
}

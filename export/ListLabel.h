#pragma once
// A paragraph's list number or bullet as a reader sees it in front of the paragraph's text, then what
// the level puts after it (a tab, a blank or nothing). The text writers write it at the first run of
// each paragraph.
//
// The number is counted here, list by list: a paragraph at a level counts on from the last paragraph
// of that list at that level (from the level's start value at first), and starts the deeper levels
// over. The level text's "%1" to "%9" stand for the counts of levels 1 to 9 in their levels' number
// formats (decimal, Roman numerals, letters, zero-padded; other formats count in decimal). A number
// text the document brings ready-made (Word 2003's) is used as it stands. A bullet drawn from a symbol
// font becomes the character it shows ("•", "▪", "◦" …): its code in the symbol font means nothing in
// text.
#include <array>
#include <cstdint>
#include <map>
#include <string>

struct XListDef;
struct XParamBlock;
struct XRule;

class ListLabel {
public:
    // A story starts at a paragraph's start; its lists count from their start.
    void reset();
    // The label for the run with this paragraph record, or "" when the run does not start a paragraph
    // or the paragraph has no list number. lastUnit: the run's last unit, which tells whether the next
    // run starts a paragraph.
    std::u16string labelBefore(const XRule& rule, const XParamBlock& block, std::int32_t lastUnit);

private:
    struct Counts {
        std::array<std::int32_t, 9> value{};
        std::array<bool, 9> started{};
    };
    Counts& count(std::int32_t list, std::int32_t level, const XListDef& definition);
    static std::u16string numberText(const XListDef& definition, std::int32_t level, const Counts& counts);

    bool due = true;
    std::map<std::int32_t, Counts> lists;  // by list number
};

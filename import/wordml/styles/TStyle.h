#pragma once
// One style of a WordprocessingML style sheet, one conditional part of a table style (its first row,
// its bands, a corner cell ...), or the document defaults: the records the style states (character,
// paragraph and section formatting; a table style's table, row and cell properties sit in the row set
// of its paragraph record), its identifiers and its flags. Each record marks in its change bits the
// fields the style sets, so that the chain merges copy only those.
//
// The property readers take a style (or a list level) as the owner of a w:pPr: the w:rPr and w:sectPr
// inside it go to the owner's character and section records.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

// Style types of the "type" attribute.
namespace styletype {
constexpr std::int16_t kUnknown = 0;
constexpr std::int16_t kParagraph = 2;
constexpr std::int16_t kCharacter = 3;
constexpr std::int16_t kTable = 4;
constexpr std::int16_t kNumbering = 5;
}  // namespace styletype

// Style flags: one bit per flag element of a style.
namespace styleflag {
constexpr std::uint32_t kAutoRedefine = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSemiHidden = 0x4;
constexpr std::uint32_t kLocked = 0x8;
constexpr std::uint32_t kPersonal = 0x10;
constexpr std::uint32_t kPersonalCompose = 0x20;
constexpr std::uint32_t kPersonalReply = 0x40;
constexpr std::uint32_t kQuickFormat = 0x80;
constexpr std::uint32_t kUnhideWhenUsed = 0x100;
}  // namespace styleflag

// The conditional parts of a table style. The bits 0x1 to 0x800 are those a cell's conditional-format
// mask selects; the whole-table part is kept but never selected.
namespace tablepart {
constexpr std::int16_t kFirstRow = 0x1;
constexpr std::int16_t kLastRow = 0x2;
constexpr std::int16_t kFirstColumn = 0x4;
constexpr std::int16_t kLastColumn = 0x8;
constexpr std::int16_t kBand1Vertical = 0x10;
constexpr std::int16_t kBand2Vertical = 0x20;
constexpr std::int16_t kBand1Horizontal = 0x40;
constexpr std::int16_t kBand2Horizontal = 0x80;
constexpr std::int16_t kNorthEastCell = 0x100;
constexpr std::int16_t kNorthWestCell = 0x200;
constexpr std::int16_t kSouthEastCell = 0x400;
constexpr std::int16_t kSouthWestCell = 0x800;
constexpr std::int16_t kWholeTable = 0x1000;
// A table style keeps at most this many parts.
constexpr std::size_t kMaxParts = 8;
}  // namespace tablepart

// The part kind of a w:tblStylePr "type" (names compared by the name rule); 0 for any other value.
std::int16_t tableStylePartKind(const char* type);

struct TStyle;

// The conditional parts of one table style, in document order; it owns them.
class TStyleList {
public:
    // Appends while fewer than tablepart::kMaxParts are held; a further part is dropped.
    void addPart(std::unique_ptr<TStyle> part);
    // The part at a 0-based position; null outside the list.
    TStyle* partAt(std::size_t position) const;
    // The first part of the kind; null when none.
    TStyle* findPart(std::int16_t kind) const;
    std::size_t count() const { return parts.size(); }

private:
    std::vector<std::unique_ptr<TStyle>> parts;
};

struct TStyle {
    // Records at their starting values (the section record with the 8.5 x 11 inch page), no texts.
    explicit TStyle(std::int16_t partKind = 0);

    TStyleList parts;            // a table style's conditional parts; empty for other styles
    std::int16_t partKind = 0;   // the part bit of a conditional part; 0 otherwise
    std::int16_t type = styletype::kUnknown;
    std::int16_t isDefault = 0;  // 1: the default style of its type
    XForm form{};
    XRule rule{};
    XPage page{};
    std::string styleId;  // the key of every look-up; empty when the style has none
    std::string name;
    std::string basedOn;  // each empty when not given
    std::string next;
    std::string link;
    std::int32_t index = 0;  // 1-based place in the style sheet; 0 for parts and the defaults
    std::int32_t uiPriority = 0;
    std::uint32_t flags = 0;
};

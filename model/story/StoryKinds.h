#pragma once
// The kinds of story a storage holds and the names of their elements. A story element is named after
// its kind and its mark: "footnoteStory0012" for mark 12, or the bare kind name ("tableStory") for
// mark -1, so several unmarked stories of one kind share a name and are told apart by their
// "StoryName" or "StoryMark" attribute.
//
// These kind numbers are the storage's own; the engines number their requests differently and map
// onto these (the import engine passes header 1 ... table 9, main 10).
#include <cstdint>

namespace storykind {
constexpr std::int16_t kNull = 0;
constexpr std::int16_t kHeader = 1;
constexpr std::int16_t kFooter = 2;
constexpr std::int16_t kField = 3;
constexpr std::int16_t kComment = 4;
constexpr std::int16_t kBookmark = 5;
constexpr std::int16_t kFootnote = 6;
constexpr std::int16_t kEndnote = 7;
constexpr std::int16_t kGraphic = 8;
constexpr std::int16_t kTable = 9;
constexpr std::int16_t kMain = 10;
constexpr std::int16_t kCount = 11;
}  // namespace storykind

// The element names of the kinds, indexed by kind.
extern const char* const storyKindNames[storykind::kCount];

// Room for the longest element name: a kind name and a mark of eleven characters.
constexpr int kStoryElementNameBytes = 32;
// The name of the story element of a kind and mark ("%s%04d", or "%s" for mark -1). A kind outside
// 0 to 10 raises CFail 22 in unit "BStory". Answers name.
char* storyElementName(char (&name)[kStoryElementNameBytes], std::int16_t kind, std::int32_t mark);

// The story text's control codes: units 1 to 31 stand for things that are not text. Tab and paragraph
// end are ordinary text; every other code becomes an anchor of its character run.
namespace storycode {
constexpr char16_t kPicture = 1;
constexpr char16_t kFootnoteMark = 2;
constexpr char16_t kEndnoteMark = 3;
constexpr char16_t kMergeBreak = 4;
constexpr char16_t kLineBreak = 5;
constexpr char16_t kColumnBreak = 6;
constexpr char16_t kPageBreak = 7;
constexpr char16_t kSectionBreak = 8;
constexpr char16_t kTab = 9;
constexpr char16_t kTable = 10;
constexpr char16_t kHeader = 11;
constexpr char16_t kFooter = 12;
constexpr char16_t kParagraphEnd = 13;
constexpr char16_t kComment = 14;
constexpr char16_t kBookmark = 15;
constexpr char16_t kCellEnd = 16;
constexpr char16_t kGraphic = 17;
constexpr char16_t kOptionalHyphen = 18;
constexpr char16_t kNonBreakingHyphen = 19;
constexpr char16_t kFieldStart = 20;
constexpr char16_t kFieldSeparator = 21;
constexpr char16_t kFieldEnd = 22;
constexpr char16_t kFootnoteReference = 23;
constexpr char16_t kEndnoteReference = 24;
constexpr char16_t kSpecialCharacter = 25;
constexpr char16_t kTableStart = 26;
constexpr char16_t kTableEnd = 27;
constexpr char16_t kLastControl = 31;

constexpr bool isControl(char16_t unit) {
    return unit >= 1 && unit <= kLastControl;
}
// The anchor of a run: the code in the high 16 bits, the anchor id in the low 16 bits.
constexpr std::int32_t anchor(char16_t code, std::int32_t id) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(code) << 16) | (static_cast<std::uint32_t>(id) & 0xFFFFu));
}
}  // namespace storycode

#include "import/wordml/properties/PropertyMerges.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "foundation/FieldMask.h"
#include "model/records/RecordTables.h"

namespace {

constexpr int kFaceBit = 13;
constexpr int kFaceComplexBit = 14;
constexpr int kRowsCellsBit = 53;
constexpr int kFirstCellBit = 33;
constexpr int kLastCellBit = 51;

bool listed(int bit, std::initializer_list<int> bits) {
    for (const int each : bits) {
        if (each == bit) return true;
    }
    return false;
}

// Copies the rows of a record table whose bits lie in [first, last] and are marked in the source,
// except the excluded ones, and marks them in the target. The change mask is each record's first member.
template <typename Record>
void mergeByTable(const RecordTable& table, Record* target, const Record* source, int first, int last,
                  std::initializer_list<int> excluded) {
    // Most sources (a style's section or paragraph part) mark nothing: the table is not walked for them.
    bool anyMarked = false;
    for (int bit = first; bit <= last && !anyMarked; ++bit) anyMarked = testMaskBit(source->changeBits, bit) == 1;
    if (!anyMarked) return;
    for (const FieldSpec& field : table.fields) {
        if (field.bit == kAlways || field.bit < first || field.bit > last || listed(field.bit, excluded)) continue;
        if (testMaskBit(source->changeBits, field.bit) != 1) continue;
        std::memcpy(fieldAddress(field, target), fieldAddress(field, source), field.size);
        setMaskBit(target->changeBits, field.bit);
    }
}

struct MemberSpan {
    int bit;
    std::size_t offset;
    std::size_t size;
};

#define VDK_ROWS_MEMBER(bit, member) MemberSpan{bit, offsetof(XRows, member), sizeof(XRows::member)}
#define VDK_ROWS_SIDE(bit, member, side) \
    MemberSpan{bit, offsetof(XRows, member) + offsetof(decltype(XRows::member), side), sizeof(decltype(XRows::member)::side)}
#define VDK_CELL_MEMBER(bit, member) MemberSpan{bit, offsetof(XRow, member), sizeof(XRow::member)}
#define VDK_CELL_SIDE(bit, member, side) \
    MemberSpan{bit, offsetof(XRow, member) + offsetof(decltype(XRow::member), side), sizeof(decltype(XRow::member)::side)}

// The row set's own fields by bit; borders and margins one bit per side, in memory order.
constexpr MemberSpan kRowsMembers[] = {
    VDK_ROWS_MEMBER(0, styleTag),
    VDK_ROWS_MEMBER(1, grid),
    VDK_ROWS_MEMBER(2, tblpPr),
    VDK_ROWS_MEMBER(3, tblOverlap),
    VDK_ROWS_MEMBER(4, tblRtl),
    VDK_ROWS_MEMBER(5, bidiVisual),
    VDK_ROWS_MEMBER(6, tblStyleRowBandSize),
    VDK_ROWS_MEMBER(7, tblStyleColBandSize),
    VDK_ROWS_MEMBER(8, tblW),
    VDK_ROWS_MEMBER(9, jc),
    VDK_ROWS_MEMBER(10, tblCellSpacing),
    VDK_ROWS_MEMBER(11, tblInd),
    VDK_ROWS_SIDE(12, tblBorders, top),
    VDK_ROWS_SIDE(13, tblBorders, left),
    VDK_ROWS_SIDE(14, tblBorders, bottom),
    VDK_ROWS_SIDE(15, tblBorders, right),
    VDK_ROWS_SIDE(16, tblBorders, insideH),
    VDK_ROWS_SIDE(17, tblBorders, insideV),
    VDK_ROWS_MEMBER(18, shd),
    VDK_ROWS_MEMBER(19, tblLayout),
    VDK_ROWS_SIDE(20, tblCellMar, top),
    VDK_ROWS_SIDE(21, tblCellMar, left),
    VDK_ROWS_SIDE(22, tblCellMar, bottom),
    VDK_ROWS_SIDE(23, tblCellMar, right),
    VDK_ROWS_MEMBER(24, tblLook),
    VDK_ROWS_MEMBER(25, divId),
    VDK_ROWS_MEMBER(26, gridBefore),
    VDK_ROWS_MEMBER(27, gridAfter),
    VDK_ROWS_MEMBER(28, wBefore),
    VDK_ROWS_MEMBER(29, wAfter),
    VDK_ROWS_MEMBER(30, cantSplit),
    VDK_ROWS_MEMBER(31, trHeight),
    VDK_ROWS_MEMBER(32, tblHeader),
    VDK_ROWS_MEMBER(52, rows),
    VDK_ROWS_MEMBER(kRowsCellsBit, cells),
};

// A cell's fields by the bit of its row set that governs them.
constexpr MemberSpan kCellMembers[] = {
    VDK_CELL_MEMBER(33, tcW),
    VDK_CELL_MEMBER(34, gridSpan),
    VDK_CELL_MEMBER(35, hmerge),
    VDK_CELL_MEMBER(36, vmerge),
    VDK_CELL_SIDE(37, tcBorders, top),
    VDK_CELL_SIDE(38, tcBorders, left),
    VDK_CELL_SIDE(39, tcBorders, bottom),
    VDK_CELL_SIDE(40, tcBorders, right),
    VDK_CELL_SIDE(41, tcBorders, insideH),
    VDK_CELL_SIDE(42, tcBorders, insideV),
    VDK_CELL_MEMBER(43, shd),
    VDK_CELL_MEMBER(44, noWrap),
    VDK_CELL_SIDE(45, tcMar, top),
    VDK_CELL_SIDE(46, tcMar, left),
    VDK_CELL_SIDE(47, tcMar, bottom),
    VDK_CELL_SIDE(48, tcMar, right),
    VDK_CELL_MEMBER(49, textFlow),
    VDK_CELL_MEMBER(50, tcFitText),
    VDK_CELL_MEMBER(51, vAlign),
};

#undef VDK_ROWS_MEMBER
#undef VDK_ROWS_SIDE
#undef VDK_CELL_MEMBER
#undef VDK_CELL_SIDE

void copySpan(const MemberSpan& span, void* target, const void* source) {
    std::memcpy(static_cast<unsigned char*>(target) + span.offset, static_cast<const unsigned char*>(source) + span.offset,
                span.size);
}

}  // namespace

void mergeProperties(XPage* target, const XPage* source) {
    mergeByTable(kXPageTable, target, source, 0, 41, {});
}

void mergeRuleProperties(XRule* target, const XRule* source) {
    mergeByTable(kXRuleTable, target, source, 0, 45, {});
}

void mergeFormProperties(XForm* target, const XForm* source, FaceMerge faceMode) {
    const std::uint32_t face = target->txtFace;
    const std::uint32_t faceComplex = target->txtFaceCs;
    mergeByTable(kXFormTable, target, source, 0, 37, {1, 10, 20, 22});
    if (faceMode != FaceMerge::kAdd) return;
    // Added faces: the style's faces join the run's own instead of replacing them.
    if (testMaskBit(source->changeBits, kFaceBit) == 1) target->txtFace = face | source->txtFace;
    if (testMaskBit(source->changeBits, kFaceComplexBit) == 1) target->txtFaceCs = faceComplex | source->txtFaceCs;
}

void mergeRowsProperties(XRows* target, const XRows* source) {
    for (const MemberSpan& span : kRowsMembers) {
        if (testMaskBit(source->changeBits, span.bit) != 1) continue;
        copySpan(span, target, source);
        setMaskBit(target->changeBits, span.bit);
    }
    mergeCellProperties(source->changeBits, &target->defRow, &source->defRow);
}

void mergeCellProperties(const std::uint8_t (&mask)[8], XRow* target, const XRow* source) {
    static_assert(kCellMembers[0].bit == kFirstCellBit && kCellMembers[std::size(kCellMembers) - 1].bit == kLastCellBit);
    for (const MemberSpan& span : kCellMembers) {
        if (testMaskBit(mask, span.bit) == 1) copySpan(span, target, source);
    }
}

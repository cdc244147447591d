#include "export/rtf/tables/RTFTableWords.h"

#include <initializer_list>
#include <utility>

#include "export/rtf/CRTFFile.h"

namespace {

const char* pick(std::int32_t value, std::initializer_list<std::pair<std::int32_t, const char*>> words) {
    for (const auto& [key, word] : words) {
        if (key == value) return word;
    }
    return "";
}

}  // namespace

void writeRTFTablePlacement(CRTFFile& out, const XTblPlacement& p, std::int16_t overlap) {
    if (p.floatingTable != 1) return;
    out.writeFormat("%s", pick(p.vertAnchor, {{1, "\\tpvmrg"}, {2, "\\tpvpg"}, {3, "\\tpvpara"}}));
    out.writeFormat("%s", pick(p.horzAnchor, {{1, "\\tphmrg"}, {2, "\\tphpg"}, {3, "\\tphcol"}}));
    out.writeFormat("%s", pick(p.tblpYSpec, {{1, "\\tposyil"}, {2, "\\tposyt"}, {3, "\\tposyin"}, {4, "\\tposyb"},
                                             {5, "\\tposyc"}, {6, "\\tposyout"}}));
    if (p.tblpY > 0) out.writeFormat("\\tposy%d", p.tblpY);
    if (p.tblpY < 0) out.writeFormat("\\tposnegy%lld", -static_cast<long long>(p.tblpY));
    out.writeFormat("%s", pick(p.tblpXSpec, {{1, "\\tposxc"}, {2, "\\tposxi"}, {3, "\\tposxo"}, {4, "\\tposxr"},
                                             {5, "\\tposxl"}}));
    if (p.tblpX > 0) out.writeFormat("\\tposx%d", p.tblpX);
    if (p.tblpX < 0) out.writeFormat("\\tposnegx%lld", -static_cast<long long>(p.tblpX));
    if (p.leftFromText != 0) out.writeFormat("\\tdfrmtxtLeft%d", p.leftFromText);
    if (p.rightFromText != 0) out.writeFormat("\\tdfrmtxtRight%d", p.rightFromText);
    if (p.topFromText != 0) out.writeFormat("\\tdfrmtxtTop%d", p.topFromText);
    if (p.bottomFromText != 0) out.writeFormat("\\tdfrmtxtBottom%d", p.bottomFromText);
    if (overlap == 1) out.writeFormat("\\tabsnoovrlp1");
}

const char* rtfRowAlignmentWord(std::int16_t jc) {
    const char* word = pick(jc, {{1, "\\trqc"}, {2, "\\trqr"}});
    return word[0] != 0 ? word : "\\trql";
}

long long rtfRowHeight(const HeightSpec& height) {
    if (height.h == kHeightExact) return -static_cast<long long>(height.v);
    if (height.h == kHeightAtLeast) return height.v;
    return 0;
}

long long rtfRowGap(const XTblMargins& margins) {
    return (static_cast<long long>(margins.left.w) + margins.right.w) / 2;
}

std::int32_t rtfCellMargin(const WidthSpec& own, const WidthSpec& table, std::int32_t usual) {
    if (own.type == kWidthTwips) return own.w;
    if (table.type == kWidthTwips) return table.w;
    return usual;
}

long long rtfTableEdge(const XRows& rows) {
    const long long indent = rows.tblInd.type == kWidthTwips ? rows.tblInd.w : 0;
    return indent - firstCellLeftMargin(rows);
}

const char* rtfHorizontalMergeWord(std::int16_t hmerge) {
    return pick(hmerge, {{2, "\\clmgf"}, {1, "\\clmrg"}});
}

const char* rtfVerticalMergeWord(std::int16_t vmerge) {
    return pick(vmerge, {{2, "\\clvmgf"}, {1, "\\clvmrg"}});
}

const char* rtfCellTextFlowWord(std::int16_t textFlow) {
    return pick(textFlow, {{0, "\\cltxlrtb"}, {1, "\\cltxtbrl"}, {2, "\\cltxbtlr"}, {3, "\\cltxlrtbv"},
                           {4, "\\cltxtbrlv"}});
}

const char* rtfCellVerticalAlignmentWord(std::int16_t vAlign) {
    return pick(vAlign, {{0, "\\clvertalt"}, {1, "\\clvertalc"}, {3, "\\clvertalb"}});
}

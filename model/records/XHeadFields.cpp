// The field table of the document head: every field is stored, with every head.
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/records/RecordTables.h"
#include "model/records/XHead.h"

namespace {

constexpr FieldSpec kXHeadFields[] = {
    VDK_ATTRIBUTE(XHead, defaultLanguage, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, defaultTabWidth, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, pageStartNumber, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, mirrorMargins, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, borderOptions, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, headers, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, viewMode, 'd', kAlways, 1),
    VDK_ATTRIBUTE(XHead, viewScale, 'd', kAlways, 100),
    VDK_ATTRIBUTE(XHead, viewZoom, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalFileType, 's', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalFileName, 's', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalTitle, 's', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalSubject, 's', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalAuthor, 's', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalFileSize, 'u', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalFileCrDt, 'u', kAlways, 0),
    VDK_ATTRIBUTE(XHead, originalFileMdDt, 'u', kAlways, 0),
    VDK_ATTRIBUTE(XHead, numOfPages, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XHead, numOfWords, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XHead, numOfCharsNoSpace, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XHead, numOfCharsWithSpace, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XHead, trackRevisions, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, trackFormatting, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, revisionDisplay, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, revisionBar, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, adjustLineHeightInTable, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, allowSpaceOfSameStyleInTable, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, forgetLastTabAlignment, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, layoutTableRowsApart, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, useWord97LineBreakRules, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, doNotUseHTMLParaAuSP, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, balanceSBDB, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, ulTrailSpace, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, backslashToYen, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, spaceForUL, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, shapeLayoutLikeWW8, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, footnoteLayoutLikeWW8, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, characterSpacingControl, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, applyBreakingRules, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, useWord2002TableStyleRules, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, doNotShadeFormData, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XHead, alignTablesRowByRow, 'd', kAlways, 0),
};

}  // namespace

VDK_RECORD_TABLE(XHead);

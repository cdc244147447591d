#pragma once
// The document head: the document's settings and the facts about the input file. There is one in each
// document-parameter block; it has no change bits and no position and is stored whole with the document
// information. Its keys and starting values are in its field table (kXHeadTable, XHeadFields.cpp).
#include <cstdint>
#include <type_traits>

constexpr int kHeadTextBytes = 128;
constexpr int kHeadAuthorBytes = 130;

struct XHead {
    std::int16_t defaultLanguage;
    std::int16_t defaultTabWidth;
    std::int16_t pageStartNumber;
    std::int16_t mirrorMargins;
    std::int16_t borderOptions;
    std::int16_t headers;
    std::int16_t viewMode;
    std::int16_t viewScale;  // zoom in percent
    std::int16_t viewZoom;
    char originalFileType[kHeadTextBytes];  // the importer's name
    char originalFileName[kHeadTextBytes];
    char originalTitle[kHeadTextBytes];
    char originalSubject[kHeadTextBytes];
    char originalAuthor[kHeadAuthorBytes];
    std::uint32_t originalFileSize;  // bytes
    std::uint32_t originalFileCrDt;  // creation and modification dates of the input file
    std::uint32_t originalFileMdDt;
    std::int32_t numOfPages;
    std::int32_t numOfWords;
    std::int32_t numOfCharsNoSpace;
    std::int32_t numOfCharsWithSpace;
    std::int16_t trackRevisions;
    std::int16_t trackFormatting;
    std::int16_t revisionDisplay;
    std::int16_t revisionBar;
    std::int16_t adjustLineHeightInTable;
    std::int16_t allowSpaceOfSameStyleInTable;
    std::int16_t forgetLastTabAlignment;
    std::int16_t layoutTableRowsApart;
    std::int16_t useWord97LineBreakRules;
    std::int16_t doNotUseHTMLParaAuSP;
    std::int16_t balanceSBDB;
    std::int16_t ulTrailSpace;
    std::int16_t backslashToYen;
    std::int16_t spaceForUL;
    std::int16_t shapeLayoutLikeWW8;
    std::int16_t footnoteLayoutLikeWW8;
    std::int16_t characterSpacingControl;
    std::int16_t applyBreakingRules;
    std::int16_t useWord2002TableStyleRules;
    std::int16_t doNotShadeFormData;
    std::int16_t alignTablesRowByRow;
};

static_assert(std::is_trivially_copyable_v<XHead>, "records travel between the engines as plain bytes");

// Clears the head, then view mode 1 and view scale 100.
void initXHead(XHead* head);
// A plain copy. Answers dst.
XHead* copyXHead(XHead* dst, const XHead* src);
// Field by field, padding aside.
bool equalXHead(const XHead& a, const XHead& b);

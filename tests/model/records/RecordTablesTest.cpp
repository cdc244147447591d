#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "model/tables/DocumentRecordTables.h"
#include "model/records/RecordTables.h"
#include "tests/model/records/RecordTableChecks.h"
#include "model/records/character/XForm.h"

namespace {

using recordtablechecks::FormatCase;
using recordtablechecks::StoredAsCase;
using recordtablechecks::expectAttributeFormats;
using recordtablechecks::expectStoredAs;

struct BitTableCase {
    const RecordTable* table;
    int optionalFields;
};

// A row slipped in, dropped or moved would shift every key after it onto the wrong bit.
TEST(RecordTables, EachOptionalFieldsChangeBitIsItsIndexAmongTheOptionalFields) {
    const BitTableCase cases[] = {{&kXFormTable, 39}, {&kXRuleTable, 46}, {&kXPageTable, 42}};
    for (const auto& c : cases) {
        const auto& fields = c.table->fields;
        ASSERT_GE(fields.size(), 3u) << c.table->name;
        EXPECT_STREQ(fields[0].name, "changeBits") << c.table->name;
        EXPECT_STREQ(fields[1].name, "uniqueBits") << c.table->name;
        EXPECT_STREQ(fields[2].name, "position") << c.table->name;
        int index = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i < 3) {
                EXPECT_EQ(fields[i].bit, kAlways) << c.table->name << " " << fields[i].name;
                continue;
            }
            EXPECT_EQ(fields[i].bit, index) << c.table->name << " " << fields[i].name;
            EXPECT_GT(fields[i].offset, fields[i - 1].offset) << c.table->name << " " << fields[i].name;
            ++index;
        }
        EXPECT_EQ(index, c.optionalFields) << c.table->name;
    }
}

// The attribute keys, letters and order each table gives are those the storage readers and writers use.
TEST(RecordTables, AttributeKeysAreThoseOfTheStorage) {
    const FormatCase cases[] = {
        {&kXFormTable,
         "XForm_changeBits %v XForm_uniqueBits %l XForm_position %l XForm_styleTag %l XForm_txtCode %l "
         "XForm_txtLangVal %d XForm_txtLangEa %d XForm_txtLangCs %d XForm_txtHint %d XForm_txtFontAscii %d "
         "XForm_txtFontHAnsi %d XForm_txtFontEa %d XForm_txtFontCs %d XForm_txtBidi %d XForm_txtSize %d "
         "XForm_txtSizeCs %d XForm_txtFace %u XForm_txtFaceCs %u XForm_txtRate %d XForm_txtBase %d "
         "XForm_txtFore %C XForm_txtBack %C XForm_txtKern %d XForm_txtFill %d XForm_txtType %l XForm_txtData %l "
         "XForm_picRect %Q XForm_borderType %d XForm_border %B XForm_shadingType %d XForm_shading %S "
         "XForm_txtSpacing %d XForm_underlineEffect %d XForm_blinkingEffect %d XForm_underlineColor %C "
         "XForm_noProof %d XForm_revision %V XForm_fieldType %d"},
        {&kXFieldTable, "XField_dirty %d XField_locked %d XField_fldData %s"},
        {&kXffDataTable,
         "XffData_calcOnExit %d XffData_ti_defaultText %s XffData_ti_format %s XffData_ti_maxLength %s "
         "XffData_ti_type %d XffData_cb_checked %d XffData_cb_defaultState %d XffData_cb_checkBoxSize %s "
         "XffData_cb_checkBoxSizeAuto %d XffData_dd_defaultIndex %d XffData_dd_listEntryNum %d "
         "XffData_dd_resultValue %d XffData_enabled %d XffData_entryMacro %s XffData_exitMacro %s XffData_name %s"},
        {&kXRuleTable,
         "XRule_changeBits %v XRule_uniqueBits %l XRule_position %l XRule_styleTag %l XRule_language %d "
         "XRule_direction %d XRule_justification %d XRule_indentLeft %l XRule_indentLeftCh %l XRule_indentFirst %l "
         "XRule_indentFirstCh %l XRule_indentRight %l XRule_indentRightCh %l XRule_indentHanging %l "
         "XRule_indentHangingCh %l XRule_leading %d XRule_spaceBefore %d XRule_spaceAfter %d XRule_leadingUnit %d "
         "XRule_spaceBeforeUnit %d XRule_spaceAfterUnit %d XRule_contextualSpacing %d XRule_cellOfRow %d "
         "XRule_lastCellOfRow %d XRule_vertical %d XRule_backward %d XRule_rotated %d XRule_borderType %d "
         "XRule_borderDistanceFromText %d XRule_outlineLevelOrSubdocument %d XRule_keepNext %d XRule_keepLines %d "
         "XRule_pageBreakBefore %d XRule_widowControl %d XRule_suppressLineNumbers %d XRule_suppressAutoHyphens %d "
         "XRule_forceNumbering %d XRule_shadingType %d XRule_shading %S XRule_borderTop %B XRule_borderLeft %B "
         "XRule_borderBottom %B XRule_borderRight %B XRule_borderBetween %B XRule_frameType %d"},
        {&kXFrameTable,
         "XFrame_width %d XFrame_height %d XFrame_horizPosFrameReference %d XFrame_horizPosDistance %d "
         "XFrame_horizPosTypeWithinFrame %d XFrame_vertPosFrameReference %d XFrame_vertPosDistance %d "
         "XFrame_vertPosTypeWithinFrame %d XFrame_txtWrapType %d XFrame_txtdistanceFromMainText %d "
         "XFrame_txthorizDistanceFromFrame %d XFrame_txtvertDistanceFromFrame %d XFrame_txtoverlay %d "
         "XFrame_txtPositionVertical %d XFrame_dropcapLines %d XFrame_dropcapType %d XFrame_anchorLock %d"},
        {&kXLevelTable, "XLevel_ls %l XLevel_ilvl %d XLevel_wTabBefore %d XLevel_wTabAfter %d XLevel_font %s"},
        {&kXTabsTable, "XTabs_tabs %d"},
        {&kXTabTable, "XTab_tabJust %d XTab_tabLead %d XTab_tabIndent %d XTab_decAlign %d"},
        {&kXRowsTable,
         "XRows_changeBits %v XRows_uniqueBits %l XRows_styleTag %l XRows_tblOverlap %d XRows_tblRtl %d "
         "XRows_bidiVisual %d XRows_tblStyleRowBandSize %d XRows_tblStyleColBandSize %d XRows_tblW %W XRows_jc %d "
         "XRows_tblCellSpacing %W XRows_tblInd %W XRows_shd %S XRows_tblLayout %d XRows_tblLook %d XRows_divId %d "
         "XRows_gridBefore %d XRows_gridAfter %d XRows_wBefore %W XRows_wAfter %W XRows_cantSplit %d "
         "XRows_trHeight %H XRows_tblHeader %d XRows_rows %d"},
        {&kXTblGridTable, "XTblGrid_numOfColumns %d"},
        {&kXTblPlacementTable,
         "XTblPlacement_floatingTable %d XTblPlacement_leftFromText %l XTblPlacement_rightFromText %l "
         "XTblPlacement_topFromText %l XTblPlacement_bottomFromText %l XTblPlacement_vertAnchor %d "
         "XTblPlacement_horzAnchor %d XTblPlacement_tblpXSpec %d XTblPlacement_tblpX %l XTblPlacement_tblpYSpec %d "
         "XTblPlacement_tblpY %l"},
        {&kXTblBordersTable,
         "XTblBorders_left %B XTblBorders_right %B XTblBorders_top %B XTblBorders_bottom %B XTblBorders_insideH %B "
         "XTblBorders_insideV %B"},
        {&kXTblMarginsTable, "XTblMargins_left %W XTblMargins_right %W XTblMargins_top %W XTblMargins_bottom %W"},
        {&kXRowTable,
         "XRow_attributes %d XRow_tcW %W XRow_gridSpan %d XRow_hmerge %d XRow_vmerge %d XRow_shd %S XRow_noWrap %d "
         "XRow_textFlow %d XRow_tcFitText %d XRow_vAlign %d"},
        {&kXPageTable,
         "XPage_changeBits %v XPage_uniqueBits %l XPage_position %l XPage_styleTag %l XPage_pageWidth %d "
         "XPage_pageHeight %d XPage_leftMargin %d XPage_topMargin %d XPage_rightMargin %d XPage_bottomMargin %d "
         "XPage_direction %d XPage_orientation %d XPage_margination %d XPage_columns %d "
         "XPage_spaceBetweenColumns %d XPage_lineBetweenColumns %d XPage_notEqualWidthColumns %d XPage_gutter %d "
         "XPage_rtlGutter %d XPage_headers %d XPage_headerEdge %d XPage_footerEdge %d XPage_textFlow %d "
         "XPage_borderType %d XPage_borderTop %B XPage_borderLeft %B XPage_borderBottom %B XPage_borderRight %B "
         "XPage_borderArt %d XPage_borderMarginMeasurement %d XPage_borderOptions %d "
         "XPage_textVerticalAlignment %d XPage_mirrorMargins %d XPage_titlePage %d XPage_evenHeaderRef %l "
         "XPage_defaultHeaderRef %l XPage_firstHeaderRef %l XPage_evenFooterRef %l XPage_defaultFooterRef %l "
         "XPage_firstFooterRef %l"},
        {&kXFootnoteTable,
         "XFootnote_hasNotes %d XFootnote_format %d XFootnote_restartType %d XFootnote_startAt %d "
         "XFootnote_docPlacement %d XFootnote_pagePlacement %d XFootnote_separator %s "
         "XFootnote_separatorContinuous %s"},
        {&kXLineNumberTable,
         "XLineNumber_hasLineNumber %d XLineNumber_countBy %d XLineNumber_startAt %d XLineNumber_fromText %d "
         "XLineNumber_restartType %d"},
        {&kXPageNumberTable,
         "XPageNumber_hasPageNumber %d XPageNumber_format %d XPageNumber_hasChapterNumber %d "
         "XPageNumber_headingLevel %d XPageNumber_separator %d XPageNumber_restartType %d XPageNumber_startAt %d"},
        {&kXHeadTable,
         "XHead_defaultLanguage %d XHead_defaultTabWidth %d XHead_pageStartNumber %d XHead_mirrorMargins %d "
         "XHead_borderOptions %d XHead_headers %d XHead_viewMode %d XHead_viewScale %d XHead_viewZoom %d "
         "XHead_originalFileType %s XHead_originalFileName %s XHead_originalTitle %s XHead_originalSubject %s "
         "XHead_originalAuthor %s XHead_originalFileSize %u XHead_originalFileCrDt %u XHead_originalFileMdDt %u "
         "XHead_numOfPages %l XHead_numOfWords %l XHead_numOfCharsNoSpace %l XHead_numOfCharsWithSpace %l "
         "XHead_trackRevisions %d XHead_trackFormatting %d XHead_revisionDisplay %d XHead_revisionBar %d "
         "XHead_adjustLineHeightInTable %d XHead_allowSpaceOfSameStyleInTable %d XHead_forgetLastTabAlignment %d "
         "XHead_layoutTableRowsApart %d XHead_useWord97LineBreakRules %d XHead_doNotUseHTMLParaAuSP %d "
         "XHead_balanceSBDB %d XHead_ulTrailSpace %d XHead_backslashToYen %d XHead_spaceForUL %d "
         "XHead_shapeLayoutLikeWW8 %d XHead_footnoteLayoutLikeWW8 %d XHead_characterSpacingControl %d "
         "XHead_applyBreakingRules %d XHead_useWord2002TableStyleRules %d XHead_doNotShadeFormData %d "
         "XHead_alignTablesRowByRow %d"},
    };
    expectAttributeFormats(cases, allRecordTables());
}

TEST(RecordTables, AttributeFormatThatDoesNotFitIsRefused) {
    char small[16] = "untouched";
    EXPECT_EQ(attributeFormat(kXTabTable, small, sizeof small), -1);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(attributeFormat(kXTabTable, nullptr, 100), -1);
}

// The children and the fields that keep code of their own, with the names that code stores.
TEST(RecordTables, ChildrenAndHandWrittenFieldsNameWhatTheyStore) {
    const StoredAsCase cases[] = {
        {&kXFormTable, "picData", FieldStorage::kNotStored, nullptr, nullptr, 24},
        {&kXFormTable, "field", FieldStorage::kChild, "FIELD", nullptr, 36},
        {&kXFormTable, "ffData", FieldStorage::kChild, "FFDATA", nullptr, 37},
        {&kXFormTable, "cellStyle", FieldStorage::kHandWritten, "CELLSTYLE", nullptr, 38},
        {&kXffDataTable, "dd_listEntry", FieldStorage::kHandWritten, "FFDDLIST%03d", "XffData_dd_listEntry", kAlways},
        {&kXRuleTable, "frame", FieldStorage::kChild, "FRAME", nullptr, 42},
        {&kXRuleTable, "level", FieldStorage::kChild, "LEVEL", nullptr, 43},
        {&kXRuleTable, "tabs", FieldStorage::kChild, "TABSARRAY", nullptr, 44},
        {&kXRuleTable, "rows", FieldStorage::kHandWritten, "ROWSARRAY", nullptr, 45},
        {&kXLevelTable, "text", FieldStorage::kHandWritten, "LEVEL", nullptr, kAlways},
        {&kXTabsTable, "tab", FieldStorage::kHandWritten, "tab%03d", nullptr, kAlways},
        {&kXRowsTable, "grid", FieldStorage::kChild, "TBLGRID", nullptr, kAlways},
        {&kXRowsTable, "tblpPr", FieldStorage::kChild, "TBLPPR", nullptr, kAlways},
        {&kXRowsTable, "tblBorders", FieldStorage::kChild, "TBLBORDERS", nullptr, kAlways},
        {&kXRowsTable, "tblCellMar", FieldStorage::kChild, "TBLCELLMAR", nullptr, kAlways},
        {&kXRowsTable, "defRow", FieldStorage::kChild, "DEFROW", nullptr, kAlways},
        {&kXRowsTable, "cells", FieldStorage::kHandWritten, "row%03d", nullptr, kAlways},
        {&kXTblGridTable, "columnRightPos", FieldStorage::kHandWritten, nullptr, "XTblGrid_columnRightPos%02d",
         kAlways},
        {&kXRowTable, "tcBorders", FieldStorage::kChild, "TCBORDERS", nullptr, kAlways},
        {&kXRowTable, "tcMar", FieldStorage::kChild, "TCMAR", nullptr, kAlways},
        {&kXPageTable, "columnWidth", FieldStorage::kHandWritten, "COLUMNS",
         "XColumn_columnWidth%02d %%d XColumn_columnSpace%02d %%d", 14},
        {&kXPageTable, "footnote", FieldStorage::kChild, "FOOTNOTEFORMAT", nullptr, 21},
        {&kXPageTable, "endnote", FieldStorage::kChild, "ENDNOTEFORMAT", nullptr, 22},
        {&kXPageTable, "lineNumber", FieldStorage::kChild, "LINENUMBER", nullptr, 23},
        {&kXPageTable, "pageNumber", FieldStorage::kChild, "PAGENUMBER", nullptr, 24},
    };
    expectStoredAs(cases);
    // Both note formats, and the table's and every cell's borders and margins, share one table each.
    EXPECT_EQ(findField(kXPageTable, "footnote")->sub, &kXFootnoteTable);
    EXPECT_EQ(findField(kXPageTable, "endnote")->sub, &kXFootnoteTable);
    EXPECT_EQ(findField(kXRowsTable, "tblBorders")->sub, findField(kXRowTable, "tcBorders")->sub);
    EXPECT_EQ(findField(kXRowsTable, "tblCellMar")->sub, findField(kXRowTable, "tcMar")->sub);
    EXPECT_EQ(findField(kXFormTable, "noSuchField"), nullptr);
}

// What the walkers rely on in every table, of the formatting records and of the document tables alike:
// keys carry the record's prefix, each stored key appears once, and a member compared or started through
// a sub-table is made of whole items of that table.
TEST(RecordTables, EveryTableHoldsTogether) {
    std::vector<const RecordTable*> tables(allRecordTables().begin(), allRecordTables().end());
    tables.insert(tables.end(), documentRecordTables().begin(), documentRecordTables().end());
    std::set<std::string> keys;
    for (const RecordTable* table : tables) {
        const std::string prefix = std::string(table->name) + "_";
        std::set<std::string> names;
        for (const FieldSpec& field : table->fields) {
            EXPECT_TRUE(names.insert(field.name).second) << table->name << "." << field.name;
            if (field.storage == FieldStorage::kAttribute) {
                EXPECT_EQ(std::string(field.key), prefix + field.name);
                EXPECT_NE(field.letter, 0) << field.key;
                EXPECT_TRUE(keys.insert(field.key).second) << field.key << " appears twice";
            }
            if (field.storage == FieldStorage::kChild || field.compare == FieldCompare::kFields) {
                EXPECT_NE(field.sub, nullptr) << field.name;
            }
            if (field.sub != nullptr) {
                EXPECT_EQ(field.sub->size * field.itemCount, field.size) << table->name << "." << field.name;
            }
        }
    }
}

// Writers read integer fields through their rows: 16- and 32-bit values keep their signs, unsigned ones
// stay unsigned, and a row that is no integer reads as 0 and is never written through.
TEST(RecordTables, IntegerFieldsReadAndWriteAtTheirOwnWidth) {
    XForm form;
    initXForm(&form);
    const FieldSpec& fontAscii = *findField(kXFormTable, "txtFontAscii");
    const FieldSpec& styleTag = *findField(kXFormTable, "styleTag");
    const FieldSpec& face = *findField(kXFormTable, "txtFace");
    const FieldSpec& colour = *findField(kXFormTable, "txtFore");
    EXPECT_EQ(integerField(fontAscii, &form), -99);
    EXPECT_EQ(integerField(styleTag, &form), -1);
    setIntegerField(face, &form, 0x80000000u);
    EXPECT_EQ(form.txtFace, 0x80000000u);
    EXPECT_EQ(integerField(face, &form), 2147483648);
    setIntegerField(fontAscii, &form, 0x1FFFF);  // cut to 16 bits
    EXPECT_EQ(form.txtFontAscii, -1);
    EXPECT_EQ(form.txtFontHAnsi, -98);
    setIntegerField(colour, &form, 5);
    EXPECT_TRUE(equalRGBColor(form.txtFore, kBlack));
    EXPECT_EQ(integerField(colour, &form), 0);
}

}  // namespace

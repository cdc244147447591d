#include "tests/export/rtf/RTFWholeDocument.h"

#include <cstdio>
#include <vector>

#include "foundation/FieldMask.h"
#include "model/params/ParamBlockTables.h"
#include "model/story/StoryKinds.h"
#include "model/tables/CFontArray.h"
#include "tests/export/rtf/head/RTFListRecords.h"

namespace rtftest {
namespace {

using Change = std::function<void(XParamBlock&)>;

// Style numbers of the style sheet.
constexpr std::int32_t kNormal = 1;
constexpr std::int32_t kHeading1 = 2;
constexpr std::int32_t kHeading2 = 3;
constexpr std::int32_t kTableGrid = 4;
constexpr std::int32_t kStrong = 5;

// List numbers of the paragraphs: the numbered list, the bulleted list, the numbered list restarted.
constexpr std::int32_t kNumbered = 1;
constexpr std::int32_t kBulleted = 2;
constexpr std::int32_t kRestarted = 3;

constexpr std::int16_t kTwips = 3;
constexpr std::int16_t kPageBreakSection = 2;

// 12 points in the serif font, in English; the section the run belongs to.
void plain(XParamBlock& b) {
    b.form.txtLangVal = 1033;
    b.form.txtSize = 120;
    b.form.txtFontHAnsi = b.fonts->findByName("Liberation Serif");
}

// Letter, portrait, one column, header 1.
void firstSection(XParamBlock& b) {
    b.page.pageWidth = 12240;
    b.page.pageHeight = 15840;
    b.page.defaultHeaderRef = 1;
}

// A4, landscape, two columns, header 2.
void secondSection(XParamBlock& b) {
    b.page.pageWidth = 16838;
    b.page.pageHeight = 11906;
    b.page.orientation = 1;
    b.page.columns = 2;
    b.page.spaceBetweenColumns = 720;
    b.page.defaultHeaderRef = 2;
}

Run run(const std::u16string& units, Change change = nullptr) {
    return Run{units, [change](XParamBlock& b) {
                   plain(b);
                   if (change) change(b);
               }};
}

Run code(char16_t unit, std::int32_t data = 0, Change change = nullptr) {
    return run(std::u16string(1, unit), [unit, data, change](XParamBlock& b) {
        b.form.txtType = storycode::anchor(unit, 0);
        b.form.txtData = data;
        if (change) change(b);
    });
}

// The runs of one section.
std::vector<Run> inSection(std::vector<Run> runs, void (*section)(XParamBlock&)) {
    for (Run& each : runs) {
        Change records = each.records;
        each.records = [records, section](XParamBlock& b) {
            records(b);
            section(b);
        };
    }
    return runs;
}

Change paragraphStyle(std::int32_t style) {
    return [style](XParamBlock& b) { b.rule.styleTag = style; };
}

// A list paragraph: the list number, the level and the number text the engine worked out.
Change listItem(std::int32_t list, std::int16_t level, const char16_t* number) {
    return [list, level, number](XParamBlock& b) {
        b.rule.styleTag = kNormal;
        b.rule.level.ls = list;
        b.rule.level.ilvl = level;
        b.rule.level.text = const_cast<char16_t*>(number);
        b.rule.level.textLength = static_cast<std::uint32_t>(std::char_traits<char16_t>::length(number));
        b.rule.indentLeft = 720 * (level + 1);
        b.rule.indentHanging = 360;
    };
}

// A row of cells of equal width, the given right edges, formatted by the table style.
using Edges = std::vector<std::int16_t>;

void row(XRows& rows, const Edges& edges) {
    rows.styleTag = kTableGrid;
    rows.rows = static_cast<std::int16_t>(edges.size());
    rows.grid.numOfColumns = rows.rows;
    std::int16_t left = 0;
    int i = 0;
    for (std::int16_t edge : edges) {
        rows.grid.columnRightPos[i] = edge;
        rows.cells[i] = kDefaultCell;
        rows.cells[i].tcW = WidthSpec{kTwips, static_cast<std::int16_t>(edge - left)};
        left = edge;
        ++i;
    }
    rows.tblW = WidthSpec{kTwips, left};
}

// Runs inside a table cell.
Run inCell(Run inner, const Edges& edges, bool rowEnd = false) {
    Change records = inner.records;
    inner.records = [records, edges, rowEnd](XParamBlock& b) {
        records(b);
        b.rule.cellOfRow = 1;
        b.rule.lastCellOfRow = rowEnd ? 1 : 0;
        row(b.rule.rows, edges);
    };
    return inner;
}

// A cell's last text and its end mark.
Run cellEnd(const std::u16string& units, const Edges& edges) {
    return inCell(run(units + u'\x10'), edges);
}

// The mark that ends a row, after its last cell's own end mark; it carries the row's definition.
Run rowEnd(const Edges& edges) {
    return inCell(run(u"\x10"), edges, true);
}

std::vector<Story> tables() {
    const Edges outer = {4000, 8000};
    const Edges inner = {1800, 3600};
    return {
        // Two rows; the second cell of the first row holds table 8 after a paragraph of its own.
        Story{10,
              {cellEnd(u"A1", outer), inCell(run(u"B1\r"), outer), inCell(code(storycode::kTable, 8), outer),
               cellEnd(u"", outer), rowEnd(outer), cellEnd(u"A2", outer), cellEnd(u"B2", outer), rowEnd(outer)},
              0,
              7,
              2},
        Story{10, {cellEnd(u"N1", inner), cellEnd(u"N2", inner), rowEnd(inner)}, 0, 8, 1},
    };
}

std::vector<Story> sideStories() {
    return {
        Story{2, {run(u"Header one\r", paragraphStyle(kNormal))}, 1, 1},
        Story{2, {run(u"Header two\r", paragraphStyle(kNormal))}, 1, 2},
        Story{7, {code(storycode::kFootnoteMark), run(u" A footnote.")}},
        Story{5, {run(u"A remark.")}},
    };
}

Story mainStory() {
    static const char16_t* const kOne = u"1.";
    static const char16_t* const kTwo = u"2.";
    std::vector<Run> first = {
        run(u"Report\r", paragraphStyle(kHeading1)),
        run(u"Body with a note", paragraphStyle(kNormal)),
        code(storycode::kFootnoteReference, 0, paragraphStyle(kNormal)),
        run(u" and a ", paragraphStyle(kNormal)),
        run(u"strong", [](XParamBlock& b) {
            b.rule.styleTag = kNormal;
            b.form.styleTag = kStrong;
            b.form.txtFace = kFaceBold;
        }),
        run(u" remark", paragraphStyle(kNormal)),
        code(storycode::kComment, 0, paragraphStyle(kNormal)),
        run(u".\r", paragraphStyle(kNormal)),
        run(u"Numbers\r", paragraphStyle(kHeading2)),
        run(u"One\r", listItem(kNumbered, 0, kOne)),
        run(u"Sub a\r", listItem(kNumbered, 1, u"a)")),
        run(u"Sub b\r", listItem(kNumbered, 1, u"b)")),
        run(u"Deep\r", listItem(kNumbered, 2, u"i.")),
        run(u"Two\r", listItem(kNumbered, 0, kTwo)),
        run(u"Dot\r", listItem(kBulleted, 0, u"\u2022")),
        run(u"Circle\r", listItem(kBulleted, 1, u"o")),
        run(u"Square\r", listItem(kBulleted, 2, u"\u25AA")),
        run(u"Again\r", listItem(kRestarted, 0, kOne)),
        code(storycode::kTable, 7, paragraphStyle(kNormal)),
        run(u"After the table.\r", paragraphStyle(kNormal)),
        code(storycode::kSectionBreak, kPageBreakSection, paragraphStyle(kNormal)),
    };
    std::vector<Run> second = {
        run(u"Second section, in two columns.\r", paragraphStyle(kNormal)),
        run(u"The end.\r", paragraphStyle(kNormal)),
    };
    std::vector<Run> runs = inSection(first, firstSection);
    for (Run& each : inSection(second, secondSection)) runs.push_back(std::move(each));
    return Story{11, runs};
}

XStyle& addNamedStyle(XParamBlock& b, std::int16_t kind, std::int32_t number, const char* name, std::int32_t base) {
    XStyle* style = newXStyle();
    initXForm(&style->styleForm);
    initXRule(&style->styleRule);
    style->styleType = kind;
    style->styleIndx = number;
    style->styleBase = base;
    style->styleNext = kind == 2 ? kNormal : -1;
    style->styleLink = -1;
    std::snprintf(style->styleName, sizeof style->styleName, "%s", name);
    addStyle(style, &b);
    return *style;
}

void changeFace(XForm& form, std::uint32_t face) {
    form.txtFace = face;
    setMaskBit(form.changeBits, 13);
}

void changeSize(XForm& form, std::int16_t tenths) {
    form.txtSize = tenths;
    setMaskBit(form.changeBits, 11);
}

void styleSheet(XParamBlock& b) {
    XStyle& normal = addNamedStyle(b, 2, kNormal, "Normal", -1);
    normal.styleForm.txtFontHAnsi = b.fonts->findByName("Liberation Serif");
    setMaskBit(normal.styleForm.changeBits, 7);
    changeSize(normal.styleForm, 120);
    XStyle& heading1 = addNamedStyle(b, 2, kHeading1, "heading 1", kNormal);
    changeFace(heading1.styleForm, kFaceBold);
    changeSize(heading1.styleForm, 160);
    heading1.styleRule.keepNext = 1;
    setMaskBit(heading1.styleRule.changeBits, 27);
    heading1.styleRule.outlineLevelOrSubdocument = 1;
    setMaskBit(heading1.styleRule.changeBits, 26);
    XStyle& heading2 = addNamedStyle(b, 2, kHeading2, "heading 2", kHeading1);
    changeFace(heading2.styleForm, kFaceBold | kFaceItalic);
    changeSize(heading2.styleForm, 140);
    heading2.styleRule.outlineLevelOrSubdocument = 2;
    setMaskBit(heading2.styleRule.changeBits, 26);
    XStyle& grid = addNamedStyle(b, 4, kTableGrid, "Table Grid", kNormal);
    grid.styleRule.rows.tblBorders.top = BorderSpec{10, 1, kBlack, 0};
    grid.styleRule.rows.tblBorders.bottom = BorderSpec{10, 1, kBlack, 0};
    setMaskBit(grid.styleRule.rows.changeBits, 12);
    setMaskBit(grid.styleRule.rows.changeBits, 14);
    setMaskBit(grid.styleRule.changeBits, 45);
    XStyle* header = newXStyle();
    header->styleAttr = 1;
    changeFace(header->styleForm, kFaceBold);
    grid.subStyles[grid.styleSubCount++] = header;
    XStyle& strong = addNamedStyle(b, 3, kStrong, "Strong", -1);
    changeFace(strong.styleForm, kFaceBold);
}

// The numbered list "1.", "a)", "i." and the bulleted list, each of three levels used; the restart is
// a second list number of the numbered list that starts its first level again.
void lists(XParamBlock& b) {
    XListDef* definitions = addListDefinitions(b, 2);
    const struct {
        std::int16_t format;
        const char16_t* text;
    } numbered[] = {{0, u"%1."}, {4, u"%2)"}, {2, u"%3."}}, bulleted[] = {{23, u"\u2022"}, {23, u"o"}, {23, u"\u25AA"}};
    definitions[0].listDefId = 1;
    definitions[0].listId = 1001;
    definitions[0].listTemplateId = 2001;
    std::snprintf(definitions[0].listName, sizeof definitions[0].listName, "%s", "Numbers");
    definitions[1].listDefId = 2;
    definitions[1].listId = 1002;
    definitions[1].listTemplateId = 2002;
    std::snprintf(definitions[1].listName, sizeof definitions[1].listName, "%s", "Bullets");
    for (int list = 0; list < 2; ++list) {
        for (int level = 0; level < kListLevels; ++level) {
            XListLevel& each = definitions[list].levels[level];
            initXForm(&each.levelForm);
            initXRule(&each.levelRule);
            each.levelStartAt = 1;
            each.levelFollow = 9;
            each.levelRule.indentLeft = 720 * (level + 1);
            each.levelRule.indentHanging = 360;
            setMaskBit(each.levelRule.changeBits, 4);
            setMaskBit(each.levelRule.changeBits, 10);
            if (level >= 3) continue;
            const auto& used = list == 0 ? numbered[level] : bulleted[level];
            each.levelNfc = each.levelNfcn = used.format;
            setLevelText(each, used.text);
        }
    }
    XListOvr* overrides = addListOverrides(b, 3);
    overrides[0] = XListOvr{1, kNumbered, 0, {}, {}};
    overrides[1] = XListOvr{2, kBulleted, 0, {}, {}};
    // Numbering again from 1, as a list number with a start value on its first level.
    overrides[2] = XListOvr{1, kRestarted, 1, {1}, {}};
}

void documentTables(XParamBlock& b) {
    for (const RGBColor& color : {kBlack, kWhite}) addColor(&color, &b);
    for (const char* name : {"Liberation Serif", "Liberation Sans"}) addFontByName(name, &b);
    numberFonts(&b);
    addAuthor("Zo\xC3\xAB", &b);
    styleSheet(b);
    lists(b);
    std::snprintf(b.head.originalTitle, sizeof b.head.originalTitle, "%s", "Rapport d'\xC3\xA9t\xC3\xA9");
    std::snprintf(b.head.originalAuthor, sizeof b.head.originalAuthor, "%s", "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m");
}

}  // namespace

FeatureDocument wholeDocument() {
    return {"whole-document", sideStories(), mainStory(), documentTables, tables()};
}

}  // namespace rtftest

// A section's page setup (w:sectPr) read into the section record: page size and margins, columns, line
// and page numbering, page-border options, title page, direction, and the header and footer
// references. Only what the element names changes; each field read sets its change bit. Note formats
// are read by readNoteProperties (NoteProperties.cpp).
#include <cstdint>
#include <limits>
#include <optional>

#include "foundation/FieldMask.h"
#include "foundation/text/NameCompare.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/lists/NumberingVocabularies.h"
#include "import/wordml/properties/PropertyElementReaders.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// Change bits of the section record (the n-th optional field of kXPageTable, model/records/section/XPageFields.cpp).
namespace pagebit {
constexpr int kPageWidth = 1;
constexpr int kPageHeight = 2;
constexpr int kLeftMargin = 3;
constexpr int kTopMargin = 4;
constexpr int kRightMargin = 5;
constexpr int kBottomMargin = 6;
constexpr int kDirection = 7;
constexpr int kOrientation = 8;
constexpr int kColumns = 10;
constexpr int kSpaceBetweenColumns = 11;
constexpr int kLineBetweenColumns = 12;
constexpr int kNotEqualWidthColumns = 13;
constexpr int kColumnSlots = 14;
constexpr int kGutter = 15;
constexpr int kRtlGutter = 16;
constexpr int kHeaderEdge = 18;
constexpr int kFooterEdge = 19;
constexpr int kTextFlow = 20;
constexpr int kFootnoteFormat = 21;
constexpr int kEndnoteFormat = 22;
constexpr int kLineNumber = 23;
constexpr int kPageNumber = 24;
constexpr int kBorderArt = 30;
constexpr int kBorderOptions = 32;
constexpr int kTextVerticalAlignment = 33;
constexpr int kTitlePage = 35;
}  // namespace pagebit

constexpr std::int16_t kBorderBehindText = 2;
constexpr std::int16_t kBorderFromPageEdge = 0x80;

// The value of an integer attribute when it is present and fits 16 bits.
std::optional<std::int16_t> shortAttribute(const xmlNode* element, const char* name) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetAttrInt(element, nullptr, name, &present);
    if (present == 0 || value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

// A length attribute into its field, with its change bit.
void readLength(const xmlNode* element, const char* name, std::int16_t& field, XPage* page, int bit) {
    if (const auto value = shortAttribute(element, name)) {
        field = *value;
        setMaskBit(page->changeBits, bit);
    }
}

struct LengthAttribute {
    const char* name;
    std::int16_t XPage::*field;
    int bit;
};

constexpr LengthAttribute kPageSizes[] = {
    {"w", &XPage::pageWidth, pagebit::kPageWidth},
    {"h", &XPage::pageHeight, pagebit::kPageHeight},
};

constexpr LengthAttribute kPageMargins[] = {
    {"top", &XPage::topMargin, pagebit::kTopMargin},
    {"right", &XPage::rightMargin, pagebit::kRightMargin},
    {"bottom", &XPage::bottomMargin, pagebit::kBottomMargin},
    {"left", &XPage::leftMargin, pagebit::kLeftMargin},
    {"header", &XPage::headerEdge, pagebit::kHeaderEdge},
    {"footer", &XPage::footerEdge, pagebit::kFooterEdge},
    {"gutter", &XPage::gutter, pagebit::kGutter},
};

template <std::size_t N>
void readLengths(const xmlNode* element, const LengthAttribute (&attributes)[N], XPage* page) {
    for (const LengthAttribute& attribute : attributes) readLength(element, attribute.name, page->*attribute.field, page, attribute.bit);
}

// The reference attributes that the package importer writes on each section, and their fields.
struct ReferenceAttribute {
    const char* name;
    std::int32_t XPage::*field;
    int bit;
};

constexpr ReferenceAttribute kReferences[] = {
    {"evenHeaderRefTag", &XPage::evenHeaderRef, 36},   {"defaultHeaderRefTag", &XPage::defaultHeaderRef, 37},
    {"firstHeaderRefTag", &XPage::firstHeaderRef, 38}, {"evenFooterRefTag", &XPage::evenFooterRef, 39},
    {"defaultFooterRefTag", &XPage::defaultFooterRef, 40}, {"firstFooterRefTag", &XPage::firstFooterRef, 41},
};

void readPageSize(const xmlNode* element, XPage* page) {
    readLengths(element, kPageSizes, page);
    std::int16_t present = 0;
    if (const char* orientation = xmlGetAttrString(element, nullptr, "orient", &present)) {
        if (compareNames(orientation, "portrait") == 0) page->orientation = 0;
        if (compareNames(orientation, "landscape") == 0) page->orientation = 1;
        setMaskBit(page->changeBits, pagebit::kOrientation);
    }
}

void readLineNumbering(const xmlNode* element, XPage* page) {
    XLineNumber& numbering = page->lineNumber;
    numbering.hasLineNumber = 1;
    if (const auto countBy = shortAttribute(element, "countBy")) numbering.countBy = *countBy;
    if (const auto countBy = shortAttribute(element, "count-by")) numbering.countBy = *countBy;
    if (const auto distance = shortAttribute(element, "distance")) numbering.fromText = *distance;
    // Documents count lines from 0, the record from 1.
    if (const auto start = shortAttribute(element, "start"); start && *start < std::numeric_limits<std::int16_t>::max())
        numbering.startAt = static_cast<std::int16_t>(*start + 1);
    std::int16_t present = 0;
    if (const char* restart = xmlGetAttrString(element, nullptr, "restart", &present)) {
        numbering.restartType = 3;
        if (compareNames(restart, "new-section") == 0) numbering.restartType = 2;
        if (compareNames(restart, "continuous") == 0) numbering.restartType = 1;
    }
    setMaskBit(page->changeBits, pagebit::kLineNumber);
}

void readPageNumbering(const xmlNode* element, XPage* page) {
    XPageNumber& numbering = page->pageNumber;
    numbering.hasPageNumber = 1;
    std::int16_t present = 0;
    if (const char* format = xmlGetAttrString(element, nullptr, "fmt", &present))
        numbering.format = static_cast<std::int16_t>(lookupSectionNumberFormat(format));
    if (const auto start = shortAttribute(element, "start")) {
        numbering.startAt = *start;
        numbering.restartType = 2;
    } else {
        numbering.restartType = 1;
    }
    if (const auto chapter = shortAttribute(element, "chapStyle")) {
        numbering.hasChapterNumber = *chapter;
        numbering.headingLevel = *chapter;
        if (const char* separator = xmlGetAttrString(element, nullptr, "chapSep", &present))
            numbering.separator = static_cast<std::int16_t>(lookupChapterSeparator(separator));
    }
    setMaskBit(page->changeBits, pagebit::kPageNumber);
}

void readColumns(const xmlNode* element, XPage* page) {
    readLength(element, "num", page->columns, page, pagebit::kColumns);
    std::int16_t present = 0;
    const std::int16_t separated = xmlGetAttrBool(element, nullptr, "sep", &present);
    if (present != 0) {
        page->lineBetweenColumns = separated;
        setMaskBit(page->changeBits, pagebit::kLineBetweenColumns);
    }
    readLength(element, "space", page->spaceBetweenColumns, page, pagebit::kSpaceBetweenColumns);
    const std::int16_t equalWidth = xmlGetAttrBool(element, nullptr, "equalWidth", &present);
    if (present == 0) return;
    page->notEqualWidthColumns = equalWidth == 1 ? 0 : 1;
    setMaskBit(page->changeBits, pagebit::kNotEqualWidthColumns);
    if (page->notEqualWidthColumns != 1) return;
    int slot = 0;
    for (xmlNode* column = element->children; column != nullptr && slot < kColumnSlots; column = column->next) {
        if (!xmlIsElement(column, "w", "col")) continue;
        if (const auto width = shortAttribute(column, "w")) page->columnWidth[slot] = *width;
        if (const auto space = shortAttribute(column, "space")) page->columnSpace[slot] = *space;
        ++slot;
    }
    setMaskBit(page->changeBits, pagebit::kColumnSlots);
}

struct BorderSide {
    const char* name;
    BorderSpec XPage::*border;
    std::int16_t sideFlag;
    int bit;
};

constexpr BorderSide kBorderSides[] = {
    {"top", &XPage::borderTop, 1, 26},
    {"left", &XPage::borderLeft, 8, 27},
    {"bottom", &XPage::borderBottom, 2, 28},
    {"right", &XPage::borderRight, 4, 29},
};

// The art code ends as the last side's; the art bit stays set once any side had art.
void readPageBorders(const xmlNode* element, XPage* page) {
    std::int16_t present = 0;
    if (const char* order = xmlGetFirstAttrString(element, &present, {"zOrder", "z-order"})) {
        if (compareNames(order, "back") == 0) page->borderOptions |= kBorderBehindText;
        setMaskBit(page->changeBits, pagebit::kBorderOptions);
    }
    if (const char* offset = xmlGetFirstAttrString(element, &present, {"offsetFrom", "offset-from"})) {
        if (compareNames(offset, "page") == 0) page->borderOptions |= kBorderFromPageEdge;
        setMaskBit(page->changeBits, pagebit::kBorderOptions);
    }
    for (const xmlNode* side = element->children; side != nullptr; side = side->next) {
        for (const BorderSide& known : kBorderSides) {
            if (!xmlIsElement(side, "w", known.name)) continue;
            std::int32_t art = 0;
            parseBorder(side, &(page->*known.border), &art);
            page->borderArt = static_cast<std::int16_t>(art);
            page->borderType = static_cast<std::int16_t>(page->borderType | known.sideFlag);
            setMaskBit(page->changeBits, known.bit);
            if (art != 0) setMaskBit(page->changeBits, pagebit::kBorderArt);
        }
    }
}

// A looked-up "val" into the field, with its bit; nothing without "val".
void readLookedUp(const xmlNode* element, std::int32_t (*lookup)(const char*), std::int16_t& field, XPage* page, int bit) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, "val", &present);
    if (value == nullptr) return;
    field = static_cast<std::int16_t>(lookup(value));
    setMaskBit(page->changeBits, bit);
}

void readSectionChild(const xmlNode* child, XPage* page) {
    if (xmlIsElement(child, "w", "pgSz")) {
        readPageSize(child, page);
    } else if (xmlIsElement(child, "w", "pgMar")) {
        readLengths(child, kPageMargins, page);
    } else if (xmlIsElement(child, "w", "pgBorders")) {
        readPageBorders(child, page);
    } else if (xmlIsElement(child, "w", "lnNumType")) {
        readLineNumbering(child, page);
    } else if (xmlIsElement(child, "w", "pgNumType")) {
        readPageNumbering(child, page);
    } else if (xmlIsElement(child, "w", "cols")) {
        readColumns(child, page);
    } else if (xmlIsElement(child, "w", "vAlign")) {
        readLookedUp(child, lookupVerticalAlignment, page->textVerticalAlignment, page, pagebit::kTextVerticalAlignment);
    } else if (xmlIsElement(child, "w", "textFlow")) {
        readLookedUp(child, lookupTextFlowCompact, page->textFlow, page, pagebit::kTextFlow);
    } else if (xmlIsElement(child, "w", "titlePg")) {
        // An on/off element: val 0, false or off turns the title page off.
        page->titlePage = xmlGetToggle(child);
        setMaskBit(page->changeBits, pagebit::kTitlePage);
    } else if (xmlIsElement(child, "w", "bidi")) {
        page->direction = xmlGetToggle(child);
        setMaskBit(page->changeBits, pagebit::kDirection);
    } else if (xmlIsElement(child, "w", "rtlGutter")) {
        std::int16_t present = 0;
        const std::int32_t value = xmlGetAttrInt(child, nullptr, "val", &present);
        page->rtlGutter = present != 0 && value >= 0 && value <= std::numeric_limits<std::int16_t>::max()
                              ? static_cast<std::int16_t>(value)
                              : 1;
        setMaskBit(page->changeBits, pagebit::kRtlGutter);
    }
}

}  // namespace

void CWordMLImporter::readSectionProperties(xmlNode* sectionProperties, XPage* page) {
    if (sectionProperties == nullptr || page == nullptr) return;
    page->uniqueBits = tags.tagOf(sectionProperties);
    for (const ReferenceAttribute& reference : kReferences) {
        std::int16_t present = 0;
        const std::int32_t value = xmlGetAttrInt(sectionProperties, nullptr, reference.name, &present);
        if (present == 0) continue;
        page->*reference.field = value;
        setMaskBit(page->changeBits, reference.bit);
    }
    for (xmlNode* child = sectionProperties->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        if (xmlIsElement(child, "w", "footnotePr")) {
            readNoteProperties(child, &page->footnote);
            setMaskBit(page->changeBits, pagebit::kFootnoteFormat);
        } else if (xmlIsElement(child, "w", "endnotePr")) {
            readNoteProperties(child, &page->endnote);
            setMaskBit(page->changeBits, pagebit::kEndnoteFormat);
        } else {
            readSectionChild(child, page);
        }
    }
}

// Every item carries the properties of its section.
void CWordMLImporter::applySectionProperties(xmlNode* section) {
    if (xmlNode* properties = sectionPropertiesOf(section)) readSectionProperties(properties, &block->page);
}

#include "import/spreadsheet/styles/CStyleSheet.h"

#include <libxml/parser.h>

#include <new>

#include "foundation/CFail.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kUnit = "BL_XLML(imp)";

// The children of the first element of that name below the root, depth first.
template <typename Reader>
void forEachChild(const xmlNode* root, const char* listName, const char* itemName, Reader read) {
    xmlNode* list = xmlFindElement(root->children, nullptr, listName, 1);
    if (list == nullptr) return;
    for (const xmlNode* child = list->children; child != nullptr; child = child->next)
        if (xmlIsElement(child, nullptr, itemName)) read(child);
}

}  // namespace

CStyleSheet::CStyleSheet(xmlDoc* parsed, const std::string& builtInTableStyles) : document(parsed) {
    root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (!xmlIsElement(root, nullptr, "styleSheet")) throwFail(result::kNullObject, __LINE__, kUnit);
    readNumFmts();
    readFonts();
    readFills();
    readBorders();
    readTableStyles(builtInTableStyles);
    collectXfs("cellXfs", cellXfs);
    collectXfs("cellStyleXfs", cellStyleXfs);
    resolved.resize(cellXfs.size());
    defaultStyle.reset();
}

void CStyleSheet::readNumFmts() {
    for (std::int32_t id = 0; id < kBuiltInFormatCount; ++id) {
        CNumFmt builtIn;
        builtIn.setBuiltin(id);
        numFmts.add(builtIn);
    }
    forEachChild(root, "numFmts", "numFmt", [this](const xmlNode* element) {
        CNumFmt format;
        format.read(element);
        numFmts.add(format);
    });
}

void CStyleSheet::readFonts() {
    forEachChild(root, "fonts", "font", [this](const xmlNode* element) { fonts.emplace_back().read(element); });
}

void CStyleSheet::readFills() {
    forEachChild(root, "fills", "fill", [this](const xmlNode* element) { fills.emplace_back().read(element); });
}

void CStyleSheet::readBorders() {
    forEachChild(root, "borders", "border", [this](const xmlNode* element) { borders.emplace_back().read(element); });
}

void CStyleSheet::readTableStyles(const std::string& builtInTableStyles) {
    // The program's own styles first; without a readable file there are none, and the workbook's are
    // read all the same.
    if (!builtInTableStyles.empty()) {
        builtInDocument.reset(xmlReadFile(builtInTableStyles.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR |
                                                                                   XML_PARSE_NOWARNING));
        const xmlNode* builtInRoot = builtInDocument ? xmlDocGetRootElement(builtInDocument.get()) : nullptr;
        if (xmlIsElement(builtInRoot, nullptr, "tableStyles")) {
            for (const xmlNode* child = builtInRoot->children; child != nullptr; child = child->next) {
                if (!xmlIsElement(child, nullptr, "tableStyle")) continue;
                auto style = std::make_unique<CTableStyle>();
                style->read(child, nullptr);
                tableStyleList.append(std::move(style));
            }
        }
    }
    const xmlNode* dxfs = xmlFindElement(root->children, nullptr, "dxfs", 1);
    forEachChild(root, "tableStyles", "tableStyle", [this, dxfs](const xmlNode* element) {
        auto style = std::make_unique<CTableStyle>();
        style->read(element, dxfs);
        tableStyleList.append(std::move(style));
    });
}

void CStyleSheet::collectXfs(const char* listName, std::vector<const xmlNode*>& xfs) {
    forEachChild(root, listName, "xf", [&xfs](const xmlNode* element) { xfs.push_back(element); });
}

const CStyle& CStyleSheet::selectCellStyle(std::int32_t columnStyle, std::int32_t rowStyle, std::int32_t cellStyle) {
    if (cellStyle >= 0) return resolveStyle(cellStyle);
    if (rowStyle >= 0) return resolveStyle(rowStyle);
    if (columnStyle >= 0) return resolveStyle(columnStyle);
    return resolveStyle(0);
}

const CStyle& CStyleSheet::resolveStyle(std::int32_t index) {
    // A format the part does not have (no "cellXfs" at all, or an index past its end) shows the cell
    // with the defaults rather than failing the workbook.
    if (index < 0 || static_cast<std::size_t>(index) >= cellXfs.size()) return defaultStyle;
    std::unique_ptr<CStyle>& slot = resolved[static_cast<std::size_t>(index)];
    if (slot) return *slot;
    auto style = std::make_unique<CStyle>();
    style->reset();
    const xmlNode* xf = cellXfs[static_cast<std::size_t>(index)];
    std::int16_t present = 0;
    const std::int32_t named = xmlGetAttrInt(xf, nullptr, "xfId", &present);
    if (present != 0 && named >= 0 && static_cast<std::size_t>(named) < cellStyleXfs.size())
        style->read(cellStyleXfs[static_cast<std::size_t>(named)]);
    style->read(xf);
    if (style->applyNumberFormat) {
        if (const CNumFmt* format = numFmts.findById(style->numFmtId)) style->numFmt = *format;
    }
    const auto pick = [](const auto& list, std::int32_t id, auto& target) {
        if (id >= 0 && static_cast<std::size_t>(id) < list.size()) target = list[static_cast<std::size_t>(id)];
    };
    if (style->applyFont) pick(fonts, style->fontId, style->font);
    if (style->applyFill) pick(fills, style->fillId, style->fill);
    if (style->applyBorder) pick(borders, style->borderId, style->border);
    slot = std::move(style);
    return *slot;
}

#include "import/spreadsheet/CXLMLImporter.h"

#include <algorithm>
#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/files/AppFolders.h"
#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/PascalWString.h"
#include "foundation/language/UIStrings.h"
#include "foundation/encoding/Utf8Codec.h"
#include "import/docx/CoreProperties.h"
#include "import/docx/DocumentPropertyParts.h"
#include "import/docx/ExtendedProperties.h"
#include "import/PackageIdentity.h"
#include "import/spreadsheet/sheets/CSheetsArray.h"
#include "import/spreadsheet/sheets/CellReference.h"
#include "import/spreadsheet/CStringsArray.h"
#include "import/spreadsheet/styles/CStyleSheet.h"
#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/sheets/SheetMeasure.h"
#include "import/spreadsheet/sheets/SheetCellSource.h"
#include "model/params/ParamBlockTables.h"
#include "model/tables/XFont.h"
#include "model/params/XParamBlock.h"
#include "package/CRelationshipsTable.h"
#include "package/theme/CTheme.h"
#include "package/RelatedParts.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kUnit = "BL_XLML(imp)";
constexpr const char* kPartFolder = "xl";
constexpr const char* kWorkbookPart = "xl/workbook.xml";
constexpr std::uint16_t kTableStylesFileName = 10004;  // "tableStyles.xml"
constexpr std::int32_t kSheetNameUnits = 1024;
// The languages the theme's fonts are read for: English, Japanese and Hebrew.
constexpr std::uint32_t kLatinLanguage = 1033;
constexpr std::uint32_t kEastAsianLanguage = 1041;
constexpr std::uint32_t kComplexLanguage = 1037;

}  // namespace

CXLMLImporter::CXLMLImporter(const TranslatorDescriptor* descriptor) : CImporter(descriptor) {}

CXLMLImporter::~CXLMLImporter() {
    sheetReader.reset();
    if (package != nullptr) package->closePackage();
}

void CXLMLImporter::identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t) {
    identifyPackage(name, folder, {kPartFolder, kWorkbookPart, nullptr, "workbook"}, kUnit);
}

void CXLMLImporter::readDocument() {
    package.reset(new (std::nothrow) CRelationshipsTable());
    throwIfNull(package.get(), __LINE__, kUnit);
    const bool isFolder = file != nullptr && file->isFolder();
    package->openPackage(&block->fileSpec.name, &block->fileSpec.folder, kPartFolder, isFolder ? 1 : 0);
    package->loadRelationships("workbook.xml", 1);
    openWorkbook();
    readDocumentProperties();
    readWorkbookProperties();
    readTheme();
    readSharedStrings();
    sheets = std::make_unique<CSheetsArray>();
    queue.removeAll();
    readStyleSheet();
    addFonts();
    readSheets();
    block->sheetCount = static_cast<std::int32_t>(sheets->count());
    answerYes();
}

// Why a part fails the file goes into the block's reason text, which the report log shows with the code.
void CXLMLImporter::failWithReason(std::int16_t code, const std::string& part, const std::string& why) {
    const std::u16string reason = utf8ToUtf16String("the part " + part + " cannot be read: " + why);
    freeMemory(block->reasonText);
    block->reasonText = duplicateWString(reason.c_str());
    throwFail(code, __LINE__, kUnit);
}

void CXLMLImporter::openWorkbook() {
    xmlDoc* parsed = nullptr;
    const std::int16_t code = package->parsePart(kWorkbookPart, &parsed, &workbookRoot);
    workbookDocument.reset(parsed);
    if (code == result::kOutOfMemory) failWithReason(result::kNullObject, kWorkbookPart, "it is not well-formed XML");
    if (code != 0) throwFail(code, __LINE__, kUnit);
    if (!xmlIsElement(workbookRoot, nullptr, "workbook")) throwFail(result::kErrInaccessible, __LINE__, kUnit);
    xmlDoc* relationships = nullptr;
    xmlNode* relationshipsRoot = nullptr;
    if (package->parsePart("xl/_rels/workbook.xml.rels", &relationships, &relationshipsRoot) == 0)
        workbookRelationships.reset(relationships);
}

void CXLMLImporter::readDocumentProperties() {
    readPropertyParts(*package,
                      {
                          {"docProps/app.xml", nullptr, "Properties",
                           [this](const xmlNode* root) { readExtendedProperties(root, &block->expectedLength); }},
                          {"docProps/core.xml", "cp", "coreProperties",
                           [this](const xmlNode* root) { readCoreProperties(root, &block->head); }},
                      });
}

// "1", "true" and "on" select the 1904 date system for every date of the workbook.
void CXLMLImporter::readWorkbookProperties() {
    setWorkbookDate1904(false);
    const xmlNode* properties = xmlFindElement(workbookRoot->children, nullptr, "workbookPr", 1);
    if (properties == nullptr) return;
    std::int16_t present = 0;
    setWorkbookDate1904(xmlGetAttrBool(properties, nullptr, "date1904", &present) != 0);
}

// The part that the workbook's relationship of the kind names; present says whether the part exists.
// A part that exists but is not well-formed fails the file when its content matters (mustParse).
xmlDoc* CXLMLImporter::parseWorkbookPart(PartKind kind, const char* conventionalPath, bool mustParse,
                                         bool* present) {
    const xmlNode* relationships = workbookRelationships ? xmlDocGetRootElement(workbookRelationships.get()) : nullptr;
    const std::string path = partOfType(relationships, "xl/", kind, conventionalPath);
    xmlDoc* parsed = nullptr;
    xmlNode* root = nullptr;
    const std::int16_t code = package->parsePart(path.c_str(), &parsed, &root);
    *present = code != -100 && code != 2 && code != 3;
    if (code == result::kOutOfMemory && mustParse) failWithReason(result::kNullObject, path, "it is not well-formed XML");
    return code == 0 ? parsed : nullptr;
}

void CXLMLImporter::readTheme() {
    throwIfNull(block->theme, __LINE__, kUnit);
    bool present = false;
    // A theme that cannot be read leaves the block's theme as it was: nothing of it reaches a sheet.
    xmlDoc* parsed = parseWorkbookPart(PartKind::theme, "xl/theme/theme1.xml", false, &present);
    const PartDocument theme(parsed);
    block->theme->parse(parsed != nullptr ? xmlDocGetRootElement(parsed) : nullptr, kLatinLanguage, kEastAsianLanguage,
                        kComplexLanguage);
}

void CXLMLImporter::readSharedStrings() {
    bool present = false;
    xmlDoc* parsed = parseWorkbookPart(PartKind::sharedStrings, "xl/sharedStrings.xml", true, &present);
    sharedStrings = std::make_unique<CStringsArray>(parsed);
}

void CXLMLImporter::readStyleSheet() {
    bool present = false;
    xmlDoc* parsed = parseWorkbookPart(PartKind::styles, "xl/styles.xml", true, &present);
    const xmlNode* root = parsed != nullptr ? xmlDocGetRootElement(parsed) : nullptr;
    if (!xmlIsElement(root, nullptr, "styleSheet")) {
        xmlFreeDoc(parsed);
        failWithReason(result::kNullObject, "xl/styles.xml", present ? "its root is not a style sheet" : "it is missing");
    }
    char fileName[256];
    const std::string builtIn = pstringToUtf8(*appFolder(nullptr)) + loadText(fileName, kTableStylesFileName);
    styleSheet = std::make_unique<CStyleSheet>(parsed, builtIn);
}

void CXLMLImporter::addFonts() {
    for (std::size_t index = 0; index < styleSheet->fontCount(); ++index) {
        const CFont& font = styleSheet->fontAt(index);
        if (font.name.empty()) continue;
        XFont record{};
        record.fontFamily = font.family;
        record.fontCharset = font.charset;
        // The name is cut at a character boundary to its field.
        std::size_t length = std::min<std::size_t>(font.name.size(), kFontNameBytes - 1);
        while (length > 0 && length < font.name.size() && (static_cast<unsigned char>(font.name[length]) & 0xC0) == 0x80)
            --length;
        font.name.copy(record.fontPCName, length);
        addFontRecord(&record, block);
    }
}

// Every worksheet whose sheetData holds anything, in workbook order; chart sheets and empty worksheets
// are no sheets of the conversion. A hidden sheet is converted like the others.
void CXLMLImporter::readSheets() {
    const xmlNode* list = xmlFindElement(workbookRoot->children, nullptr, "sheets", 1);
    if (list == nullptr) failWithReason(result::kNullObject, kWorkbookPart, "it lists no sheets");
    for (const xmlNode* child = list->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, nullptr, "sheet")) continue;
        std::int16_t present = 0;
        const char* idText = xmlGetAttrString(child, "r", "id", &present);
        if (idText == nullptr) continue;
        const std::string id = idText;
        const char* nameText = xmlGetAttrString(child, nullptr, "name", &present);
        const std::string name = nameText != nullptr ? nameText : "";
        const char* sheetIdText = xmlGetAttrString(child, nullptr, "sheetId", &present);
        const std::string sheetId = sheetIdText != nullptr ? sheetIdText : "";
        const char* stateText = xmlGetAttrString(child, nullptr, "state", &present);
        const std::string state = stateText != nullptr ? stateText : "";

        SheetExtent extent;
        std::string error;
        SheetMeasureResult measured = SheetMeasureResult::kMalformed;
        try {
            measured = measureSheet(sheetPartOpener(id), &extent, &error);
        } catch (const CFail&) {
            continue;  // a part that cannot be read is passed over
        }
        std::int16_t mode = 0;
        const char* target = nullptr;
        package->getTarget(id.c_str(), &mode, &target);
        // A chart or dialog sheet is passed over; a worksheet that cannot be read fails the file.
        if (measured == SheetMeasureResult::kNotAWorksheet) continue;
        if (measured == SheetMeasureResult::kMalformed) failWithReason(result::kNullObject, target != nullptr ? target : id, error);
        if (!extent.hasRows) continue;
        auto sheet = std::make_unique<CSheet>(id, name, sheetId, stateText != nullptr ? state.c_str() : nullptr);
        sheet->lastColumn = extent.lastColumn;
        sheet->lastRow = extent.lastRow;
        sheet->partPath = target != nullptr ? target : id;
        sheets->addSheet(std::move(sheet));
    }
}

// The sheet's part, each time from its start: the passes over it read it as a stream (a large one is
// inflated ahead on a thread), never whole but where the parser must take over.
PartStreamOpener CXLMLImporter::sheetPartOpener(const std::string& relationshipId) {
    return [this, relationshipId] {
        std::int16_t mode = 0;
        const char* target = nullptr;
        std::unique_ptr<PartByteStream> stream = package->openTargetPartStream(relationshipId.c_str(), &mode, &target);
        if (!stream) throwFail(result::kNullObject, __LINE__, kUnit);
        return stream;
    };
}

void CXLMLImporter::beginSheet() {
    const CSheet* sheet = sheets != nullptr ? sheets->sheetAt(block->sheetIndex) : nullptr;
    throwIfNull(sheet, __LINE__, kUnit);
    sheetReader.reset();
    sheetPart = sheet->partPath;
    try {
        sheetReader = std::make_unique<SheetCellSource>(sheetPartOpener(sheet->relationshipId));
    } catch (const CFail&) {
        throwFail(result::kNullObject, __LINE__, kUnit);
    }

    const std::u16string name = utf8ToUtf16String(sheet->name);
    const auto units = static_cast<std::int32_t>(std::min<std::size_t>(name.size(), kSheetNameUnits));
    std::copy_n(name.data(), units, block->textBuffer);
    block->textBuffer[units] = 0;
    block->textLength = units;

    initXRule(&block->rule);
    queue.removeAll();
    pendingCell.reset();
    partEnded = false;
    lastColumn = sheet->lastColumn;
    lastRow = sheet->lastRow;
    column = 1;
    row = 1;
    cellTotal = static_cast<std::int64_t>(lastColumn) * lastRow;
    // Every position gives at least its separator, and a story's length is held in 32 bits: a grid that
    // could never be stored is refused now rather than after hours of empty cells.
    if (cellTotal > INT32_MAX)
        failWithReason(result::kNullObject, sheetPart,
                       "its cells reach " + formatCellRef(lastColumn, lastRow) + ", more than one sheet can hold");
    block->expectedLength = static_cast<std::int32_t>(std::min<std::int64_t>(cellTotal * 16, INT32_MAX));
    answerYes();
}

void CXLMLImporter::endSheet() {
    queue.removeAll();
    pendingCell.reset();
    sheetReader.reset();
    answerYes();
}

void CXLMLImporter::endDocument() {
    endSheet();
    workbookDocument.reset();
    workbookRoot = nullptr;
    answerYes();
}

CBaseTranslator* makeXLMLImporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CXLMLImporter(descriptor);
}

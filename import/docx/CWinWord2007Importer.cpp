#include "import/docx/CWinWord2007Importer.h"

#include <new>
#include <string>

#include "engine/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/CFile.h"
#include "foundation/CLanguage.h"
#include "foundation/NameCompare.h"
#include "import/docx/CoreProperties.h"
#include "import/docx/DocumentPropertyParts.h"
#include "import/docx/DocumentSettings.h"
#include "import/docx/ExtendedProperties.h"
#include "import/docx/HeaderFooterReferences.h"
#include "import/docx/RevisionAuthors.h"
#include "import/wordml/AlternateContent.h"
#include "import/wordml/PartRelationships.h"
#include "model/XParamBlock.h"
#include "package/CRelationshipsTable.h"
#include "package/CTheme.h"
#include "package/PartName.h"
#include "package/XmlElementSearch.h"
#include "package/XmlNodeHelpers.h"

namespace {

constexpr const char* kUnit = "BL_WinWord2007(imp)";
constexpr const char* kPartFolder = "word";
constexpr const char* kMainPart = "word/document.xml";

// The Windows language id of a tag such as "en-US"; English when the language tables are not read.
std::uint32_t languageIdOf(const std::string& tag) {
    const CLanguage* tables = languageTables();
    if (tables == nullptr) return kDefaultLanguageId;
    std::string name = tag;
    return tables->languageId(name.data());
}

// The part's tree and root; the tree is empty and the root null when the part cannot be had.
PartDocument parseOptionalPart(CRelationshipsTable& package, const char* path, xmlNode** root) {
    xmlDoc* parsed = nullptr;
    *root = nullptr;
    if (package.parsePart(path, &parsed, root) != 0) {
        *root = nullptr;
        return PartDocument();
    }
    keepAlternateFallbacks(*root);
    return PartDocument(parsed);
}

// The part that the main part's relationship of the given type names (the type's last segment, such as
// "numbering", whatever domain precedes it); the conventional path when no relationship names one.
// `relationships` is the root of the main part's ".rels" part, or null.
std::string partOfType(const xmlNode* relationships, const char* type, const char* conventionalPath) {
    const std::string wanted = std::string("/") + type;
    for (xmlNode* child = relationships != nullptr ? relationships->children : nullptr; child != nullptr;
         child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        std::int16_t present = 0;
        const char* relationType = xmlGetAttrString(child, nullptr, "Type", &present);
        if (relationType == nullptr || !std::string_view(relationType).ends_with(wanted)) continue;
        if (const char* mode = xmlGetAttrString(child, nullptr, "TargetMode", &present);
            mode != nullptr && compareNames(mode, "External") == 0)
            continue;
        if (const char* target = xmlGetAttrString(child, nullptr, "Target", &present)) {
            if (auto part = resolvePartName("word/", target)) return *part;
        }
    }
    return conventionalPath;
}

// The main part's related part of a type (numbering, styles) and its root element of the given name; an
// empty tree and a null root without one.
PartDocument parseRelatedPart(CRelationshipsTable& package, const xmlNode* relationships, const char* type,
                              const char* conventionalPath, const char* rootName, xmlNode** root) {
    const std::string path = partOfType(relationships, type, conventionalPath);
    PartDocument part = parseOptionalPart(package, path.c_str(), root);
    if (xmlIsElement(*root, "w", rootName) == 0) *root = nullptr;
    return part;
}

}  // namespace

CWinWord2007Importer::CWinWord2007Importer(const TranslatorDescriptor* descriptor) : CWordMLImporter(descriptor) {}

CWinWord2007Importer::~CWinWord2007Importer() {
    if (package != nullptr) package->closePackage();
}

void CWinWord2007Importer::identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t) {
    const std::unique_ptr<CFile> item(new (std::nothrow) CFile(name, folder, kAnyFileCode, kAnyFileCode, 1, 0,
                                                               kGenericRead, kGenericRead));
    throwIfNull(item.get(), __LINE__, kUnit);
    CRelationshipsTable probe;
    probe.openPackage(&name, &folder, kPartFolder, item->isFolder() ? 1 : 0);
    bool isDocument = false;
    const std::int16_t code = probe.partRootIs(kMainPart, "w", "document", &isDocument);
    if (code != 0) throwFail(code, __LINE__, kUnit);
    if (!isDocument) throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

void CWinWord2007Importer::readDocument() {
    if (document != nullptr) xmlFreeDoc(document);
    document = nullptr;
    forgetSectionLookups();
    partDocuments.clear();
    partRelationships.clear();
    package.reset(new (std::nothrow) CRelationshipsTable());
    throwIfNull(package.get(), __LINE__, kUnit);
    const bool isFolder = file != nullptr && file->isFolder();
    package->openPackage(&block->fileSpec.name, &block->fileSpec.folder, kPartFolder, isFolder ? 1 : 0);
    package->loadRelationships("document.xml", 1);
    pictureRelationships = package.get();
    pictureRelationshipsPart.clear();
    openMainPart();
    tags.collectFrom(rootElement);

    readDocumentProperties();
    setDefaultLanguages();
    readTheme();
    readFontTable();
    {
        // The trees are needed only while they are read: the style and list tables keep copies. The
        // styles come first, the lists next, and the styles are published once both are known. The main
        // part's relationships, which name both parts, are parsed once for the two.
        xmlNode* relationships = nullptr;
        const PartDocument relationshipsPart =
            parseOptionalPart(*package, "word/_rels/document.xml.rels", &relationships);
        xmlNode* styleSheet = nullptr;
        const PartDocument styleSheetPart =
            parseRelatedPart(*package, relationships, "styles", "word/styles.xml", "styles", &styleSheet);
        readStyles(styleSheet);
        xmlNode* numbering = nullptr;
        const PartDocument numberingPart =
            parseRelatedPart(*package, relationships, "numbering", "word/numbering.xml", "numbering", &numbering);
        readLists(numbering);
    }
    publishStyles();
    collectAnnotationAuthors(bodyElement);
    readBackground(xmlFindElement(rootElement->children, "w", "bgPict", 0), rootElement);
    resetSectionDefaults();
    readFirstSection();

    prepareStoryWalk();
    readHeadersAndFooters();
    readNotesAndComments();
    gatherTablesAndTextBoxes();
    block->sheetCount = 1;
    answerYes();
}

void CWinWord2007Importer::openMainPart() {
    xmlNode* root = nullptr;
    const std::int16_t code = package->parsePart(kMainPart, &document, &root);
    if (code != 0) throwFail(code, __LINE__, kUnit);
    rootElement = root;
    keepAlternateFallbacks(rootElement);
    if (!xmlIsElement(rootElement, "w", "document")) throwFail(result::kErrInaccessible, __LINE__, kUnit);
    bodyElement = xmlFindElement(rootElement->children, "w", "body", 0);
    if (bodyElement == nullptr) throwFail(result::kOutOfMemory, __LINE__, kUnit);
}

void CWinWord2007Importer::readDocumentProperties() {
    throwIfNull(package.get(), __LINE__, kUnit);
    SettingsTargets settings;
    settings.head = &block->head;
    settings.footnotes = &footnoteFormat;
    settings.endnotes = &endnoteFormat;
    settings.readNotes = [this](xmlNode* element, XFootnote* format) { readNoteProperties(element, format); };
    settings.latinLanguage = &latinLanguage;
    settings.eastAsianLanguage = &eastAsianLanguage;
    settings.complexScriptLanguage = &complexScriptLanguage;
    readPropertyParts(*package,
                      {
                          {"docProps/app.xml", nullptr, "Properties",
                           [this](const xmlNode* root) { readExtendedProperties(root, &block->expectedLength); }},
                          {"docProps/core.xml", "cp", "coreProperties",
                           [this](const xmlNode* root) { readCoreProperties(root, &block->head); }},
                          {"word/settings.xml", "w", "settings",
                           [&settings](const xmlNode* root) { readDocumentSettings(root, settings); }},
                          // Nothing of the web settings concerns a converted document.
                          {"word/webSettings.xml", "w", "webSettings", nullptr},
                      });
}

// The theme's major and minor Latin typefaces join the font table: the document's text is set in them
// wherever it names a theme font.
void CWinWord2007Importer::readTheme() {
    throwIfNull(block->theme, __LINE__, kUnit);
    xmlNode* root = nullptr;
    const PartDocument theme = parseOptionalPart(*package, "word/theme/theme1.xml", &root);
    block->theme->parse(root, languageIdOf(latinLanguage), languageIdOf(eastAsianLanguage),
                        languageIdOf(complexScriptLanguage));
    for (const char* typeface : {block->theme->minorFonts().latin(), block->theme->majorFonts().latin()}) {
        if (typeface != nullptr) addFontNamed(typeface);
    }
}

void CWinWord2007Importer::readFontTable() {
    xmlNode* root = nullptr;
    const PartDocument fontTable = parseOptionalPart(*package, "word/fontTable.xml", &root);
    readFonts(root);
}

void CWinWord2007Importer::collectAnnotationAuthors(xmlNode* first) { collectRevisionAuthors(first, block); }

// A link's id is a relationship of the part that holds the link: the main part, a header, the notes.
// Each part's relationships are read once, on the first link that asks for them.
std::string CWinWord2007Importer::relationshipTarget(const xmlNode* holder, const char* id) {
    if (package == nullptr || holder == nullptr || holder->doc == nullptr || holder->doc->URL == nullptr || id == nullptr)
        return {};
    const std::string partPath(reinterpret_cast<const char*>(holder->doc->URL));
    auto [entry, added] = partRelationships.try_emplace(partPath);
    if (added) entry->second.reset(package->openRelationshipsPart(relationshipsPartOf(partPath).c_str()));
    std::int16_t mode = 0;
    const char* target = nullptr;
    if (entry->second == nullptr || entry->second->getTarget(id, &mode, &target) == 0 || target == nullptr) return {};
    return target;
}

// The document's page setup is its first section's, wherever that section's properties stand.
void CWinWord2007Importer::readFirstSection() {
    if (xmlNode* firstSection = xmlFindElement(bodyElement->children, "w", "sectPr", 1))
        readSectionProperties(firstSection, &block->page);
}

void CWinWord2007Importer::readHeadersAndFooters() {
    headerNodes = std::make_unique<TNodesArray>();
    footerNodes = std::make_unique<TNodesArray>();
    HeaderFooterReferences references(*package, *headerNodes, *footerNodes, tags, partDocuments);
    references.collect(bodyElement);
    references.inheritTags();
}

xmlNode* CWinWord2007Importer::keepPart(const char* path) {
    xmlNode* root = nullptr;
    PartDocument part = parseOptionalPart(*package, path, &root);
    if (root == nullptr) return nullptr;
    partDocuments.push_back(std::move(part));
    return root;
}

// A kind whose part is missing has no list, so its stories are absent.
void CWinWord2007Importer::readNotesAndComments() {
    if (xmlNode* footnotes = keepPart("word/footnotes.xml")) {
        footnoteNodes = std::make_unique<TNodesArray>();
        footnoteNodes->collectNotes(footnotes->children, "footnote");
    }
    if (xmlNode* endnotes = keepPart("word/endnotes.xml")) {
        endnoteNodes = std::make_unique<TNodesArray>();
        endnoteNodes->collectNotes(endnotes->children, "endnote");
    }
    if (xmlNode* comments = keepPart("word/comments.xml")) {
        commentNodes = std::make_unique<TNodesArray>();
        commentNodes->collectElements(comments->children, "comment");
        collectAnnotationAuthors(comments->children);
    }
}

// Tables and text boxes of the body first, then those of the side parts.
void CWinWord2007Importer::gatherTablesAndTextBoxes() {
    tableNodes = std::make_unique<TNodesArray>();
    textboxNodes = std::make_unique<TNodesArray>();
    tableNodes->collectTables(bodyElement->children, tags);
    textboxNodes->collectTextBoxes(bodyElement->children);
    for (const PartDocument& part : partDocuments) {
        xmlNode* root = xmlDocGetRootElement(part.get());
        if (root == nullptr) continue;
        tableNodes->collectTables(root->children, tags);
        textboxNodes->collectTextBoxes(root->children);
    }
}

CBaseTranslator* makeWord2007Importer(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CWinWord2007Importer(descriptor);
}

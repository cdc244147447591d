#include "import/docx/CWinWord2007Importer.h"

#include <new>
#include <optional>
#include <string>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/language/CLanguage.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/NameCompare.h"
#include "import/docx/CoreProperties.h"
#include "import/docx/DocumentPropertyParts.h"
#include "import/docx/DocumentSettings.h"
#include "import/docx/ExtendedProperties.h"
#include "import/docx/HeaderFooterReferences.h"
#include "import/docx/RevisionAuthors.h"
#include "import/wordml/text/AlternateContent.h"
#include "import/wordml/PartRelationships.h"
#include "model/params/XParamBlock.h"
#include "package/CRelationshipsTable.h"
#include "package/theme/CTheme.h"
#include "package/PackageParts.h"
#include "package/PartName.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kUnit = "BL_WinWord2007(imp)";
constexpr const char* kPartFolder = "word";
constexpr const char* kMainPart = "word/document.xml";
constexpr std::int16_t kMissingMember = -100;     // the zip reader's answer for a part not in the package
constexpr std::int32_t kReasonUnits = 512;
// The reasons a package of ours is refused with.
constexpr std::uint16_t kIncompletePackageText = 30002;
constexpr std::uint16_t kDamagedPartText = 30003;
constexpr std::uint16_t kNotWellFormedText = 30004;

// The parts the main part names by kind, with the names they conventionally have beside it.
struct RelatedPartName {
    PartKind kind;
    const char* conventionalName;
};
constexpr RelatedPartName kRelatedParts[] = {
    {PartKind::theme, "theme/theme1.xml"},   {PartKind::fontTable, "fontTable.xml"},
    {PartKind::settings, "settings.xml"},    {PartKind::webSettings, "webSettings.xml"},
    {PartKind::styles, "styles.xml"},        {PartKind::numbering, "numbering.xml"},
    {PartKind::footnotes, "footnotes.xml"},  {PartKind::endnotes, "endnotes.xml"},
    {PartKind::comments, "comments.xml"},
};

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

// The main part's related part of a kind and its root element of the given name; an empty tree and a
// null root without one.
PartDocument parseRelatedPart(CRelationshipsTable& package, const std::string& path, const char* rootName,
                              xmlNode** root) {
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
    const bool isFolder = item->isFolder();
    const std::int16_t opened = failureCode([&] { probe.openPackage(&name, &folder, kPartFolder, isFolder ? 1 : 0); });
    // Detection has seen the zip signature: a package that cannot be opened past it is damaged.
    if (opened == result::kOutOfMemory && !isFolder) refuseAsDamaged(kIncompletePackageText, nullptr, __LINE__);
    throwIfError(opened, __LINE__, kUnit);
    xmlNode* root = nullptr;
    PartDocument mainPart;
    const std::int16_t parsed = failureCode([&] { mainPart = parseMainPart(probe, &root, true); });
    if (parsed != 0) refuseUnreadableMainPart(parsed);
    if (!xmlIsElement(root, "w", "document")) throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

// A package without a main part is not refused here: detection goes on, and a file that no importer
// takes is told apart by its extension.
void CWinWord2007Importer::refuseUnreadableMainPart(std::int16_t code) {
    switch (code) {
    case kMissingMember:
        throwFail(result::kErrInaccessible, __LINE__, kUnit);
    case result::kOutOfMemory:  // the reader's answer for text that does not parse
        refuseAsDamaged(kNotWellFormedText, lastTriedPart.c_str(), __LINE__);
    default:  // data that does not inflate, ends early or does not match its checksum
        refuseAsDamaged(kDamagedPartText, lastTriedPart.c_str(), __LINE__);
    }
}

void CWinWord2007Importer::refuseAsDamaged(std::uint16_t textId, const char* partName, std::int32_t line) {
    char16_t text[kReasonUnits];
    if (partName != nullptr) {
        formatUniResource(text, textId, partName);
    } else {
        loadUniText(text, textId);
    }
    freeMemory(block->reasonText);
    block->reasonText = duplicateWString(text);
    throwIfNull(block->reasonText, __LINE__, kUnit);
    throwFail(result::kErrInaccessible, line, kUnit);
}

PartDocument CWinWord2007Importer::parseMainPart(CRelationshipsTable& opened, xmlNode** root, bool rootOnly) {
    std::int16_t code = 0;
    for (const std::string& candidate : mainPartCandidates(opened, kMainPart)) {
        xmlDoc* parsed = nullptr;
        lastTriedPart = candidate;
        code = rootOnly ? opened.parsePartRoot(candidate.c_str(), &parsed, root)
                        : opened.parsePart(candidate.c_str(), &parsed, root);
        // A part that is there but cannot be read is this package's main part: no other is looked for.
        if (code != 0 && code != kMissingMember) break;
        if (code == 0) {
            opened.setBaseFolder(folderOfPart(candidate));
            mainPartName = candidate.substr(candidate.rfind('/') + 1);
            return PartDocument(parsed);
        }
    }
    throwFail(code, __LINE__, kUnit);
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
    openMainPart();
    package->loadRelationships(mainPartName.c_str(), 1);
    findRelatedParts();
    pictureRelationships = package.get();
    pictureRelationshipsPart.clear();
    tags.collectFrom(rootElement);

    readDocumentProperties();
    setDefaultLanguages();
    readTheme();
    readFontTable();
    {
        // The trees are needed only while they are read: the style and list tables keep copies. The
        // styles come first, the lists next, and the styles are published once both are known.
        xmlNode* styleSheet = nullptr;
        const PartDocument styleSheetPart =
            parseRelatedPart(*package, relatedPart(PartKind::styles), "styles", &styleSheet);
        readStyles(styleSheet);
        xmlNode* numbering = nullptr;
        const PartDocument numberingPart =
            parseRelatedPart(*package, relatedPart(PartKind::numbering), "numbering", &numbering);
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
    document = parseMainPart(*package, &root).release();
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
    std::int16_t compatibilityMode = 0;
    settings.compatibilityMode = &compatibilityMode;
    const std::string extendedProperties =
        packagePartOfKind(*package, PartKind::extendedProperties, "docProps/app.xml");
    const std::string coreProperties = packagePartOfKind(*package, PartKind::coreProperties, "docProps/core.xml");
    readPropertyParts(*package,
                      {
                          {extendedProperties.c_str(), nullptr, "Properties",
                           [this](const xmlNode* root) { readExtendedProperties(root, &block->expectedLength); }},
                          {coreProperties.c_str(), "cp", "coreProperties",
                           [this](const xmlNode* root) { readCoreProperties(root, &block->head); }},
                          {relatedPart(PartKind::settings).c_str(), "w", "settings",
                           [&settings](const xmlNode* root) { readDocumentSettings(root, settings); }},
                          // Nothing of the web settings concerns a converted document.
                          {relatedPart(PartKind::webSettings).c_str(), "w", "webSettings", nullptr},
                      });
    // From Word 2013's layout on, a table's indent places the table's edge, no longer its text.
    constexpr std::int16_t kWord2013Layout = 15;
    tableIndentPlacesEdge = compatibilityMode >= kWord2013Layout;
}

// The theme's major and minor Latin typefaces join the font table: the document's text is set in them
// wherever it names a theme font.
void CWinWord2007Importer::readTheme() {
    throwIfNull(block->theme, __LINE__, kUnit);
    xmlNode* root = nullptr;
    const PartDocument theme = parseOptionalPart(*package, relatedPart(PartKind::theme).c_str(), &root);
    block->theme->parse(root, languageIdOf(latinLanguage), languageIdOf(eastAsianLanguage),
                        languageIdOf(complexScriptLanguage));
    for (const char* typeface : {block->theme->minorFonts().latin(), block->theme->majorFonts().latin()}) {
        if (typeface != nullptr) addFontNamed(typeface);
    }
}

void CWinWord2007Importer::readFontTable() {
    xmlNode* root = nullptr;
    const PartDocument fontTable = parseOptionalPart(*package, relatedPart(PartKind::fontTable).c_str(), &root);
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

// Taken while the main part's relationships are loaded: the story walk loads those of other parts.
void CWinWord2007Importer::findRelatedParts() {
    relatedParts.clear();
    for (const RelatedPartName& related : kRelatedParts) {
        std::optional<std::string> named = package->partOfKind(related.kind);
        relatedParts.emplace_back(related.kind, named ? *named : package->getSourceFolder() + related.conventionalName);
    }
}

const std::string& CWinWord2007Importer::relatedPart(PartKind kind) const {
    for (const auto& [partKind, name] : relatedParts) {
        if (partKind == kind) return name;
    }
    throwFail(result::kNullObject, __LINE__, kUnit);
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
    if (xmlNode* footnotes = keepPart(relatedPart(PartKind::footnotes).c_str())) {
        footnoteNodes = std::make_unique<TNodesArray>();
        footnoteNodes->collectNotes(footnotes->children, "footnote");
    }
    if (xmlNode* endnotes = keepPart(relatedPart(PartKind::endnotes).c_str())) {
        endnoteNodes = std::make_unique<TNodesArray>();
        endnoteNodes->collectNotes(endnotes->children, "endnote");
    }
    if (xmlNode* comments = keepPart(relatedPart(PartKind::comments).c_str())) {
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

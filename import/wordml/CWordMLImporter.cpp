#include "import/wordml/CWordMLImporter.h"

#include <climits>
#include <cstring>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "import/wordml/WordMLParsing.h"
#include "import/wordml/annotations/AnnotationComments.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"

namespace {

constexpr const char* kUnit = "BL_WordML(imp)";

}  // namespace

CWordMLImporter::CWordMLImporter(const TranslatorDescriptor* descriptor)
    : CImporter(descriptor), footnoteFormat(kDefaultFootnote), endnoteFormat(kDefaultEndnote) {}

CWordMLImporter::~CWordMLImporter() {
    // Request 25 frees the tree; a document request that failed is never followed by it.
    if (document != nullptr) xmlFreeDoc(document);
}

void CWordMLImporter::readInput(std::string& bytes) {
    throwIfNull(file, __LINE__, kUnit);
    std::uint32_t size = 0;
    throwIfError(file->getSize(size), __LINE__, kUnit);
    if (size >= static_cast<std::uint32_t>(INT_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    bytes.resize(size);
    if (size > 0) throwIfError(file->read(bytes.data(), static_cast<std::int32_t>(size), kFromStart, 0), __LINE__, kUnit);
}

// Leaves the reason where the engine finds a translator's reasons, then fails the file with 22.
void CWordMLImporter::refuseDocument(const std::string& problem, std::int32_t line) {
    freeMemory(block->reasonText);
    const std::u16string reason = utf8ToUtf16String(problem);
    block->reasonText = duplicateWString(reason.c_str());
    throwFail(result::kNullObject, line, kUnit);
}

void CWordMLImporter::readDocument() {
    if (document != nullptr) xmlFreeDoc(document);
    document = nullptr;
    forgetSectionLookups();
    {
        std::string bytes;
        readInput(bytes);
        std::string problem;
        document = parseWordDocument(bytes.data(), static_cast<std::int32_t>(bytes.size()), &problem);
        if (document == nullptr) refuseDocument(problem, __LINE__);
    }
    rootElement = xmlDocGetRootElement(document);
    throwIfNull(rootElement, __LINE__, kUnit);
    if (!xmlIsElement(rootElement, "w", "wordDocument")) refuseDocument("the root is not w:wordDocument", __LINE__);
    bodyElement = xmlFindElement(rootElement->children, "w", "body", 0);
    if (bodyElement == nullptr) refuseDocument("the document has no w:body", __LINE__);
    tags.collectFrom(rootElement);

    readDocumentProperties();
    setDefaultLanguages();
    readFonts(xmlFindElement(rootElement->children, "w", "fonts", 0));
    readStyles(xmlFindElement(rootElement->children, "w", "styles", 0));
    readLists(xmlFindElement(rootElement->children, "w", "lists", 0));
    publishStyles();
    collectAnnotationAuthors(bodyElement->children);
    readBackground(xmlFindElement(rootElement->children, "w", "bgPict", 0), rootElement);
    resetSectionDefaults();
    if (xmlNode* firstSection = xmlFindElement(bodyElement->children, "w", "sectPr", 1))
        readSectionProperties(firstSection, &block->page);

    prepareStoryWalk();
    gatherStories();
    block->sheetCount = 1;
    answerYes();
}

void CWordMLImporter::prepareStoryWalk() {
    paragraphs = std::make_unique<TParagraphsArray>([this](xmlNode* node) { return findSectionNode(node); }, tags);
    tableRows = std::make_unique<TTableRowsArray>(tableRowReaders());
}

void CWordMLImporter::gatherStories() {
    headerNodes = std::make_unique<TNodesArray>();
    headerNodes->collectHeadersFooters(bodyElement->children, "hdr", tags);
    footerNodes = std::make_unique<TNodesArray>();
    footerNodes->collectHeadersFooters(bodyElement->children, "ftr", tags);
    tableNodes = std::make_unique<TNodesArray>();
    tableNodes->collectTables(bodyElement->children, tags);
    footnoteNodes = std::make_unique<TNodesArray>();
    footnoteNodes->collectNotes(bodyElement->children, "footnote");
    endnoteNodes = std::make_unique<TNodesArray>();
    endnoteNodes->collectNotes(bodyElement->children, "endnote");
    commentNodes = std::make_unique<TNodesArray>();
    commentNodes->collectElements(bodyElement->children, "annotation");
    collectAnnotationComments(*commentNodes, bodyElement->children);
    textboxNodes = std::make_unique<TNodesArray>();
    textboxNodes->collectTextBoxes(bodyElement->children);
}

void CWordMLImporter::hasMainStory() {
    throwIfNull(bodyElement, __LINE__, kUnit);
    importPart(bodyElement, false);
    answerYes();
}

// The request's own code stays in the block (absent) unless the list has a further node.
void CWordMLImporter::answerStory(TNodesArray* list, bool withKind, bool withShapeName) {
    const TNode* node = list != nullptr ? list->next() : nullptr;
    if (node == nullptr) return;
    if (withKind) {
        block->storyType = node->storyType;
        block->storyMark = node->storyMark;
    }
    if (withShapeName) {
        // At most 127 bytes, cut before a character that would not fit whole.
        std::size_t length = std::min<std::size_t>(node->shapeId.size(), kStoryNameBytes - 1);
        while (length > 0 && length < node->shapeId.size() &&
               (static_cast<unsigned char>(node->shapeId[length]) & 0xC0) == 0x80)
            --length;
        std::memcpy(block->storyName, node->shapeId.data(), length);
        block->storyName[length] = '\0';
    }
    importPart(node->node, node->isTable);
    answerYes();
}

void CWordMLImporter::hasHeaderStory() { answerStory(headerNodes.get(), true, false); }
void CWordMLImporter::hasFooterStory() { answerStory(footerNodes.get(), true, false); }
void CWordMLImporter::hasCommentStory() { answerStory(commentNodes.get(), false, false); }
void CWordMLImporter::hasFootnoteStory() { answerStory(footnoteNodes.get(), false, false); }
void CWordMLImporter::hasEndnoteStory() { answerStory(endnoteNodes.get(), false, false); }
void CWordMLImporter::hasGraphicStory() { answerStory(textboxNodes.get(), false, true); }
void CWordMLImporter::hasTableStory() { answerStory(tableNodes.get(), true, false); }

void CWordMLImporter::importPart(xmlNode* element, bool isTable) {
    throwIfNull(paragraphs.get(), __LINE__, kUnit);
    paragraphs->clear();
    paragraphs->fill(element, isTable);
    current = {};
    if (paragraphRecords != nullptr) paragraphRecords->valid = false;
    currentSimpleField = nullptr;
    currentHyperlink = nullptr;
    replayPosition = false;
    rowEndPending = false;
    pendingEndMark = 0;
    pending.clear();
    pendingOffset = 0;
    prepareCommentInformation(element);
    gatherStoryPictures(element);
}

bool CWordMLImporter::nextPosition(WalkItem& item) {
    if (replayPosition) {
        replayPosition = false;
        item = current;
        return true;
    }
    return paragraphs != nullptr && paragraphs->nextItem(item);
}

void CWordMLImporter::endDocument() {
    if (document != nullptr) xmlFreeDoc(document);
    document = nullptr;
    rootElement = nullptr;
    bodyElement = nullptr;
    answerYes();
}

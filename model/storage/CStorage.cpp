#include "model/storage/CStorage.h"

#include <libxml/parser.h>
#include <libxml/xmlsave.h>

#include <climits>
#include <new>
#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "model/storage/XmlErrors.h"
#include "platform/files/FileSystem.h"

namespace {

constexpr const char* kUnit = "BStorage";
constexpr const char* kRootName = "Root_Storage";
constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;

// No network, and none of the options that substitute entities, load an external DTD or take default
// attributes from one; huge-document mode stays off, so the library's own limits hold.
constexpr int kParseOptions = XML_PARSE_NONET;

const xmlChar* xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

// Frees a block of the memory layer on every path out.
class HeapBlock {
public:
    explicit HeapBlock(std::int32_t bytes) : block(allocMemory(bytes)) {}
    ~HeapBlock() { freeMemory(block); }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    char* get() const { return static_cast<char*>(block); }

private:
    void* block;
};

// Frees a text of the XML library on every path out.
class LibraryBytes {
public:
    LibraryBytes() = default;
    ~LibraryBytes() { xmlFree(bytes); }
    LibraryBytes(const LibraryBytes&) = delete;
    LibraryBytes& operator=(const LibraryBytes&) = delete;
    xmlChar* bytes = nullptr;
    int size = 0;
};

std::string& parseProblem() {
    static std::string problem;
    return problem;
}

// A file in the folder of `target` under the first free temporary name, created empty.
std::int16_t createTemporaryBeside(const CFile& target, CFile& temporary) {
    for (std::int32_t n = 1; n <= kTemporaryNameLimit; ++n) {
        char label[64];
        formatString(label, kTemporaryNameFormat, static_cast<int>(n));
        PascalWString name{};
        assignCString(name, label);
        name.units[name.length() + 1] = 0;
        temporary.setNameAndFolder(name, target.getFolder());
        const std::int16_t created = temporary.create(0);
        if (created != platform::error::kFileExists) return created;
    }
    return platform::error::kFileExists;
}

}  // namespace

// The constructors open the storage with this class's own open(): a virtual call made while
// constructing never reaches an override, so it is written as what it does.
CStorage::CStorage(CFile* boundFile, std::int16_t storageMode) : file(boundFile), mode(storageMode) {
    CStorage::open();
}

CStorage::CStorage(const char16_t* name, const PascalWString& folder, std::int16_t storageMode) : mode(storageMode) {
    // A storage that is only read opens its file for reading, so read-only data files and folders serve.
    const std::uint32_t access = storageMode == storagemode::kWrite ? kReadWrite : kGenericRead;
    file = new (std::nothrow) CFile(name, folder, kAnyFileCode, kAnyFileCode, 1, 0, access, access);
    throwIfNull(file, __LINE__, kUnit);
    ownsFile = 1;
    try {
        CStorage::open();
    } catch (...) {
        disposeObject(file);
        rethrowFailure();
    }
}

CStorage::~CStorage() {
    freeDocument();
    if (ownsFile == 1) disposeObject(file);
}

std::int16_t CStorage::open() {
    freeDocument();
    if (file == nullptr || mode == storagemode::kWrite) buildNewDocument();
    else parseFile();
    root.setNode(rootNode);
    return result::kSuccess;
}

const std::string& CStorage::lastParseProblem() {
    return parseProblem();
}

CStream* CStorage::rootStream() {
    return &root;
}

void CStorage::clearWriteMode() {
    mode = storagemode::kRead;
}

void CStorage::releaseFile() {
    mode = storagemode::kRead;
    if (ownsFile == 1) disposeObject(file);
    file = nullptr;
    ownsFile = 0;
}

void CStorage::buildNewDocument() {
    document = xmlNewDoc(xml("1.0"));
    throwIfNull(document, __LINE__, kUnit);
    // Element and attribute names, and the short attribute values that repeat in every run element, are
    // kept once in the document's dictionary (as a parsed document keeps them) instead of once per node:
    // a long document's storage holds hundreds of thousands of them.
    document->dict = xmlDictCreate();
    if (document->dict == nullptr) {
        freeDocument();
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    packed.reset(new (std::nothrow) PackedAttributes(document));
    if (packed == nullptr) {
        freeDocument();
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    rootNode = xmlNewDocNode(document, nullptr, xml(kRootName), nullptr);
    if (rootNode == nullptr) {
        freeDocument();
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    xmlDocSetRootElement(document, rootNode);
}

void CStorage::parseFile() {
    throwIfError(file->open(), __LINE__, kUnit);
    std::uint32_t size = 0;
    throwIfError(file->getSize(size), __LINE__, kUnit);
    if (size >= static_cast<std::uint32_t>(INT_MAX)) throwFail(platform::error::kFileTooLarge, __LINE__, kUnit);
    const HeapBlock bytes(static_cast<std::int32_t>(size) + 1);
    throwIfNull(bytes.get(), __LINE__, kUnit);
    if (size > 0) throwIfError(file->read(bytes.get(), static_cast<std::int32_t>(size), kFromStart, 0), __LINE__, kUnit);

    if (size == 0) {
        parseProblem() = "the file is empty";
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    xmlDoc* parsed = nullptr;
    {
        XmlErrorCapture capture;
        parsed = xmlReadMemory(bytes.get(), static_cast<int>(size), nullptr, nullptr, kParseOptions);
        parseProblem() = capture.firstMessage();
        if (parsed != nullptr && capture.hasFatalError()) {
            xmlFreeDoc(parsed);
            parsed = nullptr;
        }
    }
    if (parsed == nullptr) {
        if (parseProblem().empty()) parseProblem() = "the file is not well-formed XML";
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    xmlNode* element = xmlDocGetRootElement(parsed);
    if (element == nullptr) {
        xmlFreeDoc(parsed);
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    document = parsed;
    rootNode = element;
}

void CStorage::freeDocument() {
    root.setNode(nullptr);
    if (document != nullptr) xmlFreeDoc(document);
    document = nullptr;
    packed.reset();
    rootNode = nullptr;
}

void CStorage::unpackAttributes() const {
    if (packed != nullptr && !packed->unpackTree(rootNode)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
}

xmlDoc* CStorage::getDocument() const {
    unpackAttributes();
    return document;
}

std::int16_t CStorage::save() {
    if (document == nullptr || file == nullptr || mode != storagemode::kWrite) return result::kSuccess;
    unpackAttributes();
    LibraryBytes dump;
    {
        XmlErrorCapture capture;
        xmlDocDumpMemoryEnc(document, &dump.bytes, &dump.size, "UTF-8");
    }
    throwIfNull(dump.bytes, __LINE__, kUnit);

    CFile temporary(makePascal(u""), file->getFolder(), kAnyFileCode, kAnyFileCode, 0, 0, kReadWrite, kReadWrite);
    std::int16_t code = createTemporaryBeside(*file, temporary);
    throwIfError(code, __LINE__, kUnit);
    code = temporary.open();
    if (code == result::kSuccess) code = temporary.write(dump.bytes, dump.size, kFromStart, 0);
    if (code == result::kSuccess) code = temporary.close();
    if (code == result::kSuccess) {
        // The bound file's handle would still see the replaced contents.
        file->close();
        const std::u16string temporaryPath = temporary.getFullPath();
        const std::u16string targetPath = file->getFullPath();
        code = platform::replaceFile(platform::NativePath::fromWide(temporaryPath),
                                     platform::NativePath::fromWide(targetPath));
    }
    if (code != result::kSuccess) {
        temporary.remove();
        throwFail(code, __LINE__, kUnit);
    }
    return result::kSuccess;
}

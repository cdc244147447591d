#include "package/CRelationshipsTable.h"

#include <libxml/parser.h>

#include <new>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/CFile.h"
#include "foundation/files/Paths.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/NameCompare.h"
#include "foundation/text/TextCompare.h"
#include "package/PartName.h"
#include "package/xml/RootElementParse.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kUnit = "BRelationship";
constexpr const char* kZipSeparator = "/";
constexpr char kFolderSeparator[] = {static_cast<char>(pathSeparator), '\0'};
// No network, no entity expansion, and no messages on the standard error: a broken part is reported
// by its code. The parts' trees are only read (a fallback is at most unlinked): short texts, most of a
// document's, are kept inside their nodes instead of in an allocation of their own.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT;

struct DocumentFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using OwnedDocument = std::unique_ptr<xmlDoc, DocumentFree>;

// A PascalWString from UTF-8, or 206 when it would not fit whole (a cut path names another file).
PascalWString pathString(const std::string& utf8) {
    if (!fitsInPascal(static_cast<std::int32_t>(utf8ToUtf16String(utf8).size()))) {
        throwFail(result::kNameTooLong, __LINE__, kUnit);
    }
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

}  // namespace

CRelationshipsTable::CRelationshipsTable(CUnzipper* reader)
    : CArray(0, kPointerItemSize),
      packagePath{},
      sharedReader(reader ? 1 : 0),
      separator(kZipSeparator) {
    // A reader given here belongs to the caller: held without being disposed.
    if (reader) zipReader = raisingOutOfMemory(__LINE__, kUnit, [reader] {
        return std::shared_ptr<CUnzipper>(reader, [](CUnzipper*) {});
    });
}

CRelationshipsTable::~CRelationshipsTable() {
    CRelationshipsTable::removeAll();
}

void CRelationshipsTable::removeAll() {
    for (std::int32_t i = 1; i <= getCount(); ++i) {
        CRelationship* relationship = pointerAt<CRelationship>(i);
        disposeObject(relationship);
    }
    CArray::removeAll();
}

std::int16_t CRelationshipsTable::addRelationship(CRelationship* relationship) {
    if (!relationship || findById(relationship->id)) return 0;
    append(&relationship);
    return 1;
}

CRelationship* CRelationshipsTable::findById(const char* id) const {
    if (!id) return nullptr;
    for (std::int32_t i = 1; i <= getCount(); ++i) {
        CRelationship* relationship = pointerAt<CRelationship>(i);
        if (relationship && compareText(relationship->id, id, 0) == 0) return relationship;
    }
    return nullptr;
}

std::optional<std::string> CRelationshipsTable::partOfKind(PartKind kind) const {
    for (std::int32_t i = 1; i <= getCount(); ++i) {
        const CRelationship* relationship = pointerAt<CRelationship>(i);
        if (relationship == nullptr || relationship->mode != CRelationship::kInternal) continue;
        if (!isRelationshipOfKind(relationship->type, kind)) continue;
        if (std::optional<std::string> part = resolvePartName(sourceFolder, relationship->target)) return part;
    }
    return std::nullopt;
}

void CRelationshipsTable::setBaseFolder(std::string_view folder) {
    raisingOutOfMemory(__LINE__, kUnit, [&] {
        baseFolder = folder.empty() ? std::string() : std::string(folder) + separator;
        sourceFolder = baseFolder;
    });
}

void CRelationshipsTable::releaseReader() {
    zipReader.reset();  // disposes the reader when no other table holds it
    sharedReader = 0;
}

void CRelationshipsTable::closePackage() {
    releaseReader();
    CRelationshipsTable::removeAll();
}

void CRelationshipsTable::openPackage(const PascalWString* name, const PascalWString* folder, const char* base,
                                      std::int16_t isFolder) {
    releaseReader();
    if (!name || !folder) return;
    PascalWString path{};
    copyPString(path, *folder);
    if (!fitsInPascal(folder->length() + name->length())) throwFail(result::kNameTooLong, __LINE__, kUnit);
    appendPString(path, *name);
    throwIfError(appendSeparator(path), __LINE__, kUnit);
    if (isFolder == 1) {
        separator = kFolderSeparator;
    } else {
        CUnzipper* reader = new (std::nothrow) CUnzipper(*name, *folder);
        throwIfNull(reader, __LINE__, kUnit);
        zipReader = raisingOutOfMemory(__LINE__, kUnit, [reader] { return std::shared_ptr<CUnzipper>(reader); });
        separator = kZipSeparator;
    }
    copyPString(packagePath, path);
    raisingOutOfMemory(__LINE__, kUnit, [&] {
        baseFolder = std::string(base ? base : "") + separator;
        sourceFolder = baseFolder;
    });
}

void CRelationshipsTable::loadRelationships(const char* partName, std::int16_t nameMode) {
    CRelationshipsTable::removeAll();
    if (!partName) return;
    raisingOutOfMemory(__LINE__, kUnit, [&] { loadRelationshipsOf(partName, nameMode); });
}

void CRelationshipsTable::loadRelationshipsOf(const char* partName, std::int16_t nameMode) {
    std::string relsPath;
    if (nameMode == 1) {
        // The part lies in the base folder; its relationships in "_rels" beside it.
        const std::string part = baseFolder + partName;
        const std::size_t slash = part.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
        relsPath = folder + "_rels/" + part.substr(folder.size()) + ".rels";
        sourceFolder = folder;
    } else {
        relsPath = partName;
        sourceFolder = sourceFolderOfRels(relsPath);
    }
    xmlDoc* parsed = nullptr;
    xmlNode* root = nullptr;
    if (parsePart(relsPath.c_str(), &parsed, &root) != 0) return;
    OwnedDocument document(parsed);
    addRelationshipsOf(root);
}

void CRelationshipsTable::addRelationshipsOf(const xmlNode* root) {
    if (!xmlIsElement(root, nullptr, "Relationships")) return;
    for (const xmlNode* child = root->children; child; child = child->next) {
        if (!xmlIsElement(child, nullptr, "Relationship")) continue;
        std::int16_t present = 0;
        const char* mode = xmlGetAttrString(child, nullptr, "TargetMode", &present);
        const std::int16_t targetMode =
            mode && compareNames(mode, "External") == 0 ? CRelationship::kExternal : CRelationship::kInternal;
        const char* idText = xmlGetAttrString(child, nullptr, "Id", &present);
        if (!idText) continue;
        const std::string id = raisingOutOfMemory(__LINE__, kUnit, [idText] { return std::string(idText); });
        const char* target = xmlGetAttrString(child, nullptr, "Target", &present);
        if (!target) continue;
        const std::string targetText = raisingOutOfMemory(__LINE__, kUnit, [target] { return std::string(target); });
        const char* type = xmlGetAttrString(child, nullptr, "Type", &present);
        auto* relationship = new (std::nothrow) CRelationship(id.c_str(), targetText.c_str(), targetMode, type);
        throwIfNull(relationship, __LINE__, kUnit);
        try {
            if (addRelationship(relationship) == 0) disposeObject(relationship);
        } catch (...) {
            disposeObject(relationship);
            throw;
        }
    }
}

std::int16_t CRelationshipsTable::getTarget(const char* id, std::int16_t* mode, const char** target) const {
    const CRelationship* relationship = findById(id);
    if (!relationship) return 0;
    if (mode) *mode = relationship->mode;
    if (target) *target = relationship->target;
    return 1;
}

std::int16_t CRelationshipsTable::targetPartName(const char* id, std::int16_t* mode, const char** target,
                                                 std::string& partName) const {
    std::int16_t foundMode = 0;
    const char* foundTarget = nullptr;
    if (!getTarget(id, &foundMode, &foundTarget)) return 0;
    if (mode) *mode = foundMode;
    if (target) *target = foundTarget;
    // An external target lies outside the package: it is never read as a part.
    if (foundMode != CRelationship::kInternal) return 0;
    std::optional<std::string> resolved = resolvePartName(sourceFolder, foundTarget);
    if (!resolved) return 0;
    partName = std::move(*resolved);
    return 1;
}

std::int16_t CRelationshipsTable::readTargetPart(const char* id, std::int16_t* mode, const char** target, void** buffer,
                                                 std::int32_t* size) {
    *buffer = nullptr;
    *size = 0;
    std::string partName;
    const std::int16_t named = failureCode([&] { return targetPartName(id, mode, target, partName); });
    if (named != 1) return 0;
    return readPartData(partName.c_str(), buffer, size) == 0 ? 1 : 0;
}

std::unique_ptr<PartByteStream> CRelationshipsTable::openTargetPartStream(const char* id, std::int16_t* mode,
                                                                         const char** target) {
    std::string partName;
    const std::int16_t named = failureCode([&] { return targetPartName(id, mode, target, partName); });
    if (named != 1) return nullptr;
    std::unique_ptr<PartByteStream> stream;
    const std::int16_t code = failureCode([&] {
        if (!isPlainPartName(partName.c_str())) throwFail(result::kNullObject, __LINE__, kUnit);
        if (zipReader) {
            stream = zipReader->openMemberStream(partName.c_str());
        } else {
            // An unpacked part is a file read whole: there is nothing to inflate.
            void* block = nullptr;
            std::int32_t size = 0;
            throwIfError(readPart(partName.c_str(), &block, &size), __LINE__, kUnit);
            stream = MemoryByteStream::owning(block, size);
        }
    });
    return code == 0 ? std::move(stream) : nullptr;
}

std::int16_t CRelationshipsTable::parseTargetPart(const char* id, std::int16_t* mode, const char** target,
                                                  xmlDoc** document, xmlNode** root) {
    *document = nullptr;
    *root = nullptr;
    std::string partName;
    const std::int16_t named = failureCode([&] { return targetPartName(id, mode, target, partName); });
    if (named != 1) return 0;
    return parsePart(partName.c_str(), document, root) == 0 ? 1 : 0;
}

std::int16_t CRelationshipsTable::readPart(const char* partPath, void** buffer, std::int32_t* size) {
    *buffer = nullptr;
    *size = 0;
    const std::int16_t code = failureCode([&] {
        if (!partPath || !isPlainPartName(partPath)) throwFail(result::kNullObject, __LINE__, kUnit);
        if (zipReader) {
            throwIfError(zipReader->extractMember(partPath, buffer, size), __LINE__, kUnit);
        } else {
            readFolderPart(partPath, buffer, size);
        }
    });
    if (code != 0) {
        freeMemory(*buffer);
        *size = 0;
    }
    return code;
}

void CRelationshipsTable::readFolderPart(const std::string& partPath, void** buffer, std::int32_t* size) const {
    if (packagePath.length() == 0) throwFail(result::kNullObject, __LINE__, kUnit);
    const std::size_t slash = partPath.rfind('/');
    const std::string folderPart = slash == std::string::npos ? "" : partPath.substr(0, slash + 1);
    const std::string namePart = partPath.substr(folderPart.size());
    const PascalWString folder = pathString(pstringToUtf8(packagePath) + folderPart);
    const PascalWString name = pathString(namePart);
    CFile file(name, folder, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, kGenericRead);
    throwIfError(file.open(), __LINE__, kUnit);
    std::uint32_t length = 0;
    throwIfError(file.getSize(length), __LINE__, kUnit);
    if (length > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    void* block = allocMemory(static_cast<std::int32_t>(length));
    throwIfNull(block, __LINE__, kUnit);
    *buffer = block;
    throwIfError(file.read(block, static_cast<std::int32_t>(length), 0, 0), __LINE__, kUnit);
    *size = static_cast<std::int32_t>(length);
}

std::int16_t CRelationshipsTable::readPartData(const char* partPath, void** buffer, std::int32_t* size) {
    return failureCode([&] { return readPart(partPath, buffer, size); });
}

std::int16_t CRelationshipsTable::parsePart(const char* partPath, xmlDoc** document, xmlNode** root) {
    return readAndParsePart(partPath, document, root, xmlReadMemory);
}

std::int16_t CRelationshipsTable::parsePartRoot(const char* partPath, xmlDoc** document, xmlNode** root) {
    return readAndParsePart(partPath, document, root, readRootElementOnly);
}

std::int16_t CRelationshipsTable::readAndParsePart(const char* partPath, xmlDoc** document, xmlNode** root,
                                                   XmlReader parse) {
    *document = nullptr;
    *root = nullptr;
    void* block = nullptr;
    std::int32_t size = 0;
    const std::int16_t read = readPart(partPath, &block, &size);
    if (read != 0) return read;
    OwnedDocument parsed(parse(static_cast<const char*>(block), size, partPath, nullptr, kParseOptions));
    freeMemory(block);
    if (!parsed) return result::kOutOfMemory;
    xmlNode* top = xmlDocGetRootElement(parsed.get());
    if (!top) return result::kOutOfMemory;
    *root = top;
    *document = parsed.release();
    return result::kSuccess;
}

CRelationshipsTable* CRelationshipsTable::openRelationshipsPart(const char* relsPath) {
    auto* table = new (std::nothrow) CRelationshipsTable(nullptr);
    if (!table) return nullptr;
    const std::int16_t code = failureCode([&] {
        table->zipReader = zipReader;
        table->sharedReader = zipReader ? 1 : 0;
        copyPString(table->packagePath, packagePath);
        table->separator = separator;
        table->baseFolder = baseFolder;
        table->loadRelationships(relsPath, 0);
    });
    if (code != 0) {
        disposeObject(table);
        return nullptr;
    }
    return table;
}

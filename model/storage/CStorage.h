#pragma once
// The intermediate XML document through which every conversion passes. The import engine makes one in
// write mode over the conversion's storage file and fills it; the export engine opens the same file in
// read mode and reads it back. Its elements are reached through CStream, starting from rootStream().
//
// Write mode (1) starts a new document whose root element is "Root_Storage"; an existing file is not
// read. Read mode (any other value) parses the bound file; a root element of any name is accepted.
// Without a file the storage lives in memory only, in either mode.
//
// Saving is explicit: a write-mode storage writes its file only when save() is called, and callers must
// call it before they dispose of the storage. The destructor only frees; it never writes and never
// throws. save() writes the whole document under a temporary name in the file's folder and then puts it
// in the file's place, so a failed save leaves the earlier file untouched and no partial file behind.
//
// Parsing is safe for foreign files: no network access, no DTD loading, no external entity is ever
// fetched and no entity is expanded (CStream reads text without following entity references). The XML
// library's reports are recorded during the parse; a file that is not well-formed fails with CFail 12
// after the library returned, and lastParseProblem() tells what the library reported.
//
// Failures raise CFail in unit "BStorage": 12 for a document or element that cannot be made and for a
// file that does not parse or has no root element; the file's own result code for file operations.
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/CBase.h"
#include "foundation/text/PascalWString.h"
#include "model/storage/CStream.h"
#include "model/storage/PackedAttributes.h"

class CFile;

namespace storagemode {
constexpr std::int16_t kRead = 0;
constexpr std::int16_t kWrite = 1;
}  // namespace storagemode

class CStorage : public CBase {
public:
    // Over a file the caller owns (null: in memory only); opens at once.
    CStorage(CFile* file, std::int16_t mode);
    // Over a file of its own, by name (NUL-terminated UTF-16) and folder (with its trailing separator);
    // opens at once.
    CStorage(const char16_t* name, const PascalWString& folder, std::int16_t mode);
    // Frees the document and an owned file; writes nothing.
    ~CStorage() override;
    CStorage(const CStorage&) = delete;
    CStorage& operator=(const CStorage&) = delete;

    // Builds a new document or parses the bound file, and points the root stream at the root element.
    // The constructors call it; calling it again starts over. Answers 0.
    virtual std::int16_t open();
    // The root element's stream; the storage keeps it.
    virtual CStream* rootStream();
    // From now on save() writes nothing.
    virtual void clearWriteMode();
    // Lets go of the bound file (freeing it when the storage owns it) and stops writing: the document
    // stays as it is, in memory only, for a reader that outlives the file's owner.
    void releaseFile();
    // In write mode with a file: writes the document (an XML declaration naming UTF-8, then the tree
    // without added indentation) in place of the file. Otherwise does nothing. Answers 0; raises CFail
    // with the file's result code when the file cannot be written.
    virtual std::int16_t save();

    // The whole document for the XML library's own use: the attributes this storage packed
    // (PackedAttributes.h) become the library's first, so the library sees all of them. Raises CFail 12
    // when memory is lacking.
    xmlDoc* getDocument() const;
    std::int16_t getMode() const { return mode; }
    // What the XML library reported about the last file that a storage parsed ("line 3: ..."), for a
    // failure report; empty when it reported nothing. The next parse replaces it.
    static const std::string& lastParseProblem();

private:
    void buildNewDocument();
    void parseFile();
    void freeDocument();
    void unpackAttributes() const;

    xmlNode* rootNode = nullptr;
    xmlDoc* document = nullptr;
    // The attributes of a document this storage builds; none for a parsed one.
    std::unique_ptr<PackedAttributes> packed;
    CStream root{nullptr, nullptr, 0};
    CFile* file = nullptr;
    std::int16_t mode = storagemode::kRead;
    std::int16_t ownsFile = 0;
};

#pragma once
// An open package and the relationships of one of its parts. The package is a zip file read through
// CUnzipper or an unpacked package folder on disk; parts are read whole or parsed as XML, and a
// relationship id resolves to its target part. Targets are URIs relative to the folder of the part
// whose relationships are loaded; one that leaves the package, or an external one, is never read.
//
// The zip reader may be shared with further tables (openRelationshipsPart): it lives as long as any
// table that holds it, so the order in which they are disposed does not matter.
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/memory/CArray.h"
#include "foundation/text/PascalWString.h"
#include "package/CRelationship.h"
#include "package/CUnzipper.h"
#include "package/RelationshipTypes.h"

class CRelationshipsTable : public CArray {
public:
    // A given reader belongs to the caller, who keeps it alive as long as this table.
    explicit CRelationshipsTable(CUnzipper* reader = nullptr);
    ~CRelationshipsTable() override;

    // Disposes every relationship, then removes the items.
    void removeAll() override;

    // 1 appended (the table owns it from then on); 0 when one with an equal id (ignoring case) is
    // loaded already, and the caller still owns it.
    virtual std::int16_t addRelationship(CRelationship* relationship);
    virtual CRelationship* findById(const char* id) const;
    // The part that the first loaded relationship of the kind names inside the package, resolved as
    // its target; no value when none does (external targets and targets leaving the package name none).
    std::optional<std::string> partOfKind(PartKind kind) const;
    // Lets go of the zip reader (disposing it when no other table holds it) and removes all
    // relationships.
    virtual void closePackage();
    // Opens folder + name as a zip package, or as an unpacked package folder when isFolder is 1; the
    // main part lies in baseFolder ("word", "xl"). A null name or folder only closes the zip reader.
    // A package that cannot be opened raises CFail 12; a path too long for a path string, 206.
    virtual void openPackage(const PascalWString* name, const PascalWString* folder, const char* baseFolder,
                             std::int16_t isFolder);
    // Replaces the loaded relationships by those of a part: with nameMode 1 partName is the part's name
    // within the base folder ("document.xml"), with 0 it is the path of the ".rels" part itself. A
    // ".rels" part that cannot be read or parsed leaves the table empty.
    virtual void loadRelationships(const char* partName, std::int16_t nameMode);
    // 1 with the relationship's mode and target (its own copy, valid while it stays loaded); 0, the
    // outputs untouched, when no relationship has that id.
    virtual std::int16_t getTarget(const char* id, std::int16_t* mode, const char** target) const;
    // 1 when the relationship exists and its target part was read (a block released with freeMemory)
    // or parsed (a document freed with xmlFreeDoc); 0 otherwise, also for external targets and targets
    // that leave the package.
    virtual std::int16_t readTargetPart(const char* id, std::int16_t* mode, const char** target, void** buffer,
                                        std::int32_t* size);
    // The target part as a stream (PartByteStream.h), for a large part read once through; null when
    // readTargetPart would answer 0 before reading any data. Failures met while reading are raised by the
    // stream.
    std::unique_ptr<PartByteStream> openTargetPartStream(const char* id, std::int16_t* mode, const char** target);
    virtual std::int16_t parseTargetPart(const char* id, std::int16_t* mode, const char** target, xmlDoc** document,
                                         xmlNode** root);
    // Reads a part ("word/document.xml") whole. 0 on success; otherwise the buffer is null and the answer
    // is the reader's code (-100 a missing zip member), the file's code, or 22 for a name that leaves
    // the package. Never raises.
    virtual std::int16_t readPart(const char* partPath, void** buffer, std::int32_t* size);
    virtual std::int16_t readPartData(const char* partPath, void** buffer, std::int32_t* size);
    // Reads and parses a part; 12 for text that is not well-formed XML. Never raises. The document's URL
    // is the part's path, so whoever holds an element knows the part it came from.
    virtual std::int16_t parsePart(const char* partPath, xmlDoc** document, xmlNode** root);
    // As parsePart, with the same answers, but the document holds the root element alone: for a look at
    // what a part is, where its tree would be thrown away.
    std::int16_t parsePartRoot(const char* partPath, xmlDoc** document, xmlNode** root);
    // A new table, owned by the caller, sharing this package, with the relationships of the ".rels" part
    // at relsPath; its targets resolve against the folder of the part they belong to. Null on failure.
    virtual CRelationshipsTable* openRelationshipsPart(const char* relsPath);

    const PascalWString& getPackagePath() const { return packagePath; }
    const std::string& getBaseFolder() const { return baseFolder; }
    // The folder the main part lies in, as its name gives it ("word", "" for the package root); it
    // replaces the one openPackage was given.
    void setBaseFolder(std::string_view folder);
    // The folder that the loaded relationships' targets are relative to.
    const std::string& getSourceFolder() const { return sourceFolder; }
    std::int16_t isReaderShared() const { return sharedReader; }

private:
    using XmlReader = xmlDoc* (*)(const char* bytes, int size, const char* url, const char* encoding, int options);
    std::int16_t readAndParsePart(const char* partPath, xmlDoc** document, xmlNode** root, XmlReader parse);
    void releaseReader();
    void readFolderPart(const std::string& partPath, void** buffer, std::int32_t* size) const;
    void loadRelationshipsOf(const char* partName, std::int16_t nameMode);
    void addRelationshipsOf(const xmlNode* root);
    std::int16_t targetPartName(const char* id, std::int16_t* mode, const char** target, std::string& partName) const;

    PascalWString packagePath;
    std::shared_ptr<CUnzipper> zipReader;
    std::int16_t sharedReader;
    const char* separator;
    std::string baseFolder;
    std::string sourceFolder;
};

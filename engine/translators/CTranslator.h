#pragma once
// A registry over one table of translators (importers or exporters): it counts the entries, finds a
// translator by index or by name, decides which importer takes an item of the file system
// (detection), makes the translator object of one entry, forwards request blocks to it and releases it
// again. At most one translator of a registry is live at a time: the current one.
//
// The registry owns neither the table nor the descriptors (static data); it owns the translator object
// it made until release. Reason texts it hands out are blocks of the memory layer the caller frees.
#include <cstdint>

#include "engine/translators/TranslatorDescriptor.h"
#include "foundation/CBase.h"
#include "foundation/text/PascalWString.h"

class DetectionItem;
struct FileSpec;
struct XParamBlock;

// Which table a registry is built on: detection returns an exporter's preferred index at once.
enum class TranslatorDirection { importers, exporters };

class CTranslator : public CBase {
public:
    CTranslator(TranslatorEntry* table, TranslatorDirection direction);
    // Releases a translator that is still current, so none outlives its registry.
    ~CTranslator() override;
    CTranslator(const CTranslator&) = delete;
    CTranslator& operator=(const CTranslator&) = delete;

    // The entry at index, or null outside 0 .. count - 1.
    virtual TranslatorEntry* entryAt(std::int32_t index) const;
    // The index of the first translator whose name equals name ignoring case, else -1.
    virtual std::int32_t indexOfName(const char* name) const;
    // The index of the importer that takes the item (see CTranslatorDetection.cpp); raises 32002 when
    // none does, 32003 when an importer refused it with a reason (left in *reason).
    virtual std::int32_t detect(std::int32_t preferredIndex, std::int16_t chooseAmongAll, const PascalWString& name,
                                const PascalWString& folder, char16_t** reason);
    // Makes the translator of index current. With a name and a folder, detection chooses the index
    // first (the given one is the preferred one) and its failures pass through. descriptor receives
    // the entry's descriptor before the factory runs. Answers 0, 2 for no such entry, or the factory's
    // failure (12 when it makes nothing or runs out of memory).
    virtual std::int16_t create(std::int32_t& index, const TranslatorDescriptor** descriptor, const PascalWString* name,
                                const PascalWString* folder, char16_t** reason);
    // Disposes the current translator: 0, or 2 when none is current.
    virtual std::int16_t release();
    // Hands the block to the current translator with selector as its request code and answers the
    // result of its dispatch; 2 and the block untouched when none is current.
    virtual std::int32_t send(std::int16_t selector, XParamBlock* block);
    // One request to the translator of index in a block of its own: made, sent, released. A reason the
    // translator leaves is copied to *reason when reason is given. Answers 2 when the translator cannot
    // be made or another translator of this registry is current, else the result of the request.
    virtual std::int32_t request(std::int32_t index, std::int16_t selector, FileSpec* item, char16_t** reason);
    // The descriptor at index, or null outside 0 .. count - 1.
    virtual TranslatorDescriptor* descriptorAt(std::int32_t index) const;
    // The descriptor whose name equals name ignoring case, as the preferences name exporters, with its
    // index in *index; null and *index -1 when there is none, so a stale index never passes for a find.
    virtual TranslatorDescriptor* findByName(const char* name, std::int32_t* index) const;
    // 1 when the translator at index takes the item, else 0; see CTranslatorDetection.cpp.
    virtual std::int16_t accepts(std::int32_t index, const PascalWString& name, const PascalWString& folder);
    // 1 when some translator takes the folder item as a document, else 0.
    virtual std::int16_t anyAcceptsFolders(const PascalWString& name, const PascalWString& folder);
    virtual std::int32_t count() const { return entries; }

    std::int32_t current() const { return currentIndex; }

private:

    bool acceptsFile(std::int32_t index, const TranslatorDescriptor& descriptor, DetectionItem& item,
                     const PascalWString& name, const PascalWString& folder, char16_t** reason);
    bool acceptsFolder(std::int32_t index, const TranslatorDescriptor& descriptor, const PascalWString& name,
                       const PascalWString& folder);
    std::int32_t chooseAmongAccepting(std::int32_t preferredIndex, std::int32_t lastAccepting) const;

    TranslatorEntry* table;
    TranslatorDirection direction;
    std::int32_t entries;
    std::int32_t currentIndex = -1;
};

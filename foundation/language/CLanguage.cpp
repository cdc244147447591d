#include "foundation/language/CLanguage.h"

#include <new>
#include <string_view>

#include "foundation/files/AppFolders.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/CFile.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/language/LanguageDataLines.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/NumberText.h"
#include "foundation/text/TextSearch.h"
#include "foundation/language/UIStrings.h"

namespace {

constexpr const char* kUnit = "BLanguage";

// UI strings holding the data files' names.
constexpr std::uint16_t kLanguageFileNameId = 10708;
constexpr std::uint16_t kExceptionsFileNameId = 10709;
constexpr std::uint16_t kBlocksFileNameId = 10710;

// The data files are a few kilobytes; a file beyond this is refused as a buffer we will not take.
constexpr std::uint32_t kMaximumDataFileBytes = 16u << 20;

CLanguage* registeredTables = nullptr;

// A data file's bytes with a 0 after them, freed when the reader leaves, also by a failure.
struct FileBytes {
    char* bytes = nullptr;
    std::int32_t length = 0;

    FileBytes() = default;
    ~FileBytes() { freeMemory(bytes); }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
};

// Reads the whole file named by the UI string from the program's folder. The file is closed when
// the CFile goes, also when a failure leaves here.
void readDataFile(std::uint16_t nameId, FileBytes& text) {
    char16_t fileName[kLoadStringSize];
    loadUniText(fileName, nameId);
    CFile file(fileName, *appFolder(nullptr), fourCharCode("TEXT"), fourCharCode("ttxt"), 1, 0, kGenericRead,
               kGenericRead);
    throwIfError(file.open(), __LINE__, kUnit);
    std::uint32_t size = 0;
    throwIfError(file.getSize(size), __LINE__, kUnit);
    if (size > kMaximumDataFileBytes) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    text.bytes = static_cast<char*>(allocMemory(static_cast<std::int32_t>(size) + 1));
    throwIfNull(text.bytes, __LINE__, kUnit);
    if (size > 0) throwIfError(file.read(text.bytes, static_cast<std::int32_t>(size), kFromStart, 0), __LINE__, kUnit);
    text.bytes[size] = 0;
    text.length = static_cast<std::int32_t>(size);
}

// Calls take(line) for each line that ends with a line feed (the bytes after the last one are not a
// line). The line excludes the line feed and a carriage return before it.
template <typename TakeLine>
void forEachLine(const FileBytes& text, TakeLine take) {
    const std::string_view all(text.bytes, static_cast<std::size_t>(text.length));
    std::size_t start = 0;
    for (std::size_t end = all.find('\n'); end != std::string_view::npos; end = all.find('\n', start)) {
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        take(line);
        start = end + 1;
    }
}

bool isComment(std::string_view line) {
    return !line.empty() && line.front() == '#';
}

template <typename Tree>
void makeTree(Tree*& tree) {
    disposeObject(tree);
    tree = new (std::nothrow) Tree;
    throwIfNull(tree, __LINE__, kUnit);
}

}  // namespace

CLanguage::CLanguage() : CLanguage(Unread{}) {
    // Delegating: when a read fails, the destructor frees what was read.
    raisingOutOfMemory(__LINE__, kUnit, [this] {
        readLanguages();
        readExceptions();
        readBlocks();
    });
    registeredTables = this;
}

CLanguage::CLanguage(Unread) {
    forgetAsciiEncodings();
}

CLanguage::~CLanguage() {
    if (registeredTables == this) registeredTables = nullptr;
    disposeObject(languages);
    disposeObject(exceptions);
    disposeObject(blocks);
}

void CLanguage::readLanguages() {
    makeTree(languages);
    languageRecords.clear();
    FileBytes text;
    readDataFile(kLanguageFileNameId, text);

    // A section runs from its header to the next header (or the end of the file); a header that
    // starts no section makes the entry lines after it belong to none.
    LanguageRecord section{};
    bool inSection = false;
    std::int32_t entries = 0;
    forEachLine(text, [&](std::string_view line) {
        if (line.empty()) return;
        if (line.front() == '[') {
            if (inSection) addLanguage(section);
            inSection = readSectionHeader(line, section);
            entries = 0;
        } else if (line.front() == ' ' && inSection && entries < kScriptEntryCount) {
            if (readScriptEntry(line, section.scripts[entries])) ++entries;
        }
    });
    if (inSection) addLanguage(section);
}

void CLanguage::readExceptions() {
    forgetAsciiEncodings();
    makeTree(exceptions);
    exceptionRecords.clear();
    FileBytes text;
    readDataFile(kExceptionsFileNameId, text);
    forEachLine(text, [&](std::string_view line) {
        RangeRecord record;
        if (!isComment(line) && readExceptionLine(line, record)) addRange(*exceptions, exceptionRecords, record);
    });
    learnAsciiEncodings();
}

void CLanguage::readBlocks() {
    forgetAsciiEncodings();
    makeTree(blocks);
    blockRecords.clear();
    FileBytes text;
    readDataFile(kBlocksFileNameId, text);
    forEachLine(text, [&](std::string_view line) {
        RangeRecord record;
        if (!isComment(line) && readBlockLine(line, record)) addRange(*blocks, blockRecords, record);
    });
    learnAsciiEncodings();
}

// A table that fails half read leaves every ASCII unit to the trees, which answer for what was read.
void CLanguage::forgetAsciiEncodings() {
    asciiEncodings.fill(kLanguageDependent);
}

void CLanguage::learnAsciiEncodings() {
    for (std::uint16_t unit = 0; unit < asciiEncodings.size(); ++unit) asciiEncodings[unit] = encodingInTables(unit);
}

// The first section of a name wins; a later one of the same name is dropped.
void CLanguage::addLanguage(const LanguageRecord& record) {
    if (!languageRecords.reserveOne()) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    const std::int16_t added = languages->insert(record.name, languageRecords.nextNumber());
    if (added == treeResult::kNoMemory) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    if (added == treeResult::kOk) languageRecords.append(record);
}

// The first line of a low bound wins; a later one with the same low bound is dropped.
void CLanguage::addRange(CNumTree& tree, RecordStore<RangeRecord>& store, const RangeRecord& record) {
    if (!store.reserveOne()) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    const std::int16_t added = tree.insert(record.low, record.high, store.nextNumber());
    if (added == treeResult::kNoMemory) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    if (added == treeResult::kOk) store.append(record);
}

std::int32_t CLanguage::zeroAnswer1(std::int32_t) {
    return 0;
}

std::int32_t CLanguage::zeroAnswer2(std::int32_t, std::int32_t) {
    return 0;
}

std::int32_t CLanguage::zeroAnswer4(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    return 0;
}

const LanguageRecord* CLanguage::findLanguage(char* name) const {
    if (!name || !languages) return nullptr;
    if (char* dash = findChar(name, '-')) *dash = 0;
    std::int32_t number = 0;
    if (languages->find(name, number) != treeResult::kOk) return nullptr;
    return languageRecords.at(number);
}

std::uint16_t CLanguage::languageId(char* name) const {
    if (!name) return kDefaultLanguageId;
    if (name[0] >= '0' && name[0] <= '9') {
        std::int16_t sign = 1;
        const std::uint64_t value = textToNumber(name, 10, '0', &sign);
        return value <= 0xFFFF ? static_cast<std::uint16_t>(value) : kDefaultLanguageId;
    }
    const LanguageRecord* record = findLanguage(name);
    return record ? record->languageId : kDefaultLanguageId;
}

std::uint32_t CLanguage::scriptTag(char* name) const {
    const LanguageRecord* record = findLanguage(name);
    if (!record) return kLatinScriptTag;
    const std::uint32_t tag = scriptTagValue(record->scripts[0].tag);
    return tag != 0 ? tag : kLatinScriptTag;
}

std::uint32_t CLanguage::scriptForLanguage(std::uint32_t languageId) const {
    for (std::int32_t number = 1; number <= languageRecords.count(); ++number) {
        const LanguageRecord* record = languageRecords.at(number);
        if (record->languageId == 0 || record->languageId != languageId) continue;
        const std::uint32_t tag = scriptTagValue(record->scripts[0].tag);
        return tag != 0 ? tag : kLatinScriptTag;
    }
    return kLatinScriptTag;
}

std::int32_t CLanguage::encodingOfChar(std::uint16_t unit, std::uint16_t languageId) const {
    std::int32_t encoding = unit < asciiEncodings.size() ? asciiEncodings[unit] : kLanguageDependent;
    if (encoding == kLanguageDependent) encoding = encodingInTables(unit);
    return encoding == kLanguageDependent ? encodingForLanguage(languageId) : encoding;
}

std::int32_t CLanguage::encodingInTables(std::uint16_t unit) const {
    std::int32_t number = 0;
    if (exceptions && exceptions->find(unit, number) == treeResult::kOk) {
        if (const RangeRecord* exception = exceptionRecords.at(number)) return exception->textEncoding;
    }
    if (blocks && blocks->find(unit, number) == treeResult::kOk) {
        if (const RangeRecord* block = blockRecords.at(number)) {
            if (block->textEncoding == 0) return kEncodingWindowsLatin1;
            if (block->textEncoding == kEncodingByLanguage) return kLanguageDependent;
            return block->textEncoding;
        }
    }
    return kEncodingWindowsLatin1;
}

// The East Asian encoding of a language: Traditional Chinese, Korean and Simplified Chinese by their
// ids, Japanese for every other language.
std::int32_t CLanguage::encodingForLanguage(std::uint16_t languageId) {
    switch (languageId) {
        case 1028: return kEncodingDosChineseTraditional;
        case 1042: return kEncodingDosKorean;
        case 2052: return kEncodingDosChineseSimplified;
        default: return kEncodingDosJapanese;
    }
}

CLanguage* languageTables() {
    return registeredTables;
}

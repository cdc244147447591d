#pragma once
// The language tables, read at start-up from three data files in the program's folder
// ("characters.map", "characters.exp", "characters.blk"; their line formats are described in
// LanguageDataLines.h). They answer three questions: the Windows language id of a language name
// (a WordprocessingML language attribute such as "en-GB"), the script tag of a language, and the
// text-encoding code under which a UTF-16 unit is written in a given language. The look-ups never
// fail: they fall back to 1033, 'Latn' and 1280 (Windows Latin 1).
//
// One instance serves the process: the constructor that reads the files registers it, and every
// user reaches it through languageTables().
#include <array>
#include <cstdint>

#include "foundation/CBase.h"
#include "foundation/language/LanguageRecords.h"
#include "foundation/memory/RecordStore.h"
#include "foundation/memory/SearchTrees.h"

// Text-encoding codes the tables answer with.
constexpr std::int32_t kEncodingWindowsLatin1 = 1280;
constexpr std::int32_t kEncodingDosJapanese = 1056;
constexpr std::int32_t kEncodingDosChineseSimplified = 1057;
constexpr std::int32_t kEncodingDosKorean = 1058;
constexpr std::int32_t kEncodingDosChineseTraditional = 1059;

constexpr std::uint16_t kDefaultLanguageId = 1033;

// A four-letter script tag as one value, the bytes in the order written ("Latn": 'L' in the lowest
// byte), as scriptTag answers it.
constexpr std::uint32_t scriptTagValue(const char* tag) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(tag[0])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[3])) << 24);
}
constexpr std::uint32_t kLatinScriptTag = scriptTagValue("Latn");

class CLanguage : public CBase {
public:
    // Reads the language file, the exceptions and the blocks, in this order, from the program's
    // folder, then registers the instance as the process-wide tables. A file that cannot be read
    // raises CFail (unit "BLanguage"): its open, size or read error, or 12 for lack of memory; the
    // later files are then not read and nothing is registered.
    CLanguage();
    // Empty tables, not registered, for a caller that reads the files one by one: the tables read
    // before a failing one stay usable.
    struct Unread {};
    explicit CLanguage(Unread);
    ~CLanguage() override;
    CLanguage(const CLanguage&) = delete;
    CLanguage& operator=(const CLanguage&) = delete;

    // Each makes its table anew (dropping one read before) and fills it from its file.
    virtual void readLanguages();
    virtual void readExceptions();
    virtual void readBlocks();

    // Placeholders that answer 0; the RTF writer takes zeroAnswer1's answer as the font number of
    // a font that is missing from the font table.
    virtual std::int32_t zeroAnswer1(std::int32_t first);
    virtual std::int32_t zeroAnswer2(std::int32_t first, std::int32_t second);
    virtual std::int32_t zeroAnswer4(std::int32_t first, std::int32_t second, std::int32_t third, std::int32_t fourth);

    // Cuts the caller's name at its first '-' ("en-GB" becomes "en") and looks up the rest; null
    // when the table has no section of that name. The record lives as long as the tables.
    virtual const LanguageRecord* findLanguage(char* name) const;
    // A name that begins with a decimal digit is its own decimal value (1033 when that does not fit
    // 16 bits); otherwise the id of the name's section (0 for a section without one), 1033 when
    // there is none. The name is cut as findLanguage cuts it.
    virtual std::uint16_t languageId(char* name) const;
    // The tag of the language's own script (its first script entry), as scriptTagValue packs it;
    // kLatinScriptTag when the language or its script entries are missing.
    virtual std::uint32_t scriptTag(char* name) const;
    // The same by Windows language id: the first language section with that id; kLatinScriptTag when
    // none has it.
    virtual std::uint32_t scriptForLanguage(std::uint32_t languageId) const;
    // The exceptions answer first, whatever encoding they give; then a block holding the unit: 0
    // means 1280, 0xFFFF depends on the language (1028 gives 1059, 1042 gives 1058, 2052 gives 1057,
    // any other 1056), any other code is the answer; a unit in neither answers 1280.
    virtual std::int32_t encodingOfChar(std::uint16_t unit, std::uint16_t languageId) const;

private:
    void addLanguage(const LanguageRecord& record);
    void addRange(CNumTree& tree, RecordStore<RangeRecord>& store, const RangeRecord& record);
    static std::int32_t encodingForLanguage(std::uint16_t languageId);
    // The encoding the trees give the unit, or kLanguageDependent when its block leaves it to the
    // language.
    std::int32_t encodingInTables(std::uint16_t unit) const;
    void forgetAsciiEncodings();
    void learnAsciiEncodings();

    CLitTree* languages = nullptr;
    CNumTree* exceptions = nullptr;
    CNumTree* blocks = nullptr;
    // The trees hold record numbers in these stores.
    RecordStore<LanguageRecord> languageRecords;
    RecordStore<RangeRecord> exceptionRecords;
    RecordStore<RangeRecord> blockRecords;
    // The answers for the ASCII units, worked out whenever a table is read: nearly every unit of a
    // document is ASCII, and the story asks for each unit it stores. kLanguageDependent where the
    // answer is the language's, and for every unit while a table is being read.
    static constexpr std::int32_t kLanguageDependent = -1;
    std::array<std::int32_t, 128> asciiEncodings;
};

// The process-wide language tables: the instance last made by CLanguage(), null before one is made
// and after it is destroyed.
CLanguage* languageTables();

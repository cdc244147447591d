#pragma once
// The static description of one translator: its name (the key by which the registry and the
// preferences name it), its family, its document-kind code, the flags that tell the engines how to run
// it, the rules and content signatures that match a file to an importer, and for importers the
// preferences text that names the exporter its documents go to.
//
// A registry is built over a table of TranslatorEntry rows ending in a row with no factory; the row
// holds the translator object made from it while one is live.
#include <cstdint>

#include "foundation/encoding/FourCharCode.h"

class CBaseTranslator;

// ruleFlags: 0 is an empty slot that never matches; kRuleAnyFile matches every file without tests;
// otherwise every selected test must pass.
constexpr std::uint32_t kRuleEmpty = 0;
constexpr std::uint32_t kRuleTestType = 0x01;
constexpr std::uint32_t kRuleTestCreator = 0x02;
constexpr std::uint32_t kRuleTestName = 0x04;
constexpr std::uint32_t kRuleTestExtension = 0x08;
constexpr std::uint32_t kRuleAnyFile = 0x10;

struct TranslatorRule {
    std::uint32_t ruleFlags;
    std::uint32_t fileType;  // four-character code; for an exporter's rule 0, the output file's type
    std::uint32_t creator;
    char namePattern[8];  // wildcard pattern against the file's name
    char extension[4];    // without the point; for an exporter's rule 0, the output file's extension
};

constexpr std::uint32_t kMaxSignatureBytes = 16;

struct ContentSignature {
    std::uint32_t length;  // 0 = empty slot, at most kMaxSignatureBytes
    std::uint32_t offset;  // from the start of the file
    std::uint8_t bytes[kMaxSignatureBytes];
};

constexpr int kTranslatorNameBytes = 40;
constexpr int kTranslatorFamilyBytes = 44;
constexpr int kMaxTranslatorRules = 4;
constexpr int kMaxContentSignatures = 2;
constexpr int kOutputSuffixBytes = 64;

// Bits of flags0.
constexpr std::uint8_t kDocKindsMask = 0x03;
constexpr std::uint8_t kWriteModeMask = 0x0C;
constexpr std::uint8_t kWriteModeShift = 2;
constexpr std::uint8_t kPreferredBit = 0x10;
constexpr std::uint8_t kFirstFileOptionBit = 0x80;
// Bits of flags1.
constexpr std::uint8_t kSecondFileOptionBit = 0x01;
constexpr std::uint8_t kNoRunProgressBit = 0x02;  // the engines report no progress after each run
constexpr std::uint8_t kUnicodeTextBit = 0x04;    // runs reach the exporter as UTF-16
constexpr std::uint8_t kMeasureRunsBit = 0x08;    // read by the export engine's run measuring
constexpr std::uint8_t kAllSheetsInOneFileBit = 0x10;
constexpr std::uint8_t kAskTranslatorBit = 0x40;   // detection asks the translator with identify requests
constexpr std::uint8_t kAcceptsFoldersBit = 0x80;  // a folder item may be a document of this translator
// Bits of flags2 (offeredFor): the preferences list the exporter for these families.
constexpr std::uint8_t kOfferedForWordProcessing = 0x01;
constexpr std::uint8_t kOfferedForSpreadsheet = 0x02;

struct TranslatorDescriptor {
    char name[kTranslatorNameBytes];
    char family[kTranslatorFamilyBytes];
    std::int16_t matched;   // 1 when the last detection found this translator acceptable
    std::int16_t kindCode;  // document-kind code of its documents
    std::uint8_t flags0;
    std::uint8_t flags1;
    std::uint8_t flags2;
    std::uint16_t storyMask;  // side-story kinds an exporter takes; 0 = the main story only
    std::int16_t ruleCount;
    TranslatorRule rules[kMaxTranslatorRules];
    std::int16_t signatureCount;
    ContentSignature signatures[kMaxContentSignatures];
    char outputSuffix[kOutputSuffixBytes];  // when not empty, the whole suffix of output files
    const char* exportChoice;  // importers: the preferences' "Convert to" text of their family, or null
};

inline std::uint8_t docKindsOf(const TranslatorDescriptor& d) { return d.flags0 & kDocKindsMask; }
inline std::uint8_t writeModeOf(const TranslatorDescriptor& d) { return (d.flags0 & kWriteModeMask) >> kWriteModeShift; }
inline bool isPreferred(const TranslatorDescriptor& d) { return (d.flags0 & kPreferredBit) != 0; }
inline std::int16_t firstFileOptionOf(const TranslatorDescriptor& d) { return (d.flags0 & kFirstFileOptionBit) ? 1 : 0; }
inline std::int16_t secondFileOptionOf(const TranslatorDescriptor& d) { return (d.flags1 & kSecondFileOptionBit) ? 1 : 0; }
inline bool asksTranslator(const TranslatorDescriptor& d) { return (d.flags1 & kAskTranslatorBit) != 0; }
inline bool acceptsFolders(const TranslatorDescriptor& d) { return (d.flags1 & kAcceptsFoldersBit) != 0; }
inline bool allSheetsInOneFile(const TranslatorDescriptor& d) { return (d.flags1 & kAllSheetsInOneFileBit) != 0; }
inline std::uint8_t offeredForOf(const TranslatorDescriptor& d) { return d.flags2; }

// Makes the translator object of a descriptor. May answer null (counted as out of memory).
using TranslatorFactory = CBaseTranslator* (*)(const TranslatorDescriptor* descriptor);

struct TranslatorEntry {
    TranslatorFactory factory;  // null ends the table
    CBaseTranslator* object;    // the live translator made from this entry, or null
    TranslatorDescriptor* descriptor;
};

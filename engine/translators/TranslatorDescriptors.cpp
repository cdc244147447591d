#include "engine/translators/TranslatorDescriptors.h"

#include "engine/ProgramPreferences.h"

namespace {

// Importers match every file by their rule; their content signatures and their own identify answers
// decide.
constexpr TranslatorRule kAnyFileRule = {kRuleAnyFile, kAnyFileCode, kAnyFileCode, "", ""};
constexpr TranslatorRule kEmptyRule = {kRuleEmpty, kAnyFileCode, kAnyFileCode, "", ""};
constexpr ContentSignature kNoSignature = {0, 0, {}};
constexpr ContentSignature kZipSignature = {2, 0, {'P', 'K'}};
constexpr ContentSignature kCompoundFileSignature = {8, 0, {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1}};

// An exporter's rule 0 is no test: it names the output file's type, creator and extension.
constexpr TranslatorRule outputRule(std::uint32_t type, std::uint32_t creator, const char (&extension)[4]) {
    return {kRuleEmpty, type, creator, "", {extension[0], extension[1], extension[2], extension[3]}};
}

constexpr std::uint32_t kTextType = fourCharCode("TEXT");

constexpr const char* wordProcessingChoice = gPreferences.wordProcessing.convertTo;
constexpr const char* spreadsheetChoice = gPreferences.spreadsheet.convertTo;

}  // namespace

TranslatorDescriptor importerDescriptors[importer::kCount] = {
    {"AppleWorks5", "AppleWorks", 0, documentkind::kAppleWorks, 0xFD, 0x40, 3, 0, 1,
     {kAnyFileRule, kEmptyRule, kEmptyRule, kEmptyRule}, 0, {kNoSignature, kNoSignature}, "", wordProcessingChoice},
    {"AppleWorks6", "AppleWorks", 0, documentkind::kAppleWorks, 0xFD, 0x40, 3, 0, 1,
     {kAnyFileRule, kEmptyRule, kEmptyRule, kEmptyRule}, 0, {kNoSignature, kNoSignature}, "", wordProcessingChoice},
    {"Office 2007 Encrypted Document", "Word", 0, documentkind::kEncryptedOffice, 0xFD, 0x40, 3, 0, 1,
     {kAnyFileRule, kEmptyRule, kEmptyRule, kEmptyRule}, 1, {kCompoundFileSignature, kNoSignature}, "", nullptr},
    {"Word2003", "Word", 0, documentkind::kWordProcessing, 0xFE, 0x40, 3, 0, 1,
     {kAnyFileRule, kEmptyRule, kEmptyRule, kEmptyRule}, 0, {kNoSignature, kNoSignature}, "", wordProcessingChoice},
    {"Word2007", "Word", 0, documentkind::kWordProcessing, 0xFE, 0xC0, 3, 0, 1,
     {kAnyFileRule, kEmptyRule, kEmptyRule, kEmptyRule}, 1, {kZipSignature, kNoSignature}, "", wordProcessingChoice},
    {"Excel2007", "Excel", 0, documentkind::kSpreadsheet, 0xF6, 0xC2, 3, 0, 1,
     {kAnyFileRule, kEmptyRule, kEmptyRule, kEmptyRule}, 1, {kZipSignature, kNoSignature}, "", spreadsheetChoice},
};

TranslatorDescriptor exporterDescriptors[exporter::kCount] = {
    {"CSV", "CSV", 0, documentkind::kCommaSeparated, 0xF7, 0x04, 2, 0, 1,
     {outputRule(kTextType, fourCharCode("XCEL"), "csv"), kEmptyRule, kEmptyRule, kEmptyRule}, 0,
     {kNoSignature, kNoSignature}, "", nullptr},
    {"RTF", "Word", 0, documentkind::kWordProcessing, 0xFE, 0x0C, 1, 0x01FF, 1,
     {outputRule(0, 0, "rtf"), kEmptyRule, kEmptyRule, kEmptyRule}, 0, {kNoSignature, kNoSignature}, "", nullptr},
    {"Text", "Text", 0, documentkind::kPlainText, 0xFF, 0x01, 3, 0, 1,
     {outputRule(kTextType, fourCharCode("ttxt"), "txt"), kEmptyRule, kEmptyRule, kEmptyRule}, 0,
     {kNoSignature, kNoSignature}, "", nullptr},
    {"Unicode", "Unicode", 0, documentkind::kUnicodeText, 0xFD, 0x05, 3, 0, 1,
     {outputRule(kTextType, fourCharCode("ttxt"), "txt"), kEmptyRule, kEmptyRule, kEmptyRule}, 0,
     {kNoSignature, kNoSignature}, "", nullptr},
};

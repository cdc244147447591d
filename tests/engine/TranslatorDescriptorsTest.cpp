// The ten translators' descriptors as the registry, detection and the preferences read them, and the
// stand-ins bound in their place until their readers and writers exist.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/ProgramPreferences.h"
#include "engine/translators/StandInTranslators.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "engine/translators/TranslatorRequest.h"
#include "model/params/XParamBlock.h"
#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

enum class Choice { none, wordProcessing, spreadsheet };

struct DescriptorRow {
    const TranslatorDescriptor* descriptor;
    const char* name;
    const char* family;
    std::int16_t kindCode;
    std::uint8_t docKinds, writeMode, flags1, offeredFor;
    std::uint16_t storyMask;
    std::uint32_t ruleFlags, fileType, creator;
    const char* extension;
    std::string signature;  // bytes at offset 0, empty for none
    Choice exportChoice;
};

const std::string kZip = "PK";
const std::string kCompound = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::uint32_t kAny = 0x3F3F3F3F;
constexpr std::uint32_t kText = 0x54455854;

const DescriptorRow kDescriptors[] = {
    {&importerDescriptors[0], "AppleWorks5", "AppleWorks", 2, 1, 3, 0x40, 3, 0, 0x10, kAny, kAny, "", "", Choice::wordProcessing},
    {&importerDescriptors[1], "AppleWorks6", "AppleWorks", 2, 1, 3, 0x40, 3, 0, 0x10, kAny, kAny, "", "", Choice::wordProcessing},
    {&importerDescriptors[2], "Office 2007 Encrypted Document", "Word", 20, 1, 3, 0x40, 3, 0, 0x10, kAny, kAny, "", kCompound, Choice::none},
    {&importerDescriptors[3], "Word2003", "Word", 24, 2, 3, 0x40, 3, 0, 0x10, kAny, kAny, "", "", Choice::wordProcessing},
    {&importerDescriptors[4], "Word2007", "Word", 24, 2, 3, 0xC0, 3, 0, 0x10, kAny, kAny, "", kZip, Choice::wordProcessing},
    {&importerDescriptors[5], "Excel2007", "Excel", 5, 2, 1, 0xC2, 3, 0, 0x10, kAny, kAny, "", kZip, Choice::spreadsheet},
    {&exporterDescriptors[0], "CSV", "CSV", 0, 3, 1, 0x04, 2, 0, 0, kText, 0x5843454C, "csv", "", Choice::none},
    {&exporterDescriptors[1], "RTF", "Word", 24, 2, 3, 0x0C, 1, 0x01FF, 0, 0, 0, "rtf", "", Choice::none},
    {&exporterDescriptors[2], "Text", "Text", 8, 3, 3, 0x01, 3, 0, 0, kText, 0x74747874, "txt", "", Choice::none},
    {&exporterDescriptors[3], "Unicode", "Unicode", 23, 1, 3, 0x05, 3, 0, 0, kText, 0x74747874, "txt", "", Choice::none},
};

TEST(TranslatorDescriptorsTest, TheTenDescriptors) {
    for (const DescriptorRow& row : kDescriptors) {
        const TranslatorDescriptor& d = *row.descriptor;
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(d.name, row.name);
        EXPECT_STREQ(d.family, row.family);
        EXPECT_EQ(d.kindCode, row.kindCode);
        EXPECT_EQ(docKindsOf(d), row.docKinds);
        EXPECT_EQ(writeModeOf(d), row.writeMode);
        EXPECT_TRUE(isPreferred(d));
        EXPECT_EQ(d.flags0 & 0x60, 0x60);
        EXPECT_EQ(d.flags1, row.flags1);
        EXPECT_EQ(offeredForOf(d), row.offeredFor);
        EXPECT_EQ(d.storyMask, row.storyMask);
        ASSERT_EQ(d.ruleCount, 1);
        EXPECT_EQ(d.rules[0].ruleFlags, row.ruleFlags);
        EXPECT_EQ(d.rules[0].fileType, row.fileType);
        EXPECT_EQ(d.rules[0].creator, row.creator);
        EXPECT_EQ(std::string(d.rules[0].extension, strnlen(d.rules[0].extension, 4)), row.extension);
        EXPECT_EQ(d.rules[0].namePattern[0], '\0');
        for (int i = 1; i < kMaxTranslatorRules; ++i) EXPECT_EQ(d.rules[i].ruleFlags, kRuleEmpty);
        EXPECT_EQ(d.signatureCount, row.signature.empty() ? 0 : 1);
        if (!row.signature.empty()) {
            EXPECT_EQ(d.signatures[0].offset, 0u);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(d.signatures[0].bytes), d.signatures[0].length),
                      row.signature);
        }
        EXPECT_EQ(d.outputSuffix[0], '\0');
        switch (row.exportChoice) {
            case Choice::none: EXPECT_EQ(d.exportChoice, nullptr); break;
            case Choice::wordProcessing: EXPECT_EQ(d.exportChoice, gPreferences.wordProcessing.convertTo); break;
            case Choice::spreadsheet: EXPECT_EQ(d.exportChoice, gPreferences.spreadsheet.convertTo); break;
        }
    }
}

TEST(TranslatorDescriptorsTest, ExportChoiceReadsThePreferencesInForce) {
    EXPECT_STREQ(importerDescriptors[importer::kWord2007].exportChoice, "RTF");
    EXPECT_STREQ(importerDescriptors[importer::kExcel2007].exportChoice, "CSV");
    const Preferences saved = gPreferences;
    std::strcpy(gPreferences.wordProcessing.convertTo, "Unicode");
    EXPECT_STREQ(importerDescriptors[importer::kAppleWorks5].exportChoice, "Unicode");
    gPreferences = saved;
}

class StandInTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(folder.file("document.docx"), "PK\x03\x04");
        writeBytes(folder.file("out.rtf"), "");
        initXParamBlock(nullptr, &block);
        spec = specOf(itemIn(folder, "document.docx"));
        block.identifySpec = &spec;
        block.fileSpec = spec;
    }
    void TearDown() override { disposeXParamBlock(&block); }

    testsupport::TemporaryFolder folder;
    FileSpec spec{};
    XParamBlock block{};
};

TEST_F(StandInTest, ImporterStandInRefusesEveryFile) {
    for (std::int16_t code : {request::kSelIdentifyQuick, request::kSelIdentifyFull, request::kSelDocument}) {
        CBaseTranslator* importer = makeStandInImporter(&importerDescriptors[importer::kWord2007]);
        ASSERT_NE(importer, nullptr);
        block.selector = code;
        EXPECT_EQ(importer->dispatch(&block), result::kErrInaccessible) << code;
        delete importer;
    }
}

TEST_F(StandInTest, ExporterStandInNeverAnswersSuccess) {
    CBaseTranslator* exporter = makeStandInExporter(&exporterDescriptors[exporter::kRTF]);
    ASSERT_NE(exporter, nullptr);
    block.fileSpec = specOf(itemIn(folder, "out.rtf"));
    for (std::int16_t code : {0, 1, 11, 13, 23, 24, 25}) {
        block.selector = code;
        EXPECT_EQ(exporter->dispatch(&block), result::kErrInaccessible) << code;
    }
    delete exporter;
}

}  // namespace

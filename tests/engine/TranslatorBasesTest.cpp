// The importer and exporter bases: which answer each request code gets, when the input or output file
// is held, and how failures come back from dispatch.
#include <gtest/gtest.h>

#include <new>

#include "engine/translators/CExporter.h"
#include "engine/translators/CImporter.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/files/CFile.h"
#include "model/params/XParamBlock.h"
#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

constexpr std::int16_t kUnchanged = 0x7FFF;  // the table's mark for "the request's own code stays"

struct RequestRow {
    std::int16_t code;
    std::int16_t importerAnswer;
    std::int16_t exporterAnswer;
};

// Request code -> what the defaults answer. -1: answered / present / taken; kUnchanged: absent / not taken
// (no text and no end request follow).
const RequestRow kRequestTable[] = {
    {0, -1, -1},                   // document
    {1, -1, -1},                   // begin sheet
    {2, -1, kUnchanged},           // import: main story present; export: header not taken
    {3, kUnchanged, kUnchanged},   {4, kUnchanged, kUnchanged},  {5, kUnchanged, kUnchanged},
    {6, kUnchanged, kUnchanged},   {7, kUnchanged, kUnchanged},  // import 7: bookmark, no operation
    {8, kUnchanged, kUnchanged},   {9, kUnchanged, kUnchanged},  {10, kUnchanged, kUnchanged},
    {11, kUnchanged, -1},          // import: table story absent; export: main story taken
    {12, -1, -1},                  // special
    {13, -1, -1},                  // text: the importer ends the story at once, the exporter drops the run
    {14, -1, -1}, {15, -1, -1}, {16, -1, -1}, {17, -1, -1}, {18, -1, -1}, {19, -1, -1},
    {20, -1, -1}, {21, -1, -1}, {22, -1, -1}, {23, -1, -1},  // end story
    {24, -1, -1},                  // end sheet
    {25, -1, -1},                  // end document
    {26, kUnchanged, kUnchanged},  // start: hooks only
    {29, kUnchanged, kUnchanged},  {-1, kUnchanged, kUnchanged}, {-9999, kUnchanged, kUnchanged},
};

class TranslatorBasesTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(folder.file("input.bin"), "data");
        writeBytes(folder.file("output.txt"), "");
        initXParamBlock(nullptr, &block);
        block.fileSpec = specOf(itemIn(folder, "input.bin"));
    }
    void TearDown() override { disposeXParamBlock(&block); }

    std::int32_t send(CBaseTranslator& translator, std::int16_t code) {
        block.selector = code;
        block.textLength = 99;
        return translator.dispatch(&block);
    }

    testsupport::TemporaryFolder folder;
    XParamBlock block{};
};

TEST_F(TranslatorBasesTest, DefaultAnswerOfEveryRequestCode) {
    for (const RequestRow& row : kRequestTable) {
        SCOPED_TRACE(row.code);
        CImporter importer(&importerDescriptors[importer::kWord2003]);
        block.fileSpec = specOf(itemIn(folder, "input.bin"));
        ASSERT_EQ(send(importer, row.code), 0);
        EXPECT_EQ(block.selector, row.importerAnswer == kUnchanged ? row.code : row.importerAnswer);
        if (row.code == request::kSelText) {
            EXPECT_EQ(block.textLength, 0);
        }
        EXPECT_EQ(importer.inputFile() != nullptr, row.code == request::kSelDocument);

        CExporter exporter(&exporterDescriptors[exporter::kText]);
        block.fileSpec = specOf(itemIn(folder, "output.txt"));
        ASSERT_EQ(send(exporter, row.code), 0);
        EXPECT_EQ(block.selector, row.exporterAnswer == kUnchanged ? row.code : row.exporterAnswer);
        EXPECT_EQ(exporter.outputFile() != nullptr, row.code == request::kSelBeginSheet);
    }
}

TEST_F(TranslatorBasesTest, StoryNumbersBeginInBothNumberings) {
    for (const StoryRequestCodes& kind : storyRequestCodes) {
        SCOPED_TRACE(kind.storageName);
        const bool main = kind.storyNumber == storykind::kMain;
        EXPECT_EQ(importBeginCode(kind.storyNumber), main ? 2 : kind.storyNumber + 2);
        EXPECT_EQ(exportBeginCode(kind.storyNumber), main ? 11 : kind.storyNumber + 1);
    }
    EXPECT_EQ(importBeginCode(0), -1);
    EXPECT_EQ(exportBeginCode(11), -1);
}

TEST_F(TranslatorBasesTest, ExporterHoldsTheOutputFileFromBeginToEndOfSheet) {
    CExporter exporter(&exporterDescriptors[exporter::kText]);
    block.fileSpec = specOf(itemIn(folder, "output.txt"));
    for (std::int16_t code : {0, 1, 11, 13, 23}) ASSERT_EQ(send(exporter, code), 0);
    EXPECT_NE(exporter.outputFile(), nullptr);
    ASSERT_EQ(send(exporter, request::kSelEndSheet), 0);
    EXPECT_EQ(exporter.outputFile(), nullptr);
    EXPECT_EQ(send(exporter, request::kSelEndSheet), 0) << "an end of sheet without a file is no failure";
}

TEST_F(TranslatorBasesTest, MissingFilesFailTheOpeningRequest) {
    CImporter importer(&importerDescriptors[importer::kWord2003]);
    block.fileSpec = specOf(itemIn(folder, "missing.bin"));
    EXPECT_EQ(send(importer, request::kSelDocument), 2);
    EXPECT_EQ(block.selector, request::kSelDocument) << "readDocument does not run";
    EXPECT_EQ(importer.inputFile(), nullptr);

    CExporter exporter(&exporterDescriptors[exporter::kRTF]);
    EXPECT_EQ(send(exporter, request::kSelBeginSheet), 2);
    EXPECT_EQ(block.selector, request::kSelBeginSheet);
    EXPECT_EQ(exporter.outputFile(), nullptr);
}

TEST_F(TranslatorBasesTest, FolderItemIsNotOpenedButRead) {
    std::filesystem::create_directory(folder.file("package"));
    CImporter importer(&importerDescriptors[importer::kWord2007]);
    block.fileSpec = specOf(itemIn(folder, "package"));
    EXPECT_EQ(send(importer, request::kSelDocument), 0);
    EXPECT_EQ(block.selector, -1);
    ASSERT_NE(importer.inputFile(), nullptr);
    std::int32_t position = 0;
    EXPECT_EQ(importer.inputFile()->getPosition(position), result::kNotOpen);
}

// Operations that fail in the ways a translator can: a CFail of any code, or running out of memory.
class FailingImporter : public CImporter {
public:
    using CImporter::CImporter;
    std::int16_t code = 0;

protected:
    void readText() override {
        if (code == 0) throw std::bad_alloc();
        throwFail(code, __LINE__, "Test");
    }
};

class FailingExporter : public CExporter {
public:
    using CExporter::CExporter;

protected:
    void doText() override { throwFail(result::kStopQuietly, __LINE__, "Test"); }
};

TEST_F(TranslatorBasesTest, FailuresComeBackAsUnsignedCodesAndReleaseTheFile) {
    struct Case {
        std::int16_t raised;
        std::int32_t dispatched;
    };
    for (const Case& c : {Case{result::kStopQuietly, 55537}, Case{result::kErrInaccessible, 32003},
                          Case{0, result::kOutOfMemory}}) {
        SCOPED_TRACE(c.raised);
        FailingImporter importer(&importerDescriptors[importer::kWord2003]);
        importer.code = c.raised;
        ASSERT_EQ(send(importer, request::kSelDocument), 0);
        ASSERT_NE(importer.inputFile(), nullptr);
        EXPECT_EQ(send(importer, request::kSelText), c.dispatched);
        EXPECT_EQ(importer.inputFile(), nullptr);
        EXPECT_EQ(send(importer, request::kSelEndSheet), 0) << "the end requests cope with no input file";
    }

    FailingExporter exporter(&exporterDescriptors[exporter::kText]);
    block.fileSpec = specOf(itemIn(folder, "output.txt"));
    ASSERT_EQ(send(exporter, request::kSelBeginSheet), 0);
    EXPECT_EQ(send(exporter, request::kSelText), 55537);
    EXPECT_EQ(exporter.outputFile(), nullptr);
}

TEST_F(TranslatorBasesTest, BaseTranslatorAnswersOneAndNullBlockIsRefused) {
    CBaseTranslator base(nullptr);
    block.selector = 0;
    EXPECT_EQ(base.dispatch(&block), 1);
    EXPECT_EQ(block.selector, 0);
    CImporter importer(nullptr);
    EXPECT_EQ(importer.dispatch(nullptr), result::kNullObject);
}

}  // namespace

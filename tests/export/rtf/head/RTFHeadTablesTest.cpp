// The font, colour and revision tables of the document head.
#include <gtest/gtest.h>

#include <string>

#include "model/params/ParamBlockTables.h"
#include "model/tables/CFontArray.h"
#include "tests/export/rtf/RTFCaptureEmitter.h"

namespace rtftest {
namespace {

class RTFHeadTablesTest : public ::testing::Test, protected CaptureFixture {
protected:
    std::string tables() {
        emitter->writeFontTable();
        emitter->writeColorTable();
        emitter->writeRevisionTable();
        return emitter->take();
    }
};

TEST_F(RTFHeadTablesTest, TablesListTheirEntriesInTableOrder) {
    XFont* arial = block.fonts->get(2);
    arial->fontFamily = 2;
    arial->fontCharset = 204;
    block.fonts->get(1)->fontFamily = 1;
    const RGBColor odd{65535, 32768, 257 * 9};
    addColor(&odd, &block);
    addAuthor("Bo", &block);
    EXPECT_EQ(tables(),
              "{\\fonttbl{\\f0\\froman\\fcharset0 Times;}{\\f1\\fswiss\\fcharset204 Arial;}}\r\n"
              "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;"
              "\\red255\\green127\\blue9;}\r\n"
              "{\\*\\revtbl {Unknown;}{Ann;}{Bo;}}\r\n");
}

TEST_F(RTFHeadTablesTest, NamesAreEscapedAndOddRecordsStillReadBack) {
    XFont* times = block.fonts->get(1);
    std::snprintf(times->fontPCName, sizeof times->fontPCName, "%s", "Od{d}\\ Caf\xC3\xA9");
    times->fontFamily = 42;        // outside the family table: "nil"
    times->fontRTFNumber = 1;      // two fonts of one number keep it
    addAuthor("J\xC3\xBCrgen {QA}", &block);
    const std::string head = tables();
    EXPECT_NE(head.find("{\\f1\\fnil\\fcharset0 Od\\{d\\}\\\\ Caf\\u233?;}{\\f1\\fnil"), std::string::npos) << head;
    EXPECT_NE(head.find("{Ann;}{J\\u252?rgen \\{QA\\};}}"), std::string::npos) << head;
}

TEST(RTFHeadTablesEmptyTest, ADocumentWithoutFontsColoursOrAuthorsHasNoTables) {
    TemporaryFilesScope temporaryFiles;
    XParamBlock block{};
    initXParamBlock(nullptr, &block);
    StillPlacer placer;
    {
        CaptureEmitter emitter(&block, &placer);
        emitter.writeFontTable();
        emitter.writeColorTable();
        emitter.writeRevisionTable();
        EXPECT_EQ(emitter.take(), "");
    }
    disposeXParamBlock(&block);
}

}  // namespace
}  // namespace rtftest

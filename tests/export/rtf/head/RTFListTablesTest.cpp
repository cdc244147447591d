// The list table and the list override table of the document head.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "foundation/FieldMask.h"
#include "tests/export/rtf/RTFCaptureEmitter.h"
#include "tests/export/rtf/head/RTFListRecords.h"

namespace rtftest {
namespace {

class RTFListTablesTest : public ::testing::Test, protected CaptureFixture {
protected:
    std::string tables() {
        emitter->writeListTables();
        return emitter->take();
    }
    // The list of the written list table that ends with `end` (its list id), up to that end; empty when
    // no list does.
    static std::string listEndingWith(const std::string& written, const std::string& end) {
        const std::size_t at = written.find(end);
        if (at == std::string::npos) return {};
        const std::size_t start = written.rfind("{\\list\\", at);
        return written.substr(start, at - start);
    }
};

TEST_F(RTFListTablesTest, NoListsStillWriteBothEmptyTables) {
    EXPECT_EQ(tables(), "{\\*\\listtable}{\\*\\listoverridetable}");
}

TEST_F(RTFListTablesTest, ASingleLevelSimpleListWritesItsLevelNameIdAndOverride) {
    XListDef& list = addListDefinitions(block, 1)[0];
    list.listDefId = 7;
    list.listId = 1001;
    list.listTemplateId = -5;
    list.listSimple = 1;
    std::snprintf(list.listName, sizeof list.listName, "%s", "Steps; first");
    XListLevel& level = list.levels[0];
    level.levelStartAt = 1;
    level.levelJc = 0;
    level.levelFollow = 9;
    level.levelIndent = 360;
    setLevelText(level, u"%1.");
    level.levelForm.txtFace = kFaceBold;
    setMaskBit(level.levelForm.changeBits, 13);
    level.levelRule.indentLeft = 720;
    setMaskBit(level.levelRule.changeBits, 4);
    XListOvr* overrides = addListOverrides(block, 2);
    overrides[0] = XListOvr{7, 1, 0, {}, {}};
    overrides[1] = XListOvr{99, 2, 1, {}, {}};  // names no definition
    EXPECT_EQ(tables(),
              "{\\*\\listtable"
              "{\\list\\listemplateid-5\\listsimple1"
              "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace0"
              "\\levelindent360{\\leveltext\\'02\\'00.;}{\\levelnumbers \\'01;}\\b\\li720}"
              "{\\listname Steps\\'3b first;}\\listid1001}"
              "}"
              "{\\*\\listoverridetable"
              "{\\listoverride\\listid1001\\listoverridecount0\\ls1}"
              "{\\listoverride\\listid0\\listoverridecount1\\ls2}"
              "}");
}

TEST_F(RTFListTablesTest, MultiLevelAndHybridListsWriteNineLevels) {
    XListDef* lists = addListDefinitions(block, 2);
    lists[0].listSimple = 1;
    lists[0].listMultiLevel = 1;
    lists[1].listHybrid = 1;
    setLevelText(lists[1].levels[2], u"\xF0B7");
    lists[1].levels[2].levelTplc = 42;
    lists[1].levels[2].levelHasPicture = 1;
    lists[1].levels[2].levelPicture = 3;
    const std::string written = tables();
    std::size_t levels = 0;
    for (std::size_t at = written.find("{\\listlevel"); at != std::string::npos; at = written.find("{\\listlevel", at + 1))
        ++levels;
    EXPECT_EQ(levels, 18u) << written;
    EXPECT_NE(written.find("{\\list\\listemplateid0\\listsimple{\\listlevel"), std::string::npos) << written;
    EXPECT_NE(written.find("{\\list\\listemplateid0\\listhybrid{\\listlevel"), std::string::npos) << written;
    EXPECT_NE(written.find("{\\leveltext\\leveltemplateid42\\'01\\u-3913 ?;}{\\levelnumbers;}\\levelpicture3}"),
              std::string::npos)
        << written;
}

TEST_F(RTFListTablesTest, AListThatRefersToANumberingStyleTakesTheLevelsOfTheListDefiningIt) {
    XListDef* lists = addListDefinitions(block, 2);
    lists[0].listId = 11;
    std::snprintf(lists[0].listStyleName, sizeof lists[0].listStyleName, "%s", "Outline");
    lists[0].levels[0].levelStartAt = 4;
    lists[1].listId = 22;
    std::snprintf(lists[1].listStyleId, sizeof lists[1].listStyleId, "%s", "OUTLINE");
    lists[1].levels[0].levelStartAt = 9;  // not written: the style's levels stand
    const std::string written = tables();
    const std::size_t second = written.find("{\\list\\", 1 + written.find("{\\list\\"));
    ASSERT_NE(second, std::string::npos) << written;
    EXPECT_NE(written.find("{\\*\\liststylename Outline;}}"), std::string::npos) << written;
    EXPECT_NE(written.find("\\levelstartat4", second), std::string::npos) << written;
    EXPECT_EQ(written.find("\\levelstartat9"), std::string::npos) << written;
    EXPECT_NE(written.find("\\listid22\\liststyleid11}", second), std::string::npos) << written;
}

TEST_F(RTFListTablesTest, AListNumberThatRestartsTheNumberingIsWrittenAsAListOfItsOwn) {
    XListDef* lists = addListDefinitions(block, 2);
    lists[0].listDefId = 1;
    lists[0].listId = 50;
    std::snprintf(lists[0].listStyleName, sizeof lists[0].listStyleName, "%s", "Legal");
    for (XListLevel& level : lists[0].levels) level.levelStartAt = 1;
    lists[1].listDefId = 2;
    lists[1].listId = 70;
    XListOvr* overrides = addListOverrides(block, 4);
    overrides[0] = XListOvr{1, 1, 0, {}, {}};
    overrides[1] = XListOvr{1, 2, 2, {0, 4}, {}};  // restarts its second level at 4
    overrides[2] = XListOvr{1, 3, 1, {0, 0}, {}};  // a level override without a start value
    overrides[3] = XListOvr{9, 4, 1, {3}, {}};     // names no definition
    const std::string written = tables();
    const std::string restartedList = listEndingWith(written, "\\listid71}");
    ASSERT_FALSE(restartedList.empty()) << written;
    EXPECT_NE(restartedList.find("\\levelstartat1\\levelspace0\\levelindent0}{\\listlevel\\levelnfc0\\levelnfcn0"
                                 "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat4"),
              std::string::npos)
        << restartedList;
    EXPECT_EQ(written.find("liststylename", written.find("\\listid71}")), std::string::npos) << "the style is defined once";
    EXPECT_NE(written.find("{\\*\\listoverridetable{\\listoverride\\listid50\\listoverridecount0\\ls1}"
                           "{\\listoverride\\listid71\\listoverridecount0\\ls2}"
                           "{\\listoverride\\listid50\\listoverridecount1\\ls3}"
                           "{\\listoverride\\listid0\\listoverridecount1\\ls4}}"),
              std::string::npos)
        << written;
}

// A list number that replaces a level of its definition (its own number format) writes the replaced
// level in its override, after an empty group for each level before it, since readers place the groups
// by their order; one that also restarts the numbering gives its list of its own the replaced level.
TEST_F(RTFListTablesTest, AListNumberThatReplacesALevelWritesTheReplacedLevel) {
    XListDef& list = addListDefinitions(block, 1)[0];
    list.listDefId = 1;
    list.listId = 50;
    for (XListLevel& level : list.levels) level.levelStartAt = 1;
    setLevelText(list.levels[1], u"%2.");
    setLevelText(list.levels[2], u"%3.");
    XListOvr* overrides = addListOverrides(block, 3);
    overrides[0] = XListOvr{1, 1, 1, {}, {}};
    XListLevel& lettered = (*ownOverrideLevels(overrides[0]))[2];
    lettered.levelNfc = 4;
    lettered.levelStartAt = 1;
    setLevelText(lettered, u"%3)");
    overrides[1] = XListOvr{1, 2, 2, {0, 7}, {}};  // restarts its second level at 7, in roman numbers
    XListLevel& roman = (*ownOverrideLevels(overrides[1]))[1];
    roman.levelNfc = 1;
    roman.levelStartAt = 1;
    setLevelText(roman, u"%2:");
    overrides[2] = XListOvr{1, 3, 0, {}, {}};
    ownOverrideLevels(overrides[2]);  // nine cleared levels replace nothing
    const std::string written = tables();
    const std::string restartedList = listEndingWith(written, "\\listid51}");
    ASSERT_FALSE(restartedList.empty()) << written;
    EXPECT_NE(restartedList.find("{\\listlevel\\levelnfc1\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat7"
                                 "\\levelspace0\\levelindent0{\\leveltext\\'02\\'01:;}{\\levelnumbers \\'01;}}"),
              std::string::npos)
        << restartedList;
    EXPECT_EQ(restartedList.find("{\\leveltext\\'02\\'01.;}"), std::string::npos) << "the replaced level is not written";
    EXPECT_NE(written.find("{\\*\\listoverridetable"
                           "{\\listoverride\\listid50\\listoverridecount3{\\lfolevel}{\\lfolevel}{\\lfolevel\\listoverrideformat"
                           "{\\listlevel\\levelnfc4\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace0"
                           "\\levelindent0{\\leveltext\\'02\\'02);}{\\levelnumbers \\'01;}}}\\ls1}"
                           "{\\listoverride\\listid51\\listoverridecount0\\ls2}"
                           "{\\listoverride\\listid50\\listoverridecount0\\ls3}}"),
              std::string::npos)
        << written;
}

// Documents that state no list ids give every definition the same one; a reader takes lists of one id
// for one list, so a later definition with a taken id is written under a fresh one, and its numbers
// follow it.
TEST_F(RTFListTablesTest, DefinitionsThatShareAListIdAreWrittenUnderIdsOfTheirOwn) {
    XListDef* lists = addListDefinitions(block, 3);
    const std::int32_t definitionIds[] = {1, 2, 3};
    const std::int32_t listIds[] = {0, 0, 5};
    for (int i = 0; i < 3; ++i) {
        lists[i].listDefId = definitionIds[i];
        lists[i].listId = listIds[i];
        lists[i].levels[0].levelStartAt = 1;
    }
    XListOvr* overrides = addListOverrides(block, 4);
    overrides[0] = XListOvr{1, 1, 0, {}, {}};
    overrides[1] = XListOvr{2, 2, 0, {}, {}};
    overrides[2] = XListOvr{3, 3, 0, {}, {}};
    overrides[3] = XListOvr{2, 4, 1, {1}, {}};  // restarts the second list: a copy under the next fresh id
    const std::string written = tables();
    const char* const definitionEnds[] = {"{\\listname ;}\\listid0}", "{\\listname ;}\\listid6}",
                                          "{\\listname ;}\\listid5}", "{\\listname ;}\\listid7}"};
    std::size_t at = 0;
    for (const char* end : definitionEnds) {
        at = written.find(end, at);
        ASSERT_NE(at, std::string::npos) << end << " in order in\n" << written;
    }
    EXPECT_NE(written.find("{\\*\\listoverridetable{\\listoverride\\listid0\\listoverridecount0\\ls1}"
                           "{\\listoverride\\listid6\\listoverridecount0\\ls2}"
                           "{\\listoverride\\listid5\\listoverridecount0\\ls3}"
                           "{\\listoverride\\listid7\\listoverridecount0\\ls4}}"),
              std::string::npos)
        << written;
}

TEST_F(RTFListTablesTest, LevelFollowIsWrittenAsTheListTableCountsIt) {
    XListDef& list = addListDefinitions(block, 1)[0];
    const std::int16_t follows[] = {0, 9, 1, 32, 2, 5};
    for (int i = 0; i < 6; ++i) list.levels[i].levelFollow = follows[i];
    const std::string written = tables();
    std::string found;
    for (std::size_t at = written.find("\\levelfollow"); at != std::string::npos; at = written.find("\\levelfollow", at + 1))
        found += written[at + 12];
    EXPECT_EQ(found, "001122000") << "the levels left at 0 are followed by a tab";
}

TEST_F(RTFListTablesTest, CountsBeyondTheArraysAreNotRead) {
    addListDefinitions(block, 1);
    block.listDefCount = 3000;
    addListOverrides(block, 1);
    block.listOvrCount = 400;
    const std::string written = tables();
    EXPECT_EQ(written.find("{\\list\\", written.find("{\\list\\") + 1), std::string::npos) << written;
    EXPECT_EQ(written.find("{\\listoverride\\", written.find("{\\listoverride\\") + 1), std::string::npos) << written;
}

}  // namespace
}  // namespace rtftest

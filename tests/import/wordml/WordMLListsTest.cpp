// Lists and numbering of WordprocessingML documents: the definitions, instances and picture bullets
// that reach the storage's list table, and the list membership, number text and level formatting of
// the numbered paragraphs of the main story.
#include <cstring>
#include <functional>
#include <map>
#include <optional>

#include "engine/export/parameters/ListTableReader.h"
#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "import/wordml/properties/HexNumber.h"
#include "model/CPicture.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"
#include "tests/import/wordml/WordMLImportSupport.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/PictureFixtures.h"

namespace wordmltest {
namespace {

// The storage's list table read back into a block of its own.
struct StoredLists {
    StoredLists() { initXParamBlock(nullptr, &block); }
    ~StoredLists() { disposeXParamBlock(&block); }
    StoredLists(const StoredLists&) = delete;
    StoredLists& operator=(const StoredLists&) = delete;

    const XListLevel& defLevel(int def, int level) const { return block.listDefs[def].levels[level]; }
    XParamBlock block{};
};

std::u16string levelText(const XListLevel& level) {
    if (level.levelText == nullptr) return u"(null)";
    return std::u16string(level.levelText, static_cast<std::size_t>(level.levelTextLength));
}

class WordMLListsTest : public WordMLImportTest {
protected:
    void readStoredLists(StoredLists& lists) {
        CStream documentElement(storage->rootStream(), "Zevozav", 0);
        readListTables(documentElement, lists.block);
    }
    // The paragraph record in force at each paragraph start of the main story.
    std::vector<XRule> paragraphRules() {
        std::vector<XRule> rules;
        main = story(storykind::kMain);
        if (main == nullptr) return rules;
        const std::u16string text = main->textString();
        std::int32_t start = 0;
        for (std::int32_t offset = 0; offset <= static_cast<std::int32_t>(text.size()); ++offset) {
            if (offset < static_cast<std::int32_t>(text.size()) && text[offset] != u'\r') continue;
            const XRule* inForce = nullptr;
            for (std::int32_t i = 0; i < main->ruleCount; ++i)
                if (main->rules[i].position <= start) inForce = &main->rules[i];
            if (inForce != nullptr && start < static_cast<std::int32_t>(text.size())) rules.push_back(*inForce);
            start = offset + 1;
        }
        return rules;
    }
    std::unique_ptr<storytest::LoadedStory> main;
};

TEST_F(WordMLListsTest, ANumberedListOfThreeLevelsWithARestartAndABulletedListReachTheStorage) {
    ASSERT_EQ(import(fixture("lists.xml")), 0);
    StoredLists lists;
    readStoredLists(lists);
    ASSERT_EQ(lists.block.listDefCount, 2);
    ASSERT_EQ(lists.block.listOvrCount, 3);
    EXPECT_EQ(lists.block.listPicCount, 0);

    const XListDef& numbered = lists.block.listDefs[0];
    EXPECT_EQ(numbered.listDefId, 0);
    EXPECT_EQ(static_cast<std::uint32_t>(numbered.listId), 0xE4B2A4C6u);
    EXPECT_EQ(numbered.listTemplateId, 0x0409000F);
    EXPECT_EQ(numbered.listMultiLevel, 1);
    EXPECT_EQ(numbered.listHybrid, 1);
    EXPECT_EQ(numbered.listSimple, 0);
    EXPECT_STREQ(numbered.listName, "Outline");
    struct LevelCase {
        std::u16string text;
        std::int16_t nfc;
        std::int16_t jc;
        std::int16_t follow;
        std::int32_t indentLeft;
    };
    const LevelCase levels[] = {{u"%1.", 0, 0, 0, 720}, {u"%2)", 4, 0, 1, 1440}, {u"%3.", 2, 2, 0, 2160}};
    for (int i = 0; i < 3; ++i) {
        const XListLevel& level = lists.defLevel(0, i);
        EXPECT_EQ(levelText(level), levels[i].text) << "level " << i;
        EXPECT_EQ(level.levelNfc, levels[i].nfc) << "level " << i;
        EXPECT_EQ(level.levelJc, levels[i].jc) << "level " << i;
        EXPECT_EQ(level.levelFollow, levels[i].follow) << "level " << i;
        EXPECT_EQ(level.levelStartAt, 1) << "level " << i;
        EXPECT_EQ(level.levelRule.indentLeft, levels[i].indentLeft) << "level " << i;
    }
    EXPECT_EQ(lists.defLevel(0, 1).levelTentative, 1);
    EXPECT_EQ(lists.defLevel(0, 1).levelTplc, 0x04090019);
    EXPECT_EQ(levelText(lists.defLevel(0, 3)), u"(null)") << "a level the list does not state";

    const XListDef& bulleted = lists.block.listDefs[1];
    EXPECT_EQ(bulleted.listSimple, 1);
    EXPECT_EQ(lists.defLevel(1, 0).levelNfc, 23);
    EXPECT_EQ(levelText(lists.defLevel(1, 0)), u"\xF0B7");

    const std::int32_t ilfo[] = {1, 2, 3};
    const std::int32_t ilst[] = {0, 0, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lists.block.listOvrs[i].listIlfo, ilfo[i]);
        EXPECT_EQ(lists.block.listOvrs[i].listIlst, ilst[i]);
        // The storage holds nine cleared levels for it; memory holds none.
        EXPECT_EQ(lists.block.listOvrs[i].levels, nullptr) << "override " << i << " replaces no level";
    }
    EXPECT_EQ(lists.block.listOvrs[0].listOverrideCount, 0);
    EXPECT_EQ(lists.block.listOvrs[1].listOverrideCount, 1) << "the restart";
    EXPECT_EQ(lists.block.listOvrs[1].startOverride[0], 1);
}

TEST_F(WordMLListsTest, NumberedParagraphsNameTheirListAndTakeTheLevelsIndents) {
    ASSERT_EQ(import(fixture("lists.xml")), 0);
    const std::vector<XRule> rules = paragraphRules();
    // The engine closes the main story with a paragraph end of its own.
    ASSERT_GE(rules.size(), 6u);
    struct ParagraphCase {
        std::int32_t ls;
        std::int16_t ilvl;
        std::u16string text;
        std::int32_t indentLeft;
    };
    const ParagraphCase expected[] = {
        {1, 0, u"1.", 720}, {1, 1, u"a)", 1440}, {1, 2, u"i.", 2160}, {2, 0, u"1.", 720}, {3, 0, u"\xF0B7", 360},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const XLevel& level = rules[i].level;
        EXPECT_EQ(level.ls, expected[i].ls) << "paragraph " << i;
        EXPECT_EQ(level.ilvl, expected[i].ilvl) << "paragraph " << i;
        const std::u16string text = level.text == nullptr ? u"(null)" : std::u16string(level.text, level.textLength);
        EXPECT_EQ(text, expected[i].text) << "paragraph " << i;
        EXPECT_EQ(rules[i].indentLeft, expected[i].indentLeft) << "paragraph " << i;
    }
    EXPECT_STREQ(rules[4].level.font, "Symbol");
    EXPECT_EQ(rules[5].level.ls, 0) << "the plain paragraph after the list";
    EXPECT_EQ(rules[5].indentLeft, 0);
}

std::string listsDocument(const std::string& lists, const std::string& body = "<w:p><w:r><w:t>x</w:t></w:r></w:p>") {
    return wordDocument(body, "<w:lists>" + lists + "</w:lists>");
}

std::string level(int ilvl, const std::string& content) {
    return "<w:lvl w:ilvl=\"" + std::to_string(ilvl) + "\">" + content + "</w:lvl>";
}

TEST_F(WordMLListsTest, LevelsAndOverridesBeyondTheNineLevelsArePassedOver) {
    std::string definition = "<w:listDef w:listDefId=\"4\">";
    for (int i = -1; i <= 11; ++i)
        definition += level(i, "<w:start w:val=\"" + std::to_string(100 + i) + "\"/>");
    definition += "<w:lvl><w:start w:val=\"7\"/></w:lvl></w:listDef>";
    std::string instance = "<w:list w:ilfo=\"9\"><w:ilst w:val=\"4\"/>";
    instance += "<w:lvlOverride w:ilvl=\"9\"><w:startOverride w:val=\"5\"/>" + level(9, "<w:start w:val=\"5\"/>") +
                "</w:lvlOverride>";
    // Forty overrides of one level: the count says how many levels are overridden, at most nine.
    for (int i = 0; i < 40; ++i)
        instance += "<w:lvlOverride w:ilvl=\"" + std::to_string(i % 9) + "\"><w:startOverride w:val=\"" +
                    std::to_string(i) + "\"/></w:lvlOverride>";
    instance += "</w:list>";
    ASSERT_EQ(import(listsDocument(definition + instance)), 0);
    StoredLists lists;
    readStoredLists(lists);
    ASSERT_EQ(lists.block.listDefCount, 1);
    for (int i = 0; i < kListLevels; ++i) EXPECT_EQ(lists.defLevel(0, i).levelStartAt, 100 + i) << "level " << i;
    ASSERT_EQ(lists.block.listOvrCount, 1);
    const XListOvr& ovr = lists.block.listOvrs[0];
    EXPECT_EQ(ovr.listOverrideCount, kListLevels);
    EXPECT_EQ(ovr.startOverride[0], 36);
    EXPECT_EQ(ovr.startOverride[8], 35);
}

TEST_F(WordMLListsTest, ALevelTextSharedByListsAndParagraphsIsOwnedOnce) {
    // Two definitions state the same text, one level states its text twice, a duplicate definition is
    // dropped with its texts, and paragraphs carry the same text too: every record reads its own text
    // back, and each text is freed once (the sanitizer build checks that).
    const std::string text = "<w:lvlText w:val=\"%1.\"/>";
    const std::string lists = "<w:listDef w:listDefId=\"1\">" + level(0, text + "<w:lvlText w:val=\"%1)\"/>" + text) +
                              level(1, text) + "</w:listDef>" + "<w:listDef w:listDefId=\"2\">" + level(0, text) +
                              "</w:listDef>" + "<w:listDef w:listDefId=\"1\">" + level(0, "<w:lvlText w:val=\"dup\"/>") +
                              "</w:listDef>" + "<w:list w:ilfo=\"1\"><w:ilst w:val=\"1\"/><w:lvlOverride w:ilvl=\"0\">" +
                              level(0, text) + "</w:lvlOverride></w:list>";
    const std::string body =
        "<w:p><w:pPr><w:listPr><w:ilfo w:val=\"1\"/><wx:t wx:val=\"1.\"/></w:listPr></w:pPr><w:r><w:t>x</w:t></w:r></w:p>";
    ASSERT_EQ(import(listsDocument(lists, body + body)), 0);
    StoredLists stored;
    readStoredLists(stored);
    ASSERT_EQ(stored.block.listDefCount, 2);
    EXPECT_EQ(levelText(stored.defLevel(0, 0)), u"%1.");
    EXPECT_EQ(levelText(stored.defLevel(0, 1)), u"%1.");
    EXPECT_EQ(levelText(stored.defLevel(1, 0)), u"%1.");
    ASSERT_EQ(stored.block.listOvrCount, 1);
    EXPECT_EQ(stored.block.listOvrs[0].listOverrideCount, 1);
    ASSERT_NE(stored.block.listOvrs[0].levels, nullptr);
    EXPECT_EQ(levelText((*stored.block.listOvrs[0].levels)[0]), u"%1.");
}

TEST_F(WordMLListsTest, LevelFieldsFollowTheirElements) {
    struct Case {
        const char* title;
        std::string content;
        std::function<void(const XListLevel&)> check;
    };
    const Case cases[] = {
        {"numFmt by name", "<w:numFmt w:val=\"upperRoman\"/>", [](const XListLevel& l) { EXPECT_EQ(l.levelNfc, 1); }},
        {"numFmt none", "<w:numFmt w:val=\"none\"/>", [](const XListLevel& l) { EXPECT_EQ(l.levelNfcn, 255); }},
        {"suffix nothing", "<w:suff w:val=\"nothing\"/>", [](const XListLevel& l) { EXPECT_EQ(l.levelFollow, 2); }},
        {"suffix unknown", "<w:suff w:val=\"comma\"/>", [](const XListLevel& l) { EXPECT_EQ(l.levelFollow, 0); }},
        {"legal without a value", "<w:isLgl/>", [](const XListLevel& l) { EXPECT_EQ(l.levelLegal, 0); }},
        {"legal on", "<w:isLgl w:val=\"on\"/>", [](const XListLevel& l) { EXPECT_EQ(l.levelLegal, 1); }},
        // The storage keeps no empty element text: an empty number text reads back as none.
        {"empty text", "<w:lvlText w:val=\"\"/>",
         [](const XListLevel& l) { EXPECT_EQ(l.levelTextLength, 0); }},
        {"picture bullet", "<w:lvlPicBulletId w:val=\"3\"/>",
         [](const XListLevel& l) { EXPECT_EQ(l.levelHasPicture, 1); EXPECT_EQ(l.levelPicture, 3); }},
        {"start too large", "<w:start w:val=\"70000\"/>", [](const XListLevel& l) { EXPECT_EQ(l.levelStartAt, 0); }},
        {"restart", "<w:lvlRestart w:val=\"0\"/><w:legacy w:legacy=\"on\"/>",
         [](const XListLevel& l) { EXPECT_EQ(l.levelNoRestart, 0); }},
        {"level font", "<w:rPr><w:b/></w:rPr>", [](const XListLevel& l) { EXPECT_EQ(l.levelForm.txtFace & 1, 1); }},
        {"level rule keeps no list of its own", "<w:pPr><w:listPr><w:ilfo w:val=\"5\"/></w:listPr></w:pPr>",
         [](const XListLevel& l) { EXPECT_EQ(testMaskBit(l.levelRule.changeBits, 43), 0); }},
    };
    for (const Case& test : cases) {
        ASSERT_EQ(import(listsDocument("<w:listDef w:listDefId=\"1\">" + level(0, test.content) + "</w:listDef>")), 0)
            << test.title;
        StoredLists lists;
        readStoredLists(lists);
        ASSERT_EQ(lists.block.listDefCount, 1) << test.title;
        SCOPED_TRACE(test.title);
        test.check(lists.defLevel(0, 0));
    }
}

// A label is drawn at its paragraph mark's size when its level names none; the level carries the size
// of a plain paragraph, so that a reader never falls back to a size of its own.
TEST_F(WordMLListsTest, ALevelWithoutASizeTakesThePlainParagraphsSize) {
    const std::string defaults =
        "<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"28\"/></w:rPr></w:rPrDefault></w:docDefaults>";
    const std::string styles =
        defaults +
        "<w:style w:type=\"paragraph\" w:default=\"on\" w:styleId=\"Normal\"><w:rPr><w:sz w:val=\"22\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Big\"><w:rPr><w:sz w:val=\"40\"/></w:rPr></w:style>";
    const struct {
        const char* title;
        std::string styles;
        std::string level;
        std::int16_t size;
    } cases[] = {
        {"no styles at all", "", "", 100},
        {"the document defaults", defaults, "", 140},
        {"the default paragraph style over the defaults", styles, "", 110},
        {"the level's own size", styles, "<w:rPr><w:sz w:val=\"16\"/></w:rPr>", 80},
        {"the level's paragraph style", styles, "<w:pStyle w:val=\"Big\"/>", 200},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        const std::string lists = "<w:lists><w:listDef w:listDefId=\"1\">" + level(0, test.level) + "</w:listDef></w:lists>";
        ASSERT_EQ(import(wordDocument("<w:p><w:r><w:t>x</w:t></w:r></w:p>", "<w:styles>" + test.styles + "</w:styles>" + lists)), 0);
        StoredLists stored;
        readStoredLists(stored);
        ASSERT_EQ(stored.block.listDefCount, 1);
        const XForm& form = stored.defLevel(0, 0).levelForm;
        EXPECT_EQ(form.txtSize, test.size);
        EXPECT_NE(testMaskBit(form.changeBits, 11), 0) << "the size is stated";
    }
}

TEST_F(WordMLListsTest, PictureBulletsKeepTheirIdsAndTheFirstOfAnIdWins) {
    const std::string lists =
        "<w:listPicBullet w:listPicBulletId=\"3\"><w:pict/></w:listPicBullet>"
        "<w:listPicBullet w:listPicBulletId=\"3\"/><w:listPicBullet w:listPicBulletId=\"8\"/>";
    ASSERT_EQ(import(listsDocument(lists)), 0);
    StoredLists stored;
    readStoredLists(stored);
    ASSERT_EQ(stored.block.listPicCount, 2);
    EXPECT_EQ(stored.block.listPics[0].listPicBulletId, 3);
    EXPECT_EQ(stored.block.listPics[1].listPicBulletId, 8);
}

TEST(HexNumberTest, IdsKeepTheirThirtyTwoBits) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0409000F", 0x0409000F}, {"e4b2a4c6", static_cast<std::int32_t>(0xE4B2A4C6u)}, {"-1A", -0x1A},
        {"FFFFFFFF", -1},         {"123456789", std::nullopt},                           {"", std::nullopt},
        {"-", std::nullopt},      {"12G", std::nullopt},                                  {nullptr, std::nullopt},
    };
    for (const Case& test : cases) EXPECT_EQ(parseHexNumber(test.text), test.value) << (test.text ? test.text : "null");
}

const std::string kWordNamespaces =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string docxPackage(const std::string& path, const std::map<std::string, std::string>& parts) {
    {
        testsupport::ZipBuilder zip(path);
        for (const auto& [name, bytes] : parts) zip.add(name, bytes);
        EXPECT_TRUE(zip.close());
    }
    return readBytes(path);
}

TEST_F(WordMLListsTest, APackageReadsTheNumberingPartItsRelationshipNames) {
    const std::string numbering =
        "<w:numbering" + kWordNamespaces + ">"
        "<w:abstractNum w:abstractNumId=\"0\"><w:nsid w:val=\"2C4E6A8B\"/><w:multiLevelType w:val=\"hybridMultilevel\"/>"
        "<w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"decimal\"/><w:lvlText w:val=\"%1.\"/>"
        "<w:pPr><w:ind w:left=\"720\" w:hanging=\"360\"/></w:pPr></w:lvl>"
        "<w:lvl w:ilvl=\"1\"><w:numFmt w:val=\"lowerLetter\"/><w:lvlText w:val=\"%2)\"/><w:suff w:val=\"space\"/></w:lvl>"
        "</w:abstractNum>"
        "<w:num w:numId=\"5\"><w:abstractNumId w:val=\"0\"/></w:num>"
        "<w:num w:numId=\"6\"><w:abstractNumId w:val=\"0\"/>"
        "<w:lvlOverride w:ilvl=\"0\"><w:startOverride w:val=\"1\"/></w:lvlOverride></w:num>"
        "<w:numIDMacAtCleanup w:val=\"1\"/></w:numbering>";
    const std::string relationships =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering\""
        " Target=\"lists/numbers.xml\"/></Relationships>";
    const std::string body =
        "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"6\"/></w:numPr></w:pPr><w:r><w:t>One</w:t></w:r></w:p>";
    const std::string document = "<w:document" + kWordNamespaces + "><w:body>" + body + "</w:body></w:document>";
    const std::string bytes = docxPackage(cache.file("built.docx"), {{"word/document.xml", document},
                                                                     {"word/_rels/document.xml.rels", relationships},
                                                                     {"word/lists/numbers.xml", numbering}});
    ASSERT_EQ(import(bytes, "Doc.docx"), 0);
    StoredLists lists;
    readStoredLists(lists);
    ASSERT_EQ(lists.block.listDefCount, 1);
    EXPECT_EQ(lists.block.listDefs[0].listId, 0x2C4E6A8B);
    EXPECT_EQ(lists.block.listDefs[0].listHybrid, 1);
    EXPECT_EQ(lists.defLevel(0, 1).levelNfc, 4);
    EXPECT_EQ(lists.defLevel(0, 1).levelFollow, 1);
    EXPECT_EQ(levelText(lists.defLevel(0, 0)), u"%1.");
    ASSERT_EQ(lists.block.listOvrCount, 2);
    EXPECT_EQ(lists.block.listOvrs[1].listIlfo, 6);
    EXPECT_EQ(lists.block.listOvrs[1].startOverride[0], 1);
    const std::vector<XRule> rules = paragraphRules();
    ASSERT_FALSE(rules.empty());
    EXPECT_EQ(rules[0].level.ls, 6);
    EXPECT_EQ(rules[0].indentLeft, 720);
}

TEST_F(WordMLListsTest, APackageWithoutNumberingHasNoLists) {
    const std::string document =
        "<w:document" + kWordNamespaces + "><w:body><w:p><w:r><w:t>One</w:t></w:r></w:p></w:body></w:document>";
    ASSERT_EQ(import(docxPackage(cache.file("plain.docx"), {{"word/document.xml", document}}), "Doc.docx"), 0);
    StoredLists lists;
    readStoredLists(lists);
    EXPECT_EQ(lists.block.listDefCount, 0);
    EXPECT_EQ(lists.block.listOvrCount, 0);
    EXPECT_EQ(lists.block.listDefs, nullptr);
}

std::string base64Of(const picturefixtures::Bytes& bytes) {
    char* text = nullptr;
    std::int32_t length = 0;
    base64Encode(bytes.data(), static_cast<std::int32_t>(bytes.size()), &text, &length);
    std::string copy(text, static_cast<std::size_t>(length));
    freeMemory(text);
    return copy;
}

picturefixtures::Bytes pictureBytes(const XListPic& bullet) {
    if (bullet.picture == nullptr || bullet.picture->fPicData == nullptr) return {};
    return {bullet.picture->fPicData, bullet.picture->fPicData + bullet.picture->fPicLength};
}

TEST_F(WordMLListsTest, PictureBulletsKeepThePictureOfTheirOwnElement) {
    const picturefixtures::Bytes png = picturefixtures::pngPicture(12, 12);
    // The second bullet has no picture of its own and must not take the third's.
    const std::string lists =
        "<w:listPicBullet w:listPicBulletId=\"1\"><w:pict><w:binData w:name=\"wordml://1.png\">" + base64Of(png) +
        "</w:binData><v:shape id=\"_x0000_i1025\" type=\"#_x0000_t75\" style=\"width:9pt;height:9pt\">"
        "<v:imagedata src=\"wordml://1.png\" o:title=\"\"/></v:shape></w:pict></w:listPicBullet>"
        "<w:listPicBullet w:listPicBulletId=\"2\"/>"
        "<w:listPicBullet w:listPicBulletId=\"3\"><w:pict><v:shape style=\"width:9pt;height:9pt\"/></w:pict>"
        "</w:listPicBullet>";
    ASSERT_EQ(import(listsDocument(lists)), 0);
    StoredLists stored;
    readStoredLists(stored);
    ASSERT_EQ(stored.block.listPicCount, 3);
    ASSERT_NE(stored.block.listPics[0].picture, nullptr);
    EXPECT_EQ(stored.block.listPics[0].picture->fType, 9);
    EXPECT_EQ(pictureBytes(stored.block.listPics[0]), png);
    EXPECT_TRUE(pictureBytes(stored.block.listPics[1]).empty());
}

TEST_F(WordMLListsTest, APackagePictureBulletIsFoundThroughTheNumberingPartsRelationships) {
    const picturefixtures::Bytes bullet = picturefixtures::pngPicture(10, 10);
    const picturefixtures::Bytes other = picturefixtures::pngPicture(30, 30);
    const std::string namespaces =
        kWordNamespaces + " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
                          " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
                          " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";
    const std::string numbering =
        "<w:numbering" + namespaces + "><w:numPicBullet w:numPicBulletId=\"0\"><w:drawing><wp:inline>"
        "<wp:extent cx=\"114300\" cy=\"114300\"/><wp:docPr id=\"1\" name=\"bullet\"/><a:graphic><a:graphicData "
        "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic><pic:blipFill><a:blip "
        "r:embed=\"rId1\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing>"
        "</w:numPicBullet></w:numbering>";
    // The document's own rId1 names the numbering part; only the numbering part's relationships name
    // the bullet's picture.
    const std::string relationships =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering\""
        " Target=\"numbering.xml\"/><Relationship Id=\"rId2\" Type=\"image\" Target=\"media/other.png\"/>"
        "</Relationships>";
    const std::string numberingRelationships =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"image\" Target=\"media/bullet.png\"/></Relationships>";
    const std::string document =
        "<w:document" + kWordNamespaces + "><w:body><w:p><w:r><w:t>One</w:t></w:r></w:p></w:body></w:document>";
    const std::string bytes = docxPackage(
        cache.file("bullet.docx"), {{"word/document.xml", document},
                                    {"word/_rels/document.xml.rels", relationships},
                                    {"word/numbering.xml", numbering},
                                    {"word/_rels/numbering.xml.rels", numberingRelationships},
                                    {"word/media/bullet.png", std::string(bullet.begin(), bullet.end())},
                                    {"word/media/other.png", std::string(other.begin(), other.end())}});
    ASSERT_EQ(import(bytes, "Doc.docx"), 0);
    StoredLists stored;
    readStoredLists(stored);
    ASSERT_EQ(stored.block.listPicCount, 1);
    EXPECT_EQ(pictureBytes(stored.block.listPics[0]), bullet);
}

}  // namespace
}  // namespace wordmltest

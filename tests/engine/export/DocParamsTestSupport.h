#pragma once
// A document whose parameter block sets every field of the head and of each table record to a value of
// its own, imported by the scripted importer into a storage, and a deep snapshot of a block (the records
// with their pointers taken out and what they pointed to kept beside them) so that the block the
// importer gave and the block read back from the storage can be compared table by table.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/export/parameters/DocParamsReader.h"
#include "foundation/FieldMask.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/PascalText.h"
#include "model/CPicture.h"
#include "model/params/ParamBlockTables.h"
#include "model/records/RecordTables.h"
#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"
#include "model/tables/CStyleArray.h"
#include "model/tables/DocumentRecordTables.h"
#include "tests/engine/ImportEngineTestSupport.h"

namespace docparamstest {

// Every integer and text attribute of the record gets a value that no other field of it has (skipping
// the named rows, whose values the fixture sets itself).
inline void fillDistinct(const RecordTable& table, void* record, int seed, std::vector<std::string> skipped = {}) {
    int n = seed;
    for (const FieldSpec& row : table.fields) {
        if (row.storage != FieldStorage::kAttribute) continue;
        if (std::find(skipped.begin(), skipped.end(), row.name) != skipped.end()) continue;
        ++n;
        if (row.letter == 'd' || row.letter == 'l' || row.letter == 'u') setIntegerField(row, record, n);
        if (row.letter == 's')
            std::snprintf(static_cast<char*>(fieldAddress(row, record)), row.size, "%s & %d%%", row.name, n);
    }
}

// Sets a field of a formatting record and marks it changed, as an importer does.
inline void setChanged(const RecordTable& table, void* record, const char* name, std::int64_t value) {
    const FieldSpec* row = findField(table, name);
    ASSERT_NE(row, nullptr) << name;
    setIntegerField(*row, record, value);
    setMaskBit(record, row->bit);
}

inline XStyle* styleNamed(const char* name, int seed) {
    XStyle* style = newXStyle();
    fillDistinct(kXStyleTable, style, seed, {"styleSubCount", "styleName"});
    std::snprintf(style->styleName, sizeof style->styleName, "%s", name);
    setChanged(kXFormTable, &style->styleForm, "txtSize", 20 + seed);
    style->styleForm.txtFore = RGBColor{static_cast<std::uint16_t>(1000 + seed), 2, 65535};
    setMaskBit(&style->styleForm, findField(kXFormTable, "txtFore")->bit);
    setChanged(kXRuleTable, &style->styleRule, "indentLeft", -360 - seed);
    setChanged(kXPageTable, &style->stylePage, "leftMargin", 1000 + seed);
    return style;
}

inline char16_t* heapText(std::u16string_view text) {
    auto* buffer = static_cast<char16_t*>(allocMemory(static_cast<std::int32_t>(text.size() * sizeof(char16_t))));
    std::copy(text.begin(), text.end(), buffer);
    return buffer;
}

inline void fillLevels(XListLevel (&levels)[kListLevels], int seed) {
    for (int i = 0; i < kListLevels; ++i) {
        XListLevel& level = levels[i];
        fillDistinct(kXListLevelTable, &level, seed + 40 * i);
        if (i % 3 != 2) {
            // Built by appending: g++ 12 at -O2 warns falsely (-Wrestrict) about a literal prefixed to a string.
            std::u16string text = i == 0 ? std::u16string(u"\0.", 2) : std::u16string(u"(");
            if (i != 0) text.append(static_cast<std::size_t>(i), u'\u00e9').append(u")");
            level.levelText = heapText(text);
            level.levelTextLength = static_cast<std::int32_t>(text.size());
        }
        setChanged(kXFormTable, &level.levelForm, "txtSize", 18 + i);
        setChanged(kXRuleTable, &level.levelRule, "indentLeft", 720 * (i + 1));
    }
}

inline CPicture* bulletPicture() {
    auto* picture = new CPicture();
    picture->fName = duplicateCString("bullet & dot.png");
    picture->fType = 2;
    picture->fFlag = 1;
    picture->fRect = LongRect{1, 2, 300, 400};
    picture->fPicLength = 5;
    picture->fPicData = static_cast<std::uint8_t*>(allocMemory(5));
    std::memcpy(picture->fPicData, "\x89PNG\0", 5);
    return picture;
}

// The importer's answer to the document request: every table filled, every head field its own value.
inline void fillDocument(XParamBlock& block) {
    fillDistinct(kXHeadTable, &block.head, 100);
    textToPascal(block.mark, "the mark, 100%");
    for (int i = 0; i < 3; ++i) {
        XFont font{};
        fillDistinct(kXFontTable, &font, 10 * i, {"fontUniqueID", "fontRTFNumber"});
        font.fontMacFace = FontFaceSpec{12 + i, -3};
        block.fonts->add(font);
    }
    // A namesake of the first font, which the table's add would merge: stored beside it under an id of
    // its own, as an importer's table may hold it.
    auto* twin = static_cast<XFont*>(allocMemory(sizeof(XFont)));
    *twin = *block.fonts->get(1);
    twin->fontFamily = 7;
    twin->fontUniqueID = 1;
    while (block.fonts->findById(twin->fontUniqueID) != nullptr) ++twin->fontUniqueID;
    block.fonts->appendOwnedBlock(twin);

    XStyle* table = styleNamed("Table & Grid", 1);
    for (int sub = 0; sub < 3; ++sub) table->subStyles[sub] = styleNamed(("cell " + std::to_string(sub)).c_str(), 30 + sub);
    table->styleSubCount = 3;
    table->subStyles[1]->subStyles[0] = styleNamed("nested", 50);
    table->subStyles[1]->styleSubCount = 1;
    addStyle(table, &block);
    addStyle(styleNamed("Normal", 60), &block);

    block.listDefCount = 2;
    block.listDefs = static_cast<XListDef*>(allocMemory(2 * sizeof(XListDef)));
    std::memset(static_cast<void*>(block.listDefs), 0, 2 * sizeof(XListDef));
    for (int i = 0; i < 2; ++i) {
        fillDistinct(kXListDefTable, &block.listDefs[i], 500 + 20 * i);
        fillLevels(block.listDefs[i].levels, 1000 + 400 * i);
    }
    block.listOvrCount = 1;
    block.listOvrs = static_cast<XListOvr*>(allocMemory(sizeof(XListOvr)));
    std::memset(static_cast<void*>(block.listOvrs), 0, sizeof(XListOvr));
    fillDistinct(kXListOvrTable, &block.listOvrs[0], 700);
    for (int i = 0; i < kListLevels; ++i) block.listOvrs[0].startOverride[i] = static_cast<std::int16_t>(-5 + 3 * i);
    fillLevels(*ownOverrideLevels(block.listOvrs[0]), 2000);
    block.listPicCount = 2;
    block.listPics = static_cast<XListPic*>(allocMemory(2 * sizeof(XListPic)));
    block.listPics[0] = XListPic{bulletPicture(), 77};
    block.listPics[1] = XListPic{nullptr, 78};

    block.colors->add(RGBColor{65535, 65535, 65535});
    block.colors->add(RGBColor{0, 32768, 1});
    block.authors->add("J\u00fcrgen 100%");
    block.authors->setInitials(block.authors->add("Ann & Bo"), "A&B");
    const char background[] = "{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright0\\shpbottom0}}01234";
    static_assert(sizeof background - 1 == 61);
    std::memcpy(block.backgroundText, background, sizeof background);
    block.backgroundLength = 61;
}

struct StyleCopy {
    XStyle record;  // sub-style pointers nulled
    std::vector<StyleCopy> subStyles;
};

struct LevelTexts {
    std::vector<std::optional<std::u16string>> texts;
};

struct PictureCopy {
    std::string name;
    std::int16_t type = 0;
    std::int16_t flag = 0;
    LongRect rect{};
    std::string bytes;
};

// What a block holds, every pointer replaced by what it points to.
struct BlockCopy {
    XHead head;
    std::string mark;
    std::vector<XFont> fonts;
    std::vector<StyleCopy> styles;
    std::vector<XListDef> listDefs;  // level texts nulled
    std::vector<XListOvr> listOvrs;  // levels nulled
    std::vector<std::vector<XListLevel>> ovrLevels;  // level texts nulled; none when the override has none
    std::vector<LevelTexts> defTexts;
    std::vector<LevelTexts> ovrTexts;
    std::vector<std::int32_t> bulletIds;
    std::vector<std::optional<PictureCopy>> bulletPictures;
    std::vector<RGBColor> colors;
    std::vector<std::optional<std::string>> authors;
    std::vector<std::optional<std::string>> authorInitials;
    std::int32_t backgroundLength = 0;
    std::string background;
};

inline StyleCopy copyStyle(const XStyle& style) {
    StyleCopy copy{style, {}};
    for (int i = 0; i < subStyleCount(style); ++i)
        if (style.subStyles[i] != nullptr) copy.subStyles.push_back(copyStyle(*style.subStyles[i]));
    for (XStyle*& sub : copy.record.subStyles) sub = nullptr;
    return copy;
}

inline LevelTexts takeTexts(std::span<XListLevel> levels) {
    LevelTexts texts;
    for (XListLevel& level : levels) {
        if (level.levelText == nullptr) texts.texts.emplace_back();
        else texts.texts.emplace_back(std::u16string(level.levelText, static_cast<std::size_t>(level.levelTextLength)));
        level.levelText = nullptr;
    }
    return texts;
}

inline BlockCopy copyBlock(const XParamBlock& block) {
    BlockCopy copy;
    copy.head = block.head;
    copy.mark.assign(reinterpret_cast<const char*>(block.mark + 1), block.mark[0]);
    for (int i = 1; i <= block.fonts->getCount(); ++i) copy.fonts.push_back(*block.fonts->get(i));
    for (int i = 1; i <= block.styles->getCount(); ++i) copy.styles.push_back(copyStyle(*block.styles->get(i)));
    for (int i = 0; i < block.listDefCount; ++i) {
        copy.listDefs.push_back(block.listDefs[i]);
        copy.defTexts.push_back(takeTexts(copy.listDefs.back().levels));
    }
    for (int i = 0; i < block.listOvrCount; ++i) {
        copy.listOvrs.push_back(block.listOvrs[i]);
        copy.listOvrs.back().levels = nullptr;
        std::vector<XListLevel> levels;
        if (block.listOvrs[i].levels != nullptr) levels.assign(std::begin(*block.listOvrs[i].levels), std::end(*block.listOvrs[i].levels));
        copy.ovrTexts.push_back(takeTexts(levels));
        copy.ovrLevels.push_back(std::move(levels));
    }
    for (int i = 0; i < block.listPicCount; ++i) {
        copy.bulletIds.push_back(block.listPics[i].listPicBulletId);
        const CPicture* picture = block.listPics[i].picture;
        if (picture == nullptr) {
            copy.bulletPictures.emplace_back();
            continue;
        }
        copy.bulletPictures.push_back(PictureCopy{picture->fName != nullptr ? picture->fName : "<null>", picture->fType,
                                                  picture->fFlag, picture->fRect,
                                                  std::string(reinterpret_cast<const char*>(picture->fPicData),
                                                              static_cast<std::size_t>(picture->fPicLength))});
    }
    for (int i = 1; i <= block.colors->getCount(); ++i) copy.colors.push_back(*block.colors->get(i));
    for (int i = 1; i <= block.authors->getCount(); ++i) {
        const char* name = block.authors->pointerAt<const char>(i);
        copy.authors.push_back(name != nullptr ? std::optional<std::string>(name) : std::nullopt);
        const char* initials = block.authors->initials(static_cast<std::int16_t>(i));
        copy.authorInitials.push_back(initials != nullptr ? std::optional<std::string>(initials) : std::nullopt);
    }
    copy.backgroundLength = block.backgroundLength;
    if (block.backgroundText != nullptr) copy.background = block.backgroundText;
    return copy;
}

inline void expectSameStyles(const std::vector<StyleCopy>& read, const std::vector<StyleCopy>& given, const std::string& where) {
    ASSERT_EQ(read.size(), given.size()) << where;
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_TRUE(equalXStyle(read[i].record, given[i].record)) << where << " style " << i << " (" << given[i].record.styleName << ")";
        expectSameStyles(read[i].subStyles, given[i].subStyles, where + " style " + std::to_string(i));
    }
}

inline bool operator==(const PictureCopy& a, const PictureCopy& b) {
    return a.name == b.name && a.type == b.type && a.flag == b.flag && a.bytes == b.bytes && a.rect.top == b.rect.top &&
           a.rect.left == b.rect.left && a.rect.bottom == b.rect.bottom && a.rect.right == b.rect.right;
}

// Table by table, so that a difference names its table.
inline void expectSameBlock(const BlockCopy& read, const BlockCopy& given) {
    // The texts as texts: the input facts are copied over the importer's texts, whose bytes after the
    // new 0 byte are not part of the head's value.
    for (const FieldSpec& row : kXHeadTable.fields) {
        if (row.letter == 's')
            EXPECT_EQ(std::string(static_cast<const char*>(fieldAddress(row, &read.head))),
                      std::string(static_cast<const char*>(fieldAddress(row, &given.head))))
                << "head field " << row.name;
        else
            EXPECT_TRUE(equalField(row, &read.head, &given.head)) << "head field " << row.name;
    }
    EXPECT_EQ(read.mark, given.mark) << "mark";
    ASSERT_EQ(read.fonts.size(), given.fonts.size()) << "fonts";
    for (std::size_t i = 0; i < read.fonts.size(); ++i) {
        EXPECT_TRUE(equalXFont(read.fonts[i], given.fonts[i])) << "font " << i;
        EXPECT_EQ(read.fonts[i].fontUniqueID, given.fonts[i].fontUniqueID) << "font " << i;
        EXPECT_EQ(read.fonts[i].fontRTFNumber, static_cast<std::int16_t>(i)) << "font " << i;
    }
    expectSameStyles(read.styles, given.styles, "styles");
    ASSERT_EQ(read.listDefs.size(), given.listDefs.size()) << "list definitions";
    for (std::size_t i = 0; i < read.listDefs.size(); ++i) {
        EXPECT_TRUE(equalXListDef(read.listDefs[i], given.listDefs[i])) << "list definition " << i;
        EXPECT_EQ(read.defTexts[i].texts, given.defTexts[i].texts) << "level texts of definition " << i;
    }
    ASSERT_EQ(read.listOvrs.size(), given.listOvrs.size()) << "list overrides";
    for (std::size_t i = 0; i < read.listOvrs.size(); ++i) {
        EXPECT_TRUE(equalXListOvr(read.listOvrs[i], given.listOvrs[i])) << "list override " << i;
        ASSERT_EQ(read.ovrLevels[i].size(), given.ovrLevels[i].size()) << "levels of override " << i;
        for (std::size_t level = 0; level < read.ovrLevels[i].size(); ++level)
            EXPECT_TRUE(equalXListLevel(read.ovrLevels[i][level], given.ovrLevels[i][level])) << "override " << i << " level " << level;
        EXPECT_EQ(read.ovrTexts[i].texts, given.ovrTexts[i].texts) << "level texts of override " << i;
    }
    EXPECT_EQ(read.bulletIds, given.bulletIds) << "picture bullets";
    EXPECT_EQ(read.bulletPictures, given.bulletPictures) << "bullet pictures";
    ASSERT_EQ(read.colors.size(), given.colors.size()) << "colours";
    for (std::size_t i = 0; i < read.colors.size(); ++i) {
        EXPECT_EQ(read.colors[i].red, given.colors[i].red) << "colour " << i;
        EXPECT_EQ(read.colors[i].green, given.colors[i].green) << "colour " << i;
        EXPECT_EQ(read.colors[i].blue, given.colors[i].blue) << "colour " << i;
    }
    EXPECT_EQ(read.authors, given.authors) << "authors";
    EXPECT_EQ(read.authorInitials, given.authorInitials) << "authors' initials";
    EXPECT_EQ(read.backgroundLength, given.backgroundLength) << "background length";
    EXPECT_EQ(read.background, given.background) << "background";
}

// Imports the document into a storage and keeps a copy of the block as the storage was written from
// it (at the end-of-document request: fonts numbered, the records' colours registered, the input facts
// in the head).
class DocParamsTest : public enginetest::ImportEngineTest {
protected:
    void importDocument() {
        makeInput();
        enginetest::importerHooks()[request::kSelDocument] = {fillDocument};
        enginetest::importerHooks()[request::kSelEndDocument] = {[this](XParamBlock& written) { given = copyBlock(written); }};
        ASSERT_EQ(runEngine(), 0);
        storage = readStorage();
        ASSERT_NE(storage, nullptr);
        documentNode = const_cast<xmlNode*>(elementtree::child(xmlDocGetRootElement(storage.get()), "Zevozav"));
        ASSERT_NE(documentNode, nullptr);
        documentElement.setNode(documentNode);
    }

    // The block read back; disposed by the test.
    int readBack(ProgressWindow* window = nullptr, std::int32_t* counter = nullptr) {
        return readDocParams(task.get(), documentElement, block, window, counter);
    }

    ~DocParamsTest() override { disposeXParamBlock(&block); }

    BlockCopy given;
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> storage{nullptr, &xmlFreeDoc};
    xmlNode* documentNode = nullptr;
    CStream documentElement{nullptr, nullptr, 0};
    XParamBlock block{};
};

}  // namespace docparamstest

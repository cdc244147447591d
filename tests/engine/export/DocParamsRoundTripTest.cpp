// The document parameters travel through the storage and come back whole: the block the import engine
// wrote the storage from, and the block read back from it, table by table.
#include <set>

#include "tests/engine/export/DocParamsTestSupport.h"

namespace docparamstest {
namespace {

TEST_F(DocParamsTest, EveryTableComesBackAsTheImporterGaveIt) {
    importDocument();
    ASSERT_EQ(readBack(), 1);
    const BlockCopy read = copyBlock(block);
    expectSameBlock(read, given);

    // The fixture is not trivial: what the comparison covered.
    EXPECT_EQ(read.fonts.size(), 4u);
    EXPECT_STREQ(read.fonts[3].fontPCName, read.fonts[0].fontPCName) << "namesakes both arrive";
    std::set<std::int16_t> ids;
    for (const XFont& font : read.fonts) ids.insert(font.fontUniqueID);
    EXPECT_EQ(ids.size(), read.fonts.size()) << "every font keeps its own id";
    ASSERT_EQ(read.styles.size(), 2u);
    EXPECT_EQ(read.styles[0].subStyles.size(), 3u);
    EXPECT_EQ(read.styles[0].subStyles[1].subStyles.size(), 1u);
    EXPECT_EQ(read.defTexts[0].texts[0], std::u16string(u"\0.", 2)) << "a level text keeps its U+0000";
    EXPECT_FALSE(read.defTexts[0].texts[2].has_value()) << "a level without text reads as none";
    EXPECT_FALSE(read.bulletPictures[1].has_value()) << "a bullet without a picture stays without";
    EXPECT_EQ(read.background.size(), 61u);
    EXPECT_EQ(read.mark, "the mark, 100%");
    EXPECT_STREQ(read.head.originalFileName, "Report.docx");
    EXPECT_EQ(read.head.alignTablesRowByRow, given.head.alignTablesRowByRow);
    EXPECT_NE(read.head.alignTablesRowByRow, read.head.doNotShadeFormData);
}

}  // namespace
}  // namespace docparamstest

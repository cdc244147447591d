// The default lists: our own "AWDefLists.xml" gives a list for every label the walkers ask for, with its
// fonts in the document's font table; a missing or damaged file leaves the lists out but overrides are
// still made; a label style past the table gets none.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "foundation/text/PascalWString.h"
#include "import/appleworks/DefaultLists.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "tests/import/appleworks/AppleWorksTestSupport.h"
#include "platform/process/AllocationFailure.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

using namespace appleworks;
using awfixture::ParamBlock;
using awfixture::bytesOf;

namespace {

PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

TEST(DefaultLists, OurFileDefinesEveryLabelListWithItsFonts) {
    ParamBlock block;
    DefaultLists lists(&block.block, u"AWDefLists.xml", pascal(std::string(VDK_RUNTIME_DIR) + "/_importers_/"));
    ASSERT_GT(block.block.listDefCount, 0);
    std::set<std::int32_t> ids;
    for (std::int32_t i = 0; i < block.block.listDefCount; ++i) {
        const XListDef& definition = block.block.listDefs[i];
        ids.insert(definition.listId);
        for (const XListLevel& level : definition.levels) {
            // Every level font is one of the file's fonts, now in the document's table.
            const XFont* font = getFont(level.levelForm.txtFontAscii, &block.block);
            ASSERT_NE(font, nullptr) << definition.listId;
        }
    }
    for (std::int32_t label = 1; label < 12; ++label) EXPECT_EQ(ids.count(kLabelListIds[label]), 1u) << label;
    EXPECT_EQ(lists.documentFontFor(99), kMajorHAnsiFont);
}

TEST(DefaultLists, OverridesCountUpAndLabelsPastTheTableGetNone) {
    ParamBlock block;
    testsupport::TemporaryFolder folder;
    DefaultLists lists(&block.block, u"absent.xml", pascal(folder.path()));
    EXPECT_EQ(block.block.listDefCount, 0);
    EXPECT_EQ(lists.addListOverride(4), 1);
    EXPECT_EQ(lists.addListOverride(0x100 + 1), 2);  // only the low 8 bits count
    EXPECT_EQ(lists.addListOverride(12), 0);
    EXPECT_EQ(lists.addListOverride(255), 0);
    ASSERT_EQ(block.block.listOvrCount, 2);
    EXPECT_EQ(block.block.listOvrs[0].listIlst, 12);
    EXPECT_EQ(block.block.listOvrs[0].listIlfo, 1);
    EXPECT_EQ(block.block.listOvrs[1].listIlst, 3);
    EXPECT_EQ(block.block.listOvrs[1].listIlfo, 2);

    // The count rises only once the array holds the new record.
    {
        platform::ScopedAllocationFailure failure(1);
        EXPECT_ANY_THROW(lists.addListOverride(2));
    }
    EXPECT_EQ(block.block.listOvrCount, 2);
}

TEST(DefaultLists, DamagedFilesKeepWhatWasRead) {
    struct Case {
        const char* what;
        const char* xml;
        std::int32_t fonts;
        std::int16_t definitions;
    };
    const Case cases[] = {
        {"not XML", "<Root_Storage><Zevozav>", 0, 0},
        {"no lists", "<Root_Storage><Zevozav><FONTS fontLength=\"1\"><FONT000 XFont_fontUniqueID=\"4\" "
                     "XFont_fontPCName=\"Symbol\"/></FONTS></Zevozav></Root_Storage>", 1, 0},
        {"font count past its elements", "<Root_Storage><Zevozav><FONTS fontLength=\"30000\"><FONT000 "
                                         "XFont_fontUniqueID=\"4\"/></FONTS></Zevozav></Root_Storage>", 1, 0},
        {"definition without its levels", "<Root_Storage><Zevozav><FONTS fontLength=\"0\"/><LISTS listDefCount=\"2\">"
                                          "<LISTDEF000 XListDef_listId=\"3\"/></LISTS></Zevozav></Root_Storage>", 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TemporaryFolder folder;
        ASSERT_TRUE(testsupport::writeBytes(folder.file("lists.xml"), c.xml));
        ParamBlock block;
        DefaultLists lists(&block.block, u"lists.xml", pascal(folder.path()));
        EXPECT_EQ(lists.fontCount(), c.fonts);
        EXPECT_EQ(block.block.listDefCount, c.definitions);
        if (c.definitions > 0) {
            EXPECT_EQ(block.block.listDefs[0].listId, 3);
        }
    }
}

}  // namespace

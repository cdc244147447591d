// A whole storage written from a scripted importer, compared with its golden tree.
#include <cstring>

#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"
#include "model/params/ParamBlockTables.h"
#include "foundation/memory/Memory.h"
#include "tests/engine/ImportEngineTestSupport.h"
#include "tests/engine/StorageGolden.h"

namespace enginetest {
namespace {

using testsupport::ImporterAnswer;
using testsupport::kKeepCode;

class StorageGoldenTest : public ImportEngineTest {};

TEST_F(StorageGoldenTest, TwoSheetsWithStoriesAndDocumentTables) {
    makeInput();
    script.always(request::kSelDocument, {.sheetCount = 2});
    script.add(request::kSelBeginSheet, {.text = u"First"});
    script.add(request::kSelBeginSheet, {.text = u"Zweite \u00dcbersicht"});
    // Sheet 0: a main story in two chunks, one header, two footnotes and a table story of one row; sheet 1:
    // an empty main story. Text answers are queued in the order the stories ask for them.
    script.add(3, {});
    script.add(3, {.answer = kKeepCode});
    script.add(8, {});
    script.add(8, {});
    script.add(8, {.answer = kKeepCode});
    script.add(11, {});
    script.add(11, {.answer = kKeepCode});
    for (ImporterAnswer answer : std::vector<ImporterAnswer>{
             {.answer = 0, .text = u"Hello "}, {.answer = 0, .text = u"world"}, {.answer = -1},
             {.answer = -1, .text = u"Page header"}, {.answer = -1},
             {.answer = -1, .text = u"note 1"}, {.answer = -1},
             {.answer = -1, .text = u"note 2"}, {.answer = -1},
             {.answer = 0, .text = u"a\x07" u"b\x07\x07", .cellOfRow = 1}, {.answer = 0, .text = u"after", .cellOfRow = 0},
             {.answer = -1}}) {
        script.add(request::kSelText, answer);
    }
    importerHooks()[request::kSelDocument].push_back([](XParamBlock& block) {
        XFont font{};
        std::strcpy(font.fontPCName, "Times New Roman");
        block.fonts->add(font);
        std::strcpy(font.fontPCName, "Fish & Chips");
        font.fontFamily = 5;
        block.fonts->add(font);
        block.colors->add(RGBColor{65535, 0, 4660});
        block.authors->add("J\u00fcrgen");
        block.authors->add("100% sure");
        const char background[] = "{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright0\\shpbottom0}}01234";
        static_assert(sizeof background - 1 == 61);
        std::memcpy(block.backgroundText, background, sizeof background);
        block.backgroundLength = 61;
        std::strcpy(block.head.originalTitle, "Quarterly report");
        // A table style with two sub-styles, and a plain style.
        XStyle* grid = newXStyle();
        std::strcpy(grid->styleName, "Table Grid");
        grid->styleType = 3;
        for (int sub = 0; sub < 2; ++sub) {
            grid->subStyles[sub] = newXStyle();
            grid->subStyles[sub]->styleAttr = static_cast<std::int16_t>(sub + 1);
        }
        grid->styleSubCount = 2;
        addStyle(grid, &block);
        XStyle* normal = newXStyle();
        std::strcpy(normal->styleName, "Normal");
        addStyle(normal, &block);
        // Two list definitions and an override of the second.
        block.listDefs = static_cast<XListDef*>(allocMemory(2 * sizeof(XListDef)));
        std::memset(block.listDefs, 0, 2 * sizeof(XListDef));
        block.listDefCount = 2;
        for (int list = 0; list < 2; ++list) {
            block.listDefs[list].listDefId = list + 1;
            XListLevel& level = block.listDefs[list].levels[0];
            level.levelText = static_cast<char16_t*>(allocMemory(2 * sizeof(char16_t)));
            level.levelText[0] = 0;
            level.levelText[1] = list == 0 ? u'.' : u')';
            level.levelTextLength = 2;
            level.levelStartAt = 1;
        }
        block.listOvrs = static_cast<XListOvr*>(allocMemory(sizeof(XListOvr)));
        std::memset(block.listOvrs, 0, sizeof(XListOvr));
        block.listOvrCount = 1;
        block.listOvrs[0].listIlst = 2;
        block.listOvrs[0].listIlfo = 1;
    });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    ASSERT_NE(storage, nullptr);
    expectGoldenStorage("two-sheets.xml", xmlDocGetRootElement(storage.get()));
}

}  // namespace
}  // namespace enginetest

#include <gtest/gtest.h>

#include <utility>

#include "model/records/character/XForm.h"

namespace {

struct HintCase {
    std::int16_t hint;
    std::int16_t font;
    std::int16_t language;
};

TEST(ScriptHint, TheHintSelectsFontAndLanguage) {
    XForm form;
    initXForm(&form);
    form.txtFontAscii = 1;
    form.txtFontHAnsi = 2;
    form.txtFontCs = 3;
    form.txtFontEa = 4;
    form.txtLangVal = 1033;
    form.txtLangCs = 1037;
    form.txtLangEa = 1041;
    // A hint outside 0 to 4 (foreign data) counts as no hint: the HAnsi font and the Latin language,
    // as the story's script following stores it.
    const HintCase cases[] = {{0, 2, 1033}, {1, 1, 1033}, {2, 2, 1033}, {3, 3, 1037},
                              {4, 4, 1041}, {5, 2, 1033}, {-1, 2, 1033}};
    for (const auto& c : cases) {
        form.txtHint = c.hint;
        EXPECT_EQ(selectFontByHint(form), c.font) << c.hint;
        EXPECT_EQ(selectLanguageByHint(form), c.language) << c.hint;
        EXPECT_EQ(&fontFieldOfHint(form, c.hint), &fontFieldOfHint(std::as_const(form), c.hint)) << c.hint;
    }
}

}  // namespace

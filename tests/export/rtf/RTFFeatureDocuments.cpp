#include "tests/export/rtf/RTFFeatureDocuments.h"

#include <cstring>

#include "engine/translators/TranslatorDescriptors.h"
#include "export/rtf/CRTFExporter.h"
#include "foundation/memory/Memory.h"
#include "model/params/LanguageEncoding.h"
#include "model/params/ParamBlockTables.h"
#include "model/story/StoryKinds.h"
#include "model/tables/CFontArray.h"
#include "platform/process/Clock.h"
#include "tests/export/rtf/head/RTFListRecords.h"
#include "tests/support/FileBytes.h"

namespace rtftest {
namespace {

using namespace storycode;

constexpr RGBColor kRed{65535, 0, 0};
constexpr RGBColor kBlue{0, 0, 65535};

// A run of text whose records the change sets up.
Run run(const std::u16string& units, std::function<void(XParamBlock&)> change) {
    return Run{units, std::move(change)};
}

// A one-unit control code run.
Run code(char16_t unit, std::function<void(XParamBlock&)> change = nullptr) {
    return Run{std::u16string(1, unit), [unit, change](XParamBlock& b) {
                   b.form.txtType = storycode::anchor(unit, 0);
                   if (change) change(b);
               }};
}

std::int16_t font(XParamBlock& b, const char* name) {
    return b.fonts->findByName(name);
}

void colorsAndFonts(XParamBlock& b) {
    for (const RGBColor& color : {kBlack, kRed, kBlue}) addColor(&color, &b);
    for (const char* name : {"Liberation Serif", "Liberation Sans", "Liberation Mono"}) addFontByName(name, &b);
    numberFonts(&b);
}

// Every run of the documents: 12 points in the serif font, in English.
void plain(XParamBlock& b) {
    b.form.txtLangVal = 1033;
    b.form.txtSize = 120;
    b.form.txtFontHAnsi = font(b, "Liberation Serif");
}

FeatureDocument characters() {
    auto styled = [](std::function<void(XForm&, XParamBlock&)> change) {
        return [change](XParamBlock& b) {
            plain(b);
            change(b.form, b);
        };
    };
    return {"characters",
            {},
            Story{11,
                  {run(u"Plain ", styled([](XForm&, XParamBlock&) {})),
                   run(u"Bold ", styled([](XForm& f, XParamBlock&) { f.txtFace = kFaceBold; })),
                   run(u"Italic ", styled([](XForm& f, XParamBlock&) { f.txtFace = kFaceItalic; })),
                   run(u"Underlined ", styled([](XForm& f, XParamBlock&) { f.txtFace = kFaceUnderline; })),
                   run(u"Large ", styled([](XForm& f, XParamBlock&) { f.txtSize = 240; })),
                   run(u"Red ", styled([](XForm& f, XParamBlock&) { f.txtFore = kRed; })),
                   run(u"Mono {x}", styled([](XForm& f, XParamBlock& b) { f.txtFontHAnsi = font(b, "Liberation Mono"); })),
                   run(u"\r", styled([](XForm&, XParamBlock&) {}))}},
            colorsAndFonts};
}

FeatureDocument paragraphs() {
    auto paragraph = [](const std::u16string& units, std::function<void(XRule&)> change) {
        return run(units + u"\r", [change](XParamBlock& b) {
            plain(b);
            change(b.rule);
        });
    };
    return {"paragraphs",
            {},
            Story{11,
                  {paragraph(u"Centred", [](XRule& r) { r.justification = 1; }),
                   paragraph(u"Right", [](XRule& r) { r.justification = 2; }),
                   paragraph(u"Indented",
                             [](XRule& r) {
                                 r.indentLeft = 1440;
                                 r.indentRight = 720;
                                 r.indentFirst = 360;
                             }),
                   paragraph(u"Spaced", [](XRule& r) {
                       r.spaceBefore = 240;
                       r.spaceBeforeUnit = 0;
                       r.spaceAfter = 480;
                       r.spaceAfterUnit = 0;
                       r.leading = 360;
                       r.leadingUnit = -1;
                   })}},
            colorsAndFonts};
}

FeatureDocument fields() {
    auto fieldText = [](XParamBlock& b) {
        plain(b);
        b.form.txtData = kFieldStart;
    };
    return {"fields",
            {},
            Story{11,
                  {run(u"Page ", plain), code(kFieldStart, plain), run(u"PAGE", plain), code(kFieldSeparator, plain),
                   run(u"1", plain), code(kFieldEnd, plain), run(u" of the site ", plain),
                   run(u"HYPERLINK \"http://example.com/target\"{Example site", fieldText), run(u".\r", plain)}},
            colorsAndFonts};
}

FeatureDocument notes() {
    return {"notes",
            {Story{7, {code(kFootnoteMark, plain), run(u" Footnote text.", plain)}},
             Story{8, {code(kEndnoteMark, plain), run(u" Endnote text.", plain)}}},
            Story{11,
                  {run(u"Noted", plain), code(kFootnoteReference, plain), run(u" and ended", plain),
                   code(kEndnoteReference, plain), run(u".\r", plain)}},
            colorsAndFonts};
}

FeatureDocument bookmarks() {
    auto mark = [](std::int32_t kind) {
        return [kind](XParamBlock& b) {
            plain(b);
            b.form.txtData = kind;
        };
    };
    return {"bookmarks",
            {},
            Story{11,
                  {run(u"Before ", plain), run(u"Caf\u00E9{1}", mark(28)), run(u"marked", plain), run(u"x", mark(29)),
                   run(u" after.\r", plain)}},
            colorsAndFonts};
}

FeatureDocument revision() {
    return {"revision",
            {},
            Story{11,
                  {run(u"Kept ", plain), run(u"inserted", [](XParamBlock& b) {
                       plain(b);
                       b.form.revision = RevisionMark{0, 2, 1, 0x4C2A1E00};
                   }),
                   run(u" text.\r", plain)}},
            [](XParamBlock& b) {
                colorsAndFonts(b);
                addAuthor("Ann {QA} M\xC3\xBCller", &b);
            }};
}

// Two list paragraphs, each delivered in two runs: the number is written once per paragraph.
FeatureDocument list() {
    static char16_t first[] = u"1.";
    static char16_t second[] = u"2.";
    auto item = [](char16_t* number) {
        return [number](XParamBlock& b) {
            plain(b);
            b.rule.level.ls = 1;
            b.rule.level.text = number;
            b.rule.level.textLength = 2;
            b.rule.indentLeft = 720;
            b.rule.indentHanging = 360;
        };
    };
    auto definitions = [](XParamBlock& b) {
        colorsAndFonts(b);
        b.listDefs = static_cast<XListDef*>(allocMemory(sizeof(XListDef)));
        std::memset(static_cast<void*>(b.listDefs), 0, sizeof(XListDef));
        b.listDefCount = 1;
        b.listDefs[0].listDefId = 10;
        b.listDefs[0].levels[0].levelFollow = 9;
        b.listDefs[0].levels[0].levelStartAt = 1;
        setLevelText(b.listDefs[0].levels[0], u"%1.");
        b.listOvrs = static_cast<XListOvr*>(allocMemory(sizeof(XListOvr)));
        std::memset(static_cast<void*>(b.listOvrs), 0, sizeof(XListOvr));
        b.listOvrCount = 1;
        b.listOvrs[0].listIlst = 10;
        b.listOvrs[0].listIlfo = 1;
    };
    return {"list",
            {},
            Story{11, {run(u"First ", item(first)), run(u"item\r", item(first)), run(u"Second ", item(second)),
                       run(u"item\r", item(second))}},
            definitions};
}

}  // namespace

std::vector<FeatureDocument> featureDocuments() {
    return {characters(), paragraphs(), fields(), notes(), bookmarks(), revision(), list()};
}

FeatureDocument pictureThenTextDocument(CPicture* picture) {
    return {"picture-then-text",
            {},
            Story{11,
                  {run(u"Start of the paragraph above\r", plain), code(kPicture,
                                                                    [picture](XParamBlock& b) {
                                                                        plain(b);
                                                                        b.form.picData = picture;
                                                                    }),
                   run(u" after the picture", plain), run(u" and bold\r", [](XParamBlock& b) {
                       plain(b);
                       b.form.txtFace = kFaceBold;
                   })}},
            colorsAndFonts};
}

FeatureDocument fieldResultDocument() {
    return {"field-result",
            {},
            Story{11,
                  {run(u"Go ", plain), code(kFieldStart, plain), run(u"HYPERLINK \"http://example.com/\"", plain),
                   code(kFieldSeparator, plain), run(u"Example", plain), code(kFieldEnd, plain), run(u" now\r", plain)}},
            colorsAndFonts};
}

FeatureDocument bracketDocument(std::int16_t language) {
    auto rightToLeft = [language](XParamBlock& b) {
        plain(b);
        b.form.txtHint = 3;
        b.form.txtLangCs = language;
        b.form.txtCode = languageEncoding(language);
        b.rule.direction = 1;
    };
    // The text as the author typed it, in logical order.
    const std::u16string units = u"(a) [b]\r";
    return {language == 1025 ? "brackets-arabic" : "brackets-hebrew",
            {},
            Story{11, {run(units, rightToLeft)}},
            colorsAndFonts};
}

std::string writeFeatureDocument(const FeatureDocument& document, const std::string& outputPath) {
    platform::setLocalTimeForTesting([] {
        std::tm pinned{};
        pinned.tm_year = 2024 - 1900;
        pinned.tm_mon = 2;
        pinned.tm_mday = 14;
        pinned.tm_hour = 9;
        pinned.tm_min = 30;
        return pinned;
    });
    platform::setMillisecondClockForTesting([] { return 1000u; });
    std::string bytes;
    {
        CRTFExporter exporter(&exporterDescriptors[exporter::kRTF]);
        RequestPlayer player(exporter, outputPath);
        player.storedStories = document.storedStories;
        if (document.tables) document.tables(player.block);
        if (player.play(document.sideStories, document.mainStory) == 0) bytes = testsupport::readBytes(outputPath);
    }
    platform::setLocalTimeForTesting(nullptr);
    platform::setMillisecondClockForTesting(nullptr);
    return bytes;
}

}  // namespace rtftest

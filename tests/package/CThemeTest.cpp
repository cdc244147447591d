#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/language/CLanguage.h"
#include "package/theme/CTheme.h"
#include "package/theme/HslColor.h"
#include "platform/process/AllocationFailure.h"
#include "tests/package/XmlDocument.h"

namespace {

using testsupport::XmlDocument;

constexpr const char* kDrawingMl = "http://schemas.openxmlformats.org/drawingml/2006/main";

// Japanese and Arabic by their Windows ids; everything else Latin.
std::uint32_t scriptOfTestLanguage(std::uint32_t languageId) {
    if (languageId == 1041) return scriptTagValue("Jpan");
    if (languageId == 1025) return scriptTagValue("Arab");
    return kLatinScriptTag;
}

// A theme part written with `p` as the DrawingML prefix (empty: the default namespace) in namespace `uri`.
std::string themePart(const std::string& p, const std::string& uri, const std::string& colorScheme,
                      const std::string& majorFont, const std::string& minorFont) {
    const std::string q = p.empty() ? "" : p + ":";
    const std::string binding = p.empty() ? "xmlns" : "xmlns:" + p;
    return "<" + q + "theme " + binding + "=\"" + uri + "\" name=\"Test\"><" + q + "themeElements>" + "<" + q +
           "clrScheme name=\"Test\">" + colorScheme + "</" + q + "clrScheme><" + q + "fontScheme name=\"Test\"><" + q +
           "majorFont>" + majorFont + "</" + q + "majorFont><" + q + "minorFont>" + minorFont + "</" + q +
           "minorFont></" + q + "fontScheme><" + q + "fmtScheme name=\"Test\"/></" + q + "themeElements><" + q +
           "objectDefaults/></" + q + "theme>";
}

std::string schemeChild(const std::string& q, const char* name, const std::string& colour) {
    return "<" + q + name + ">" + colour + "</" + q + name + ">";
}

// The twelve scheme colours as srgbClr 0x10 * position + 1 in every channel, for a given prefix.
std::string twelveColours(const std::string& q) {
    static const char* const names[] = {"dk1",     "lt1",     "dk2",     "lt2",     "accent1", "accent2",
                                        "accent3", "accent4", "accent5", "accent6", "hlink",   "folHlink"};
    std::string scheme;
    for (int i = 0; i < 12; ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", 16 * i + 1, 16 * i + 1, 16 * i + 1);
        scheme += schemeChild(q, names[i], "<" + q + "srgbClr val=\"" + hex + "\"/>");
    }
    return scheme;
}

std::string fonts(const std::string& q, const std::string& latin, const std::string& ea, const std::string& cs,
                  const std::string& scriptFonts = "") {
    return "<" + q + "latin typeface=\"" + latin + "\"/><" + q + "ea typeface=\"" + ea + "\"/><" + q + "cs typeface=\"" +
           cs + "\"/>" + scriptFonts;
}

std::string textOrNone(const char* text) {
    return text != nullptr ? text : "(none)";
}

std::uint16_t grey(const CTheme& theme, std::int32_t index) {
    const RGBColor c = theme.colorAt(index);
    EXPECT_TRUE(c.red == c.green && c.green == c.blue) << index;
    return c.red;
}

TEST(ThemePart, FontsAndColoursWhateverPrefixBindsTheNamespace) {
    const struct {
        const char* prefix;
        const char* uri;
    } spellings[] = {{"a", kDrawingMl}, {"d", kDrawingMl}, {"", kDrawingMl}, {"a", "http://purl.oclc.org/ooxml/drawingml/main"}};
    for (const auto& spelling : spellings) {
        SCOPED_TRACE(std::string(spelling.prefix) + " " + spelling.uri);
        const std::string q = *spelling.prefix ? std::string(spelling.prefix) + ":" : "";
        XmlDocument part(themePart(spelling.prefix, spelling.uri, twelveColours(q), fonts(q, "Major Latin", "Major EA", "Major CS"),
                                fonts(q, "Minor Latin", "Minor EA", "Minor CS")));
        CTheme theme;
        EXPECT_EQ(0, theme.parse(part.root(), 1033, 1041, 1025, scriptOfTestLanguage));

        const std::pair<std::int16_t, const char*> names[] = {
            {-99, "Major Latin"}, {-98, "Major Latin"}, {-97, "Major CS"}, {-96, "Major EA"},
            {-95, "Minor Latin"}, {-94, "Minor Latin"}, {-93, "Minor CS"}, {-92, "Minor EA"},
        };
        for (const auto& [code, expected] : names) {
            ASSERT_NE(nullptr, theme.fontName(code)) << code;
            EXPECT_STREQ(expected, theme.fontName(code)) << code;
        }
        EXPECT_EQ(nullptr, theme.fontName(-91));
        EXPECT_EQ(nullptr, theme.fontName(-100));

        // Indexes 0 to 3 give lt1, dk1, lt2, dk2; then the scheme's order; past the end black.
        const std::int32_t positions[] = {1, 0, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11};
        for (std::int32_t index = 0; index < 12; ++index) {
            EXPECT_EQ((16 * positions[index] + 1) * 257, grey(theme, index)) << index;
        }
        EXPECT_EQ(0, grey(theme, 12));
        EXPECT_EQ(0, grey(theme, -1));
    }
}

TEST(ThemePart, ElementsOutsideTheDrawingNamespaceReadNothing) {
    const std::string noNamespace = "<theme><themeElements><clrScheme><dk1><srgbClr val=\"FFFFFF\"/></dk1></clrScheme>"
                                    "<fontScheme><majorFont><latin typeface=\"X\"/></majorFont></fontScheme>"
                                    "</themeElements></theme>";
    const std::string withoutElements = std::string("<a:theme xmlns:a=\"") + kDrawingMl + "\"><a:objectDefaults/></a:theme>";
    for (const std::string& xml : {noNamespace, withoutElements}) {
        XmlDocument part(xml);
        CTheme theme;
        theme.parse(part.root(), 1033, 1041, 1025, scriptOfTestLanguage);
        for (std::int16_t code = -99; code <= -92; ++code) EXPECT_EQ(nullptr, theme.fontName(code)) << code;
        EXPECT_EQ(0, theme.colors().count());
        EXPECT_EQ(0, grey(theme, 0));
    }
    CTheme theme;
    EXPECT_EQ(0, theme.parse(nullptr, 0, 0, 0));
}

TEST(ThemePart, EmptyTypefacesTakeTheScriptFontOfTheirLanguage) {
    const std::string scriptFonts = "<a:font script=\"Jpan\" typeface=\"Japanese Face\"/>"
                                    "<a:font script=\"Arab\" typeface=\"Arabic Face\"/>"
                                    "<a:font typeface=\"No Script\"/><a:font script=\"Hang\"/>";
    const struct {
        std::uint32_t eastAsian;
        std::uint32_t complexScript;
        const char* ea;
        const char* cs;
    } cases[] = {
        {1041, 1025, "Japanese Face", "Arabic Face"},
        {1033, 1033, nullptr, nullptr},  // Latin has no script font here: the slots stay empty
    };
    for (const auto& c : cases) {
        XmlDocument part(themePart("a", kDrawingMl, "", fonts("a:", "Latin Face", "", "", scriptFonts), ""));
        CTheme theme;
        theme.parse(part.root(), 1033, c.eastAsian, c.complexScript, scriptOfTestLanguage);
        EXPECT_STREQ("Latin Face", theme.fontName(-99));
        EXPECT_EQ(textOrNone(c.ea), textOrNone(theme.fontName(-96)));
        EXPECT_EQ(textOrNone(c.cs), textOrNone(theme.fontName(-97)));
        // A font without a script or without a typeface adds no script font.
        EXPECT_EQ(nullptr, theme.majorFonts().fontForScript(scriptTagValue("Hang")));
        EXPECT_STREQ("Arabic Face", theme.majorFonts().fontForScript(scriptTagValue("Arab")));
    }
}

TEST(ThemePart, ColourElementsOfEveryKind) {
    constexpr std::uint16_t kFull = 65535;
    const struct {
        const char* children;
        RGBColor expected;
    } cases[] = {
        {"<a:srgbClr val=\"FF8000\"/>", {kFull, 0x80 * 257, 0}},
        {"<a:srgbClr val=\"80FF8000\"/>", {kFull, 0x80 * 257, 0}},
        {"<a:srgbClr val=\"ff8000\"><a:lumMod val=\"50000\"/></a:srgbClr>", {kFull, 0x80 * 257, 0}},
        {"<a:srgbClr val=\"FF8\"/>", {0, 0, 0}},
        {"<a:srgbClr val=\"GG0000\"/>", {0, 0, 0}},
        {"<a:srgbClr val=\"FF0000\"/><a:srgbClr val=\"0000FF\"/>", {0, 0, kFull}},
        {"<a:schemeClr val=\"accent1\"/>", {0, 0, 0}},
        {"<a:srgbClr val=\"FF0000\"/><a:schemeClr val=\"accent1\"/>", {kFull, 0, 0}},
        {"<a:prstClr val=\"orange\"/>", {kFull, 165 * 257, 0}},
        {"<a:prstClr val=\"noSuchColour\"/>", {0, 0, 0}},
        {"<a:sysClr val=\"window\" lastClr=\"FFFFFF\"/>", {kFull, kFull, kFull}},
        {"<a:sysClr val=\"window\"/>", {0, 0, 0}},
        {"<a:hslClr hue=\"0\" sat=\"100000\" lum=\"50000\"/>", {kFull, 0, 0}},
        {"<a:hslClr hue=\"21600000\" sat=\"100000\" lum=\"50000\"/>", {kFull, 0, 0}},
        {"<a:hslClr hue=\"7200000\" sat=\"100000\" lum=\"50000\"/>", {0, kFull, 0}},
        {"<a:hslClr hue=\"14400000\" sat=\"100000\" lum=\"50000\"/>", {0, 0, kFull}},
        {"<a:hslClr hue=\"0\" sat=\"0\" lum=\"100000\"/>", {kFull, kFull, kFull}},
        {"<a:hslClr hue=\"-1e300\" sat=\"1e300\" lum=\"nan\"/>", {0, 0, 0}},
        {"<a:scrgbClr r=\"100000\" g=\"0\" b=\"200000\"/>", {kFull, 0, kFull}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.children);
        XmlDocument part(themePart("a", kDrawingMl, std::string("<a:dk1>") + c.children + "</a:dk1>", "", ""));
        CTheme theme;
        theme.parse(part.root(), 1033, 1033, 1033, scriptOfTestLanguage);
        ASSERT_EQ(1, theme.colors().count());
        EXPECT_STREQ("dk1", theme.colors().nameAt(0));
        const RGBColor got = theme.colorAt(1);
        EXPECT_EQ(c.expected.red, got.red);
        EXPECT_EQ(c.expected.green, got.green);
        EXPECT_EQ(c.expected.blue, got.blue);
    }
}

TEST(ThemePart, LinearScRgbComesOutOnTheSrgbCurve) {
    XmlDocument part(themePart("a", kDrawingMl, "<a:dk1><a:scrgbClr r=\"50000\" g=\"21404\" b=\"1\"/></a:dk1>", "", ""));
    CTheme theme;
    theme.parse(part.root(), 1033, 1033, 1033, scriptOfTestLanguage);
    const RGBColor got = theme.colorAt(1);
    EXPECT_NEAR(0.7354 * 65535, got.red, 10);   // linear 0.5
    EXPECT_NEAR(0.5 * 65535, got.green, 10);    // linear 0.214 is sRGB mid-grey
    EXPECT_NEAR(0.000129 * 65535, got.blue, 2);  // the straight segment near black
}

TEST(ThemePart, SchemeElementWithoutColourShiftsTheLaterOnes) {
    XmlDocument part(themePart("a", kDrawingMl,
                            "<a:dk1><a:srgbClr val=\"000000\"/></a:dk1><a:lt1><a:srgbClr val=\"FFFFFF\"/></a:lt1>"
                            "<a:dk2><a:extLst/></a:dk2><a:lt2><a:srgbClr val=\"010101\"/></a:lt2>"
                            "<a:accent1><a:srgbClr val=\"020202\"/></a:accent1>",
                            "", ""));
    CTheme theme;
    theme.parse(part.root(), 1033, 1033, 1033, scriptOfTestLanguage);
    EXPECT_EQ(4, theme.colors().count());
    EXPECT_EQ(65535, grey(theme, 0));  // lt1
    EXPECT_EQ(0, grey(theme, 1));      // dk1
    EXPECT_EQ(2 * 257, grey(theme, 2));  // position 3: accent1 stands where lt2 would
    EXPECT_EQ(257, grey(theme, 3));
    EXPECT_EQ(0, grey(theme, 4));
}

// Every allocation of making and reading a theme, failed in turn, raises 12 (the sanitizer build checks
// that nothing leaks).
TEST(ThemePart, LackOfMemoryFailsWith12) {
    XmlDocument part(themePart("a", kDrawingMl, twelveColours("a:"),
                            fonts("a:", "Major", "", "", "<a:font script=\"Jpan\" typeface=\"J\"/>"), fonts("a:", "Minor", "E", "C")));
    for (std::int64_t n = 1;; ++n) {
        platform::failNthAllocation(n);
        const std::int16_t code = failureCode([&] {
            CTheme theme;
            theme.parse(part.root(), 1033, 1041, 1025, scriptOfTestLanguage);
        });
        platform::disarmAllocationFailure();
        if (code == 0) {
            EXPECT_GT(n, 3);  // the theme's three objects at least
            break;
        }
        ASSERT_EQ(12, code) << n;
    }
}

TEST(HslToColor, ChannelsFromHueSaturationAndLightness) {
    const struct {
        double hue;
        double saturation;
        double lightness;
        RGB8Color expected;
    } cases[] = {
        {0.0, 1.0, 0.5, {255, 0, 0}},
        {1.0, 1.0, 0.5, {127, 127, 127}},  // sextant 6: the grey of the lightness
        {-0.5, 1.0, 0.5, {127, 127, 127}},
        {0.25, 1.0, 0.0, {0, 0, 0}},
        {0.4, 0.0, 0.3, {76, 76, 76}},
        {0.5, 1.0, 0.75, {127, 255, 255}},
        {-0.1, 1.0, 0.5, {255, 0, 0}},  // a small negative hue stays in sextant 0; channels are clamped
        {1e300, 1.0, 0.5, {127, 127, 127}},
    };
    for (const auto& c : cases) {
        const RGB8Color got = hslToColor(c.hue, c.saturation, c.lightness);
        EXPECT_EQ(c.expected.red, got.red) << c.hue << " " << c.saturation << " " << c.lightness;
        EXPECT_EQ(c.expected.green, got.green) << c.hue << " " << c.saturation << " " << c.lightness;
        EXPECT_EQ(c.expected.blue, got.blue) << c.hue << " " << c.saturation << " " << c.lightness;
    }
}

}  // namespace

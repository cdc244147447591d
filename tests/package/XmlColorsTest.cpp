#include <gtest/gtest.h>

#include <string>

#include "package/xml/XmlColors.h"
#include "tests/package/XmlDocument.h"

// Found by argument lookup, so they live beside RGBColor, in the global namespace.
static bool operator==(const RGBColor& a, const RGBColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

static std::ostream& operator<<(std::ostream& out, const RGBColor& c) {
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

namespace {

using testsupport::XmlDocument;

constexpr RGBColor kUntouched{11, 22, 33};

TEST(ColorText, HexadecimalPairsAlphaAndAuto) {
    struct Case {
        const char* text;
        RGBColor expected;
        bool read;
    };
    const Case cases[] = {
        {"8000FF80", {0, 65535, 32896}, true},
        {"00FF80", {0, 65535, 32896}, true},
        {"AUTO", kAutoColor, true},
        {"ff0000", {0, 0, 0}, true},  // lower-case digits end the number
        {"FF00", kUntouched, false},  // too short: nothing read past the end
        {"", kUntouched, false},
        {"80FF00", {32896, 65535, 0}, true},
    };
    for (const Case& c : cases) {
        RGBColor color = kUntouched;
        EXPECT_EQ(parseColorText(c.text, &color), c.read) << c.text;
        EXPECT_EQ(color, c.expected) << c.text;
    }
}

TEST(ColorText, PresetNamesAreCaseSensitive) {
    RGBColor color = kUntouched;
    parseColorText2("AliceBlue", &color);
    EXPECT_EQ(color, kUntouched);
    parseColorText2("aliceBlue", &color);
    EXPECT_EQ(color, (RGBColor{61680, 63736, 65535}));
    parseColorText2("yellowGreen", &color);  // the last entry
    EXPECT_EQ(color, (RGBColor{154 * 257, 205 * 257, 50 * 257}));
}

TEST(ColorElement, LaterAttributesOverrideAndUnusableOnesAreAbsent) {
    struct Case {
        const char* attributes;
        RGBColor expected;
    };
    const Case cases[] = {
        {R"(auto="1" rgb="FF0000FF")", {0, 0, 65535}},
        {R"(auto="true")", kAutoColor},
        {R"(indexed="2")", {221 * 257, 8 * 257, 6 * 257}},
        {R"(indexed="65")", {65535, 65535, 65535}},
        {R"(indexed="66")", kUntouched},
        {R"(indexed="-1")", kUntouched},
        {R"(indexed="99999999999")", kUntouched},
        {R"(rgb="F0")", kUntouched},
        {R"(other="FF0000")", kUntouched},
        // Tint 0 keeps a grey: L is c + 0.5 and truncates back to c.
        {R"(rgb="FF808080" tint="0")", {128 * 257, 128 * 257, 128 * 257}},
        {R"(rgb="FF808080" tint="-0.5")", {64 * 257, 64 * 257, 64 * 257}},
        {R"(rgb="FF000000" tint="1")", {65535, 65535, 65535}},
    };
    for (const Case& c : cases) {
        XmlDocument d(std::string("<color ") + c.attributes + "/>");
        RGBColor color = kUntouched;
        xmlGetColor(d.root(), &color);
        EXPECT_EQ(color, c.expected) << c.attributes;
    }
    XmlDocument longRgb("<color rgb=\"" + std::string(5000, 'F') + "\"/>");
    RGBColor color = kUntouched;
    xmlGetColor(longRgb.root(), &color);
    EXPECT_EQ(color, kUntouched);
}

TEST(HueLightnessSaturation, RoundTripsKeepColours) {
    const RGBColor colours[] = {{65535, 0, 0}, {0, 65535, 0}, {0, 0, 65535}, {0x1212, 0x8080, 0xCDCD}, {0, 0, 0}};
    for (const RGBColor& colour : colours) {
        double hue = 0, lightness = 0, saturation = 0;
        rgbToHls(colour, &hue, &lightness, &saturation);
        EXPECT_GE(hue, 0);
        EXPECT_LE(hue, 255);
        RGBColor back{};
        hlsToRgb(hue, lightness, saturation, &back);
        for (const auto& [a, b] : {std::pair{colour.red, back.red}, {colour.green, back.green}, {colour.blue, back.blue}}) {
            // The rule's rounding terms move a channel by up to 2 of 255; a channel mixed up would be far off.
            EXPECT_NEAR(a >> 8, b >> 8, 2) << colour;
            EXPECT_EQ(b >> 8, b & 0xFF);  // the byte in both halves
        }
    }
    double hue = 0, lightness = 0, saturation = 0;
    rgbToHls(RGBColor{0x4040, 0x4040, 0x4040}, &hue, &lightness, &saturation);
    EXPECT_EQ(hue, 170);
    EXPECT_EQ(saturation, 0);
    EXPECT_EQ(lightness, 64.5);
    EXPECT_EQ(hueToRgb(0, 100, 300), hueToRgb(0, 100, 45));
    EXPECT_EQ(maxOfTwo(1, 2), 2);
    EXPECT_EQ(minOfTwo(1, 2), 1);
}

}  // namespace

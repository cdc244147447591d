#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <clocale>
#include <cstring>
#include <locale.h>
#include <optional>
#include <string>
#include <utility>

#include "foundation/CRandom.h"
#include "foundation/memory/Memory.h"
#include "package/xml/XmlNamespaces.h"
#include "package/xml/XmlNodeHelpers.h"
#include "tests/package/XmlDocument.h"

namespace {

using Document = testsupport::XmlDocument;

TEST(XmlAttributes, BooleansByTheNameRule) {
    Document d(R"(<e a="Yes" b="maybe" c="T" d="-1" e="off" f="ON"/>)");
    const std::pair<const char*, std::int16_t> cases[] = {{"a", 1}, {"b", 0}, {"c", 1}, {"d", 1}, {"e", 0}, {"f", 1}};
    for (const auto& [name, expected] : cases) {
        std::int16_t present = -1;
        EXPECT_EQ(xmlGetAttrBool(d.root(), nullptr, name, &present), expected) << name;
        EXPECT_EQ(present, 1);
    }
    std::int16_t present = -1;
    EXPECT_EQ(xmlGetAttrBool(d.root(), nullptr, "missing", &present), 0);
    EXPECT_EQ(present, 0);
}

TEST(XmlAttributes, StringsIntsDoublesAndTheSharedBufferBound) {
    const std::string longValue(2049, 'x');
    Document d("<e s=\"caf&#233; &amp; co\" n=\"-12x\" h=\"2147483648\" x=\"2.5e3\" full=\"" + std::string(2048, 'y') +
               "\" long=\"" + longValue + "\"/>");
    std::int16_t present = 0;
    EXPECT_STREQ(xmlGetAttrString(d.root(), nullptr, "s", &present), "caf\xC3\xA9 & co");
    EXPECT_EQ(xmlGetAttrInt(d.root(), nullptr, "n", &present), -12);
    EXPECT_EQ(xmlGetAttrInt(d.root(), nullptr, "h", &present), 0);  // out of range: absent, never wrapped
    EXPECT_EQ(present, 0);
    EXPECT_EQ(xmlGetAttrDouble(d.root(), nullptr, "x", &present), 2500.0);
    EXPECT_EQ(std::strlen(xmlGetAttrString(d.root(), nullptr, "full", &present)), 2048u);
    // Too long for the shared buffer: absent, never a null that claims to be present.
    EXPECT_EQ(xmlGetAttrString(d.root(), nullptr, "long", &present), nullptr);
    EXPECT_EQ(present, 0);
    EXPECT_EQ(xmlGetAttrString(nullptr, nullptr, "s", &present), nullptr);
    EXPECT_EQ(present, 0);
}

TEST(XmlAttributes, DatesAsSecondsSince1970) {
    Document d(R"(<e a="1970-01-01" b="2026-12-10T14:05:30Z" c="2026-12-10T15:05:30+01:00" d="2026-12-10T14:05:30.25Z"
                   e="yesterday" f="2026-13-01" g="2100-01-01T00:00:00Z"/>)");
    const std::pair<const char*, std::int32_t> cases[] = {
        {"a", 0}, {"b", 1796911530}, {"c", 1796911530}, {"d", 1796911530}, {"e", 0}, {"f", 0}, {"g", INT32_MAX}};
    for (const auto& [name, expected] : cases) {
        std::int16_t present = 0;
        EXPECT_EQ(xmlGetAttrDate(d.root(), nullptr, name, &present), expected) << name;
        EXPECT_EQ(present, 1);
    }
}

TEST(XmlAttributes, NamesAreExactAndPrefixesNameNamespaces) {
    Document d(R"(<w:p xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"
                      xmlns:ns9="http://schemas.openxmlformats.org/wordprocessingml/2006/main"
                      xmlns:q="urn:unknown" w:Val="1" ns9:val="7" q:tag="x"/>)");
    std::int16_t present = 0;
    EXPECT_EQ(xmlGetAttrInt(d.root(), "w", "val", &present), 7);  // the namespace counts, not its spelling
    EXPECT_EQ(present, 1);
    EXPECT_EQ(xmlGetAttrInt(d.root(), "r", "val", &present), 0);
    EXPECT_EQ(present, 0);
    EXPECT_STREQ(xmlGetAttrString(d.root(), "q", "tag", &present), "x");  // an unknown namespace by its prefix
    EXPECT_EQ(xmlGetAttrString(d.root(), "w", "tag", &present), nullptr);
}

TEST(XmlAttributes, TheFirstPresentOfSeveralNames) {
    Document d(R"(<e b="off" c="12" d="9" s="text"/>)");
    std::int16_t present = -1;
    EXPECT_EQ(xmlGetFirstAttrInt(d.root(), &present, {"a", "c", "d"}), 12);
    EXPECT_EQ(present, 1);
    EXPECT_EQ(xmlGetFirstAttrBool(d.root(), &present, {"b", "c"}), 0);
    EXPECT_EQ(present, 1);
    EXPECT_STREQ(xmlGetFirstAttrString(d.root(), &present, {"x", "s"}), "text");
    EXPECT_EQ(xmlGetFirstAttrString(d.root(), &present, {"x", "y"}), nullptr);
    EXPECT_EQ(present, 0);
    present = -1;
    EXPECT_EQ(xmlGetFirstAttrInt(d.root(), &present, {}), 0);
    EXPECT_EQ(present, -1);
}

TEST(XmlText, OneBytePerCharacterOrNull) {
    Document d("<r><t>\xC3\xA9</t><t/><t>a<b>b\xE2\x82\xAC</b>c</t><t> -42 px</t><t>17</t></r>");
    xmlNode* t = d.root()->children;
    char* text = xmlGetText(t);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "\xE9");
    freeMemory(text);
    EXPECT_EQ(xmlGetText(t->next), nullptr);
    text = xmlGetText(t->next->next);
    EXPECT_STREQ(text, "ab?c");  // descendants' text, a character above 255 as '?'
    freeMemory(text);
    EXPECT_EQ(xmlGetTextInt(t->next->next->next), 0);  // no blank before the number
    EXPECT_EQ(xmlGetTextInt(t->next->next->next->next), 17);
    EXPECT_EQ(xmlGetText(nullptr), nullptr);
}

TEST(XmlToggles, ValReadsAsOnWhenAbsent) {
    Document d(R"(<r><b/><b val="0"/><b val="true"/></r>)");
    xmlNode* b = d.root()->children;
    const std::int16_t expected[] = {1, 0, 1};
    std::uint32_t flags = 0xF0;
    for (std::int16_t on : expected) {
        EXPECT_EQ(xmlGetToggle(b), on);
        xmlSetFlagFromVal(b, &flags, 0x3);
        EXPECT_EQ(flags, on ? 0xF3u : 0xF0u);
        b = b->next;
    }
}

TEST(XmlUniqueTag, DrawnOnceAndKeptOnTheElement) {
    seedSharedRandomForTesting(1802, 9373);
    Document d(R"(<r><a/><b AutoUniqueTag="5"/></r>)");
    xmlNode* a = d.root()->children;
    const std::int32_t first = xmlGetUniqueTag(a);
    EXPECT_GE(first, 32767);
    EXPECT_EQ(xmlGetUniqueTag(a), first);
    std::int16_t present = 0;
    EXPECT_EQ(xmlGetAttrInt(a, nullptr, "AutoUniqueTag", &present), first);
    EXPECT_EQ(xmlGetUniqueTag(a->next), 5);
}

struct IntegerCase {
    const char* text;
    std::int16_t hexadecimal;
    std::int32_t expected;
};

TEST(ParseInteger, DigitsUpToTheFirstNonDigit) {
    const IntegerCase cases[] = {
        {"-12x", 0, -12}, {"1f", 1, 1}, {"1F", 1, 31}, {"", 0, 0}, {"1:2", 0, 1}, {"+5", 0, 0}, {"-", 0, 0}, {"FF", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseInteger(c.text, static_cast<std::int32_t>(std::strlen(c.text)), c.hexadecimal), c.expected) << c.text;
    }
    EXPECT_EQ(parseInteger("12345", 2, 0), 12);
    EXPECT_EQ(parseInteger(nullptr, 3, 0), 0);
}

// Numbers are read in 64 bits and checked before they are narrowed: a number outside the 32-bit range has
// no value (its attribute counts as absent), where 32-bit accumulation read "4294967297" as 1.
TEST(ParseInteger, NumbersOutsideThe32BitRangeHaveNoValue) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"2147483647", INT32_MAX},  {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt}, {"4294967297", std::nullopt}, {"99999999999999999999999", std::nullopt},
    };
    for (const auto& [digits, expected] : cases) {
        const auto length = static_cast<std::int32_t>(std::strlen(digits));
        EXPECT_EQ(parseCheckedInteger(digits, length, 0), expected) << digits;
        EXPECT_EQ(parseInteger(digits, length, 0), expected.value_or(0)) << digits;
    }
    EXPECT_EQ(parseCheckedInteger("7FFFFFFF", 8, 1), INT32_MAX);
    EXPECT_EQ(parseCheckedInteger("100000001", 9, 1), std::nullopt);

    Document d(R"(<e big="4294967297" small="-12"/>)");
    std::int16_t present = -1;
    EXPECT_EQ(xmlGetAttrInt(d.root(), nullptr, "big", &present), 0);
    EXPECT_EQ(present, 0);
    EXPECT_EQ(xmlGetAttrInt(d.root(), nullptr, "small", &present), -12);
    EXPECT_EQ(present, 1);
}

// Switches the calling thread to a locale that writes a decimal comma, for one scope; unavailable when
// the machine has none of them installed.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "fr_FR.utf8", "de_DE", "fr_FR"}) {
            comma = newlocale(LC_NUMERIC_MASK, name, nullptr);
            if (comma != nullptr) break;
        }
        if (comma != nullptr) previous = uselocale(comma);
    }
    ~CommaDecimalLocale() {
        if (comma == nullptr) return;
        uselocale(previous);
        freelocale(comma);
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;
    bool available() const { return comma != nullptr; }

private:
    locale_t comma = nullptr;
    locale_t previous = nullptr;
};

TEST(ParseDouble, ReadsTheSameInEveryLocale) {
    const std::pair<const char*, double> cases[] = {
        {"2.5e3", 2500.0}, {"-0.125", -0.125}, {" +1.5", 1.5}, {"3,5", 3.0}, {"x", 0.0}, {"", 0.0}, {"+-1", 0.0},
    };
    const auto check = [&cases] {
        for (const auto& [text, expected] : cases) EXPECT_EQ(parseDouble(text), expected) << text;
        Document d(R"(<e x="0.75"/>)");
        std::int16_t present = 0;
        EXPECT_EQ(xmlGetAttrDouble(d.root(), nullptr, "x", &present), 0.75);
    };
    check();
    CommaDecimalLocale comma;
    if (!comma.available()) GTEST_SKIP() << "no locale with a decimal comma is installed (de_DE or fr_FR)";
    ASSERT_STREQ(localeconv()->decimal_point, ",");
    check();
}

}  // namespace

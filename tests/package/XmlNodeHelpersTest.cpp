#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <cstring>
#include <string>

#include "package/XmlNamespaces.h"
#include "package/XmlNodeHelpers.h"

namespace {

// Parses a small document for one test.
class Document {
public:
    explicit Document(const std::string& xml)
        : doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET)) {}
    ~Document() { xmlFreeDoc(doc); }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    xmlNode* root() const { return xmlDocGetRootElement(doc); }

private:
    xmlDoc* doc;
};

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
    EXPECT_EQ(xmlGetAttrInt(d.root(), nullptr, "h", &present), INT32_MIN);  // wraps in 32 bits
    EXPECT_EQ(xmlGetAttrDouble(d.root(), nullptr, "x", &present), 2500.0);
    EXPECT_EQ(std::strlen(xmlGetAttrString(d.root(), nullptr, "full", &present)), 2048u);
    EXPECT_EQ(xmlGetAttrString(d.root(), nullptr, "long", &present), nullptr);
    EXPECT_EQ(present, 1);
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

}  // namespace

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/memory/Memory.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/records/character/XForm.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/storage/StorageTestSupport.h"

namespace {

using storagetest::failureOf;

// An element of an in-memory storage, for one value at a time.
class ValueElement : public ::testing::Test {
protected:
    std::string stored(const char* key = "k") {
        std::string value;
        EXPECT_TRUE(attributeValue(element.getNode(), key, value)) << key;
        return value;
    }
    void setStored(const char* key, const char* text) {
        xmlSetProp(element.getNode(), reinterpret_cast<const xmlChar*>(key), reinterpret_cast<const xmlChar*>(text));
    }
    static std::string keyOf(char letter) { return std::string("k %") + letter; }

    // Writes the value under the letter, checks its stored text, reads it back into a fresh target.
    template <typename T>
    T roundTrip(char letter, const T& value, const std::string& expectedText) {
        const std::string format = keyOf(letter);
        element.writeValues(nullptr, 0, format.c_str(), value);
        EXPECT_EQ(stored(), expectedText) << "letter " << letter;
        T back{};
        element.readValues(nullptr, nullptr, format.c_str(), &back);
        return back;
    }

    CStorage storage{nullptr, storagemode::kWrite};
    CStream element{storage.rootStream(), "E", 1};
};

TEST_F(ValueElement, ScalarsRoundTripAtTheirLimits) {
    struct Int16Case { std::int16_t value; const char* text; };
    for (const auto& c : {Int16Case{0, "0"}, Int16Case{24, "24"}, Int16Case{-3, "-3"}, Int16Case{32767, "32767"},
                          Int16Case{-32768, "-32768"}}) {
        EXPECT_EQ(roundTrip<std::int16_t>('d', c.value, c.text), c.value);
    }
    struct Int32Case { char letter; std::int32_t value; std::string text; };
    const Int32Case int32Cases[] = {
        {'l', INT32_MIN, "-2147483648"},
        {'l', INT32_MAX, "2147483647"},
        {'h', 255, "FF"},
        {'h', INT32_MAX, "7FFFFFFF"},
        {'h', -1, "FFFFFFFFFFFFFFFF"},
        {'b', 5, "101"},
        {'b', INT32_MIN, std::string(33, '1') + std::string(31, '0')},
    };
    for (const auto& c : int32Cases) EXPECT_EQ(roundTrip<std::int32_t>(c.letter, c.value, c.text), c.value) << c.text;

    struct UInt32Case { char letter; std::uint32_t value; const char* text; };
    const UInt32Case uint32Cases[] = {
        {'u', 0, "0"},
        {'u', 2147483647u, "2147483647"},
        {'u', 3000000000u, "18446744072414584320"},
        {'u', UINT32_MAX, "18446744073709551615"},
        {'h', 0x80000000u, "FFFFFFFF80000000"},
    };
    for (const auto& c : uint32Cases) EXPECT_EQ(roundTrip<std::uint32_t>(c.letter, c.value, c.text), c.value) << c.text;

    EXPECT_EQ(roundTrip<std::uint64_t>('v', 0, "0"), 0u);
    EXPECT_EQ(roundTrip<std::uint64_t>('v', UINT64_MAX, "18446744073709551615"), UINT64_MAX);
    EXPECT_EQ(roundTrip<std::int64_t>('v', -2, "18446744073709551614"), -2);

    // A record's change mask travels as the little-endian number of its eight bytes.
    XForm form{};
    form.changeBits[0] = 0x80;
    form.changeBits[7] = 0x01;
    element.writeValues(nullptr, 0, "k %v", form.changeBits);
    EXPECT_EQ(stored(), "72057594037928064");
    XForm back{};
    element.readValues(nullptr, nullptr, "k %v", back.changeBits);
    EXPECT_EQ(std::memcmp(back.changeBits, form.changeBits, 8), 0);
}

TEST_F(ValueElement, EveryValueRecordKeepsItsNegativeMembers) {
    const BorderSpec border{-4, -1, {65535, 0, 32768}, -5};
    EXPECT_TRUE(equalBorderSpec(roundTrip('B', border, "s-4t-1r65535g0b32768p-5"), border));
    const RGBColor color{65535, 0, 32768};
    EXPECT_TRUE(equalRGBColor(roundTrip('C', color, "r65535g0b32768"), color));
    const HeightSpec height{-1, INT32_MIN};
    EXPECT_TRUE(equalHeightSpec(roundTrip('H', height, "h-1v-2147483648"), height));
    const LongPoint longPoint{INT32_MIN, INT32_MAX};
    const LongPoint longBack = roundTrip('O', longPoint, "v-2147483648h2147483647");
    EXPECT_EQ(longBack.v, longPoint.v);
    EXPECT_EQ(longBack.h, longPoint.h);
    const ShortPoint shortPoint{-20, 15};
    const ShortPoint shortBack = roundTrip('P', shortPoint, "v-20h15");
    EXPECT_EQ(shortBack.v, -20);
    EXPECT_EQ(shortBack.h, 15);
    const LongRect longRect{-1, -2, -3, INT32_MIN};
    EXPECT_TRUE(equalLongRect(roundTrip('Q', longRect, "t-1l-2b-3r-2147483648"), longRect));
    const ShortRect shortRect{-32768, 32767, -1, 0};
    const ShortRect shortRectBack = roundTrip('R', shortRect, "t-32768l32767b-1r0");
    EXPECT_EQ(std::memcmp(&shortRectBack, &shortRect, sizeof shortRect), 0);
    const ShadingSpec shading{-3, {1, 2, 3}, {65535, 65534, 0}};
    EXPECT_TRUE(equalShadingSpec(roundTrip('S', shading, "t-3r1g2b3s65535h65534c0"), shading));
    const RevisionMark revision{-9, -1, -2, -1234567};
    EXPECT_TRUE(equalRevisionMark(roundTrip('V', revision, "i-9t-1a-2d-1234567"), revision));
    const WidthSpec width{-1, INT32_MIN};
    EXPECT_TRUE(equalWidthSpec(roundTrip('W', width, "t-1w-2147483648"), width));
    const FontFaceSpec face{-5, INT32_MAX};
    const FontFaceSpec faceBack = roundTrip('t', face, "a-5r2147483647");
    EXPECT_EQ(faceBack.a, -5);
    EXPECT_EQ(faceBack.r, INT32_MAX);
}

// Every character class, control bytes and non-ASCII text included.
std::string everyCharacterClass() {
    std::string text;
    for (int c = 1; c < 128; ++c) text += static_cast<char>(c);
    return text + "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // é € 😀
}

TEST_F(ValueElement, TextsKeepEveryCharacterAndStoreOnlySafeOnes) {
    const std::string text = everyCharacterClass();
    element.writeValues(nullptr, 0, "k %s", text.c_str());
    const std::string form = stored();
    for (const char c : form) {
        const bool safe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          std::strchr(" !#+,-./:=@\\_|%", c) != nullptr;
        EXPECT_TRUE(safe) << "stored character " << static_cast<int>(c);
    }
    char back[512] = {};
    element.readValues(nullptr, nullptr, "k %s", back);
    EXPECT_EQ(std::string(back), text);

    element.writeValues(nullptr, 0, "k %s", "a<b> \xC3\xA9+");
    EXPECT_EQ(stored(), "a%3Cb%3E %C3%A9+");

    std::uint8_t pascalText[256] = {};
    std::uint8_t source[256] = {5, 'p', '+', 'q', 0xC3, 0xA9};
    element.writeValues(nullptr, 0, "k %p", source);
    EXPECT_EQ(stored(), "p+q%C3%A9");
    element.readValues(nullptr, nullptr, "k %p", pascalText);
    EXPECT_EQ(std::memcmp(pascalText, source, 6), 0);
}

TEST_F(ValueElement, HeapTextsCarryNullAndGrowTheirBuffers) {
    char* text = duplicateCString("held before");
    element.writeValues(nullptr, 0, "k %r", nullptr);
    EXPECT_EQ(stored(), "%01%02%03");
    element.readValues(nullptr, nullptr, "k %r", &text);
    EXPECT_EQ(text, nullptr);

    element.writeValues(nullptr, 0, "k %r", "");
    element.readValues(nullptr, nullptr, "k %r", &text);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "");

    // A variable whose buffer is smaller than the text gets a buffer that holds it.
    const std::string longer(300, 'x');
    element.writeValues(nullptr, 0, "k %r", longer.c_str());
    element.readValues(nullptr, nullptr, "k %r", &text);
    EXPECT_EQ(std::string(text), longer);
    freeMemory(text);
}

TEST_F(ValueElement, TextsAreCutToTheirTargetOnACharacterBoundary) {
    element.writeValues(nullptr, 0, "k %s", "a\xC3\xA9");
    char three[3] = {'?', '?', '?'};
    element.readValues(nullptr, nullptr, "k %s", three);
    EXPECT_STREQ(three, "a");
    char four[4] = {};
    element.readValues(nullptr, nullptr, "k %s", four);
    EXPECT_STREQ(four, "a\xC3\xA9");

    const std::string long300(300, 'y');
    element.writeValues(nullptr, 0, "k %s", long300.c_str());
    std::uint8_t pascalText[256] = {};
    element.readValues(nullptr, nullptr, "k %p", pascalText);
    EXPECT_EQ(pascalText[0], 254);
}

// A field code of 511 bytes that all need an escape is three times as long once stored.
TEST_F(ValueElement, AFullFieldCodeOfEscapedBytesRoundTripsWhole) {
    XField field{};
    std::memset(field.fldData, '<', sizeof field.fldData - 1);
    field.dirty = -1;
    writeRecordKeys(element, kXFieldTable, &field, false);
    EXPECT_EQ(stored("XField_fldData").size(), 511u * 3);
    XField back{};
    readRecordKeys(element, kXFieldTable, &back);
    EXPECT_TRUE(equalXField(back, field));
}

// Each attribute row of every table, at the extremes of its type, through the table-driven core.
TEST_F(ValueElement, EveryAttributeRowOfEveryTableRoundTrips) {
    for (const RecordTable* table : allRecordTables()) {
        std::vector<std::max_align_t> sourceBlock(table->size / sizeof(std::max_align_t) + 1);
        std::vector<std::max_align_t> backBlock(sourceBlock.size());
        void* source = sourceBlock.data();
        void* back = backBlock.data();
        std::memset(source, 0, table->size);
        std::memset(back, 0, table->size);
        unsigned seed = 0x80;
        for (const FieldSpec& row : table->fields) {
            if (row.storage != FieldStorage::kAttribute) continue;
            auto* at = static_cast<char*>(fieldAddress(row, source));
            if (row.letter == 's') {
                // Whole characters that need escapes, up to the field's last byte.
                std::string text;
                while (text.size() + 3 <= row.size - 1) text += (text.size() % 2 == 0) ? "\xC3\xA9<" : "%";
                std::memcpy(at, text.data(), text.size());
            } else if (row.letter == 'd') {
                setIntegerField(row, source, INT16_MIN);
            } else if (row.letter == 'l') {
                setIntegerField(row, source, INT32_MIN);
            } else if (row.letter == 'u') {
                setIntegerField(row, source, UINT32_MAX);
            } else {
                recordwalk::fillPattern(at, row.size, seed);  // change masks and value records
                seed += 17;
            }
        }
        writeRecordKeys(element, *table, source, false);
        readRecordKeys(element, *table, back);
        for (const FieldSpec& row : table->fields) {
            if (row.storage == FieldStorage::kAttribute) {
                EXPECT_TRUE(equalField(row, source, back)) << table->name << "." << row.name;
            }
        }
        xmlNode* fresh = xmlNewDocNode(storage.getDocument(), nullptr, reinterpret_cast<const xmlChar*>("E"), nullptr);
        xmlAddChild(storage.rootStream()->getNode(), fresh);
        element.setNode(fresh);
    }
}

// A tree built in memory can hold one name many times: the first attribute of the name is the key's,
// however many follow it.
TEST_F(ValueElement, AKeyRepeatedManyTimesReadsItsFirstAttribute) {
    // Made through the library directly, so every copy is a library attribute in document order.
    xmlNewProp(element.getNode(), reinterpret_cast<const xmlChar*>("XField_dirty"),
               reinterpret_cast<const xmlChar*>("1"));
    for (int i = 0; i < 200; ++i) {
        xmlNewProp(element.getNode(), reinterpret_cast<const xmlChar*>("XField_dirty"),
                   reinterpret_cast<const xmlChar*>("7"));
    }
    XField back{};
    readRecordKeys(element, kXFieldTable, &back);
    EXPECT_EQ(back.dirty, 1);
}

TEST_F(ValueElement, ForeignNumbersReadAsFarAsTheirDigitsGoWithinTheirTarget) {
    struct Case { char letter; const char* text; std::int64_t expected; };
    const Case cases[] = {
        {'d', "12x", 12},          {'d', "abc", 0},          {'d', "", 0},
        {'d', "70000", 32767},     {'d', "-70000", -32768},  {'l', "99999999999", INT32_MAX},
        {'l', "-99999999999", INT32_MIN},                    {'u', "-5", 5},
        {'u', "5000000000", UINT32_MAX},                     {'h', "ff", 0},
        {'h', "1F", 31},           {'b', "102", 2},
    };
    for (const auto& c : cases) {
        setStored("k", c.text);
        const std::string format = keyOf(c.letter);
        if (c.letter == 'd') {
            std::int16_t value = 99;
            element.readValues(nullptr, nullptr, format.c_str(), &value);
            EXPECT_EQ(value, c.expected) << c.letter << " " << c.text;
        } else if (c.letter == 'l') {
            std::int32_t value = 99;
            element.readValues(nullptr, nullptr, format.c_str(), &value);
            EXPECT_EQ(value, c.expected) << c.letter << " " << c.text;
        } else {
            std::uint32_t value = 99;
            element.readValues(nullptr, nullptr, format.c_str(), &value);
            EXPECT_EQ(value, c.expected) << c.letter << " " << c.text;
        }
    }

    RGBColor color{9, 9, 9};
    setStored("k", "r7");
    element.readValues(nullptr, nullptr, "k %C", &color);
    EXPECT_TRUE(equalRGBColor(color, RGBColor{7, 0, 0}));
    setStored("k", "r70000g-5b1");
    element.readValues(nullptr, nullptr, "k %C", &color);
    EXPECT_TRUE(equalRGBColor(color, RGBColor{65535, 5, 1}));
    RevisionMark revision{};
    setStored("k", "i1t2a3d4e5f6");
    element.readValues(nullptr, nullptr, "k %V", &revision);
    EXPECT_TRUE(equalRevisionMark(revision, RevisionMark{1, 2, 3, 4}));
    BorderSpec border{};
    setStored("k", "s4t-1r0g0b0p0");
    element.readValues(nullptr, nullptr, "k %B", &border);
    EXPECT_EQ(border.borderType, -1);

    // Sub-values go by their place between key letters, however the letters are repeated or left out.
    struct ColorCase { const char* text; RGBColor expected; };
    const ColorCase colorCases[] = {
        {"rr7gg8", {7, 8, 0}},          {"7g8b9", {7, 8, 9}},     {"r12x3g4", {12, 4, 0}},
        {"r-g5", {0, 5, 0}},            {"r--4g+2b3", {0, 0, 3}}, {"gbr", {0, 0, 0}},
        {"r000000000000000000000000000000000000000042g1", {42, 1, 0}},
        {"r99999999999999999999999999999999999999999g1", {65535, 1, 0}},
    };
    for (const ColorCase& c : colorCases) {
        setStored("k", c.text);
        RGBColor read{9, 9, 9};
        element.readValues(nullptr, nullptr, "k %C", &read);
        EXPECT_TRUE(equalRGBColor(read, c.expected)) << c.text << ": " << read.red << " " << read.green << " " << read.blue;
    }
}

TEST_F(ValueElement, KeyListsWalkPairsAndStopAtAMalformedOne) {
    element.writeValues(nullptr, 0, "a %d b %d c %d", 1, 2, 3);

    // A missing attribute leaves its target alone; the following pairs still get theirs.
    std::int16_t missing = 7, a = 0;
    element.readValues(nullptr, nullptr, "missing %d a %d", &missing, &a);
    EXPECT_EQ(missing, 7);
    EXPECT_EQ(a, 1);

    // A last name without a directive, and a directive of three characters, end the walk.
    std::int16_t first = 0, second = 0, third = 0;
    element.readValues(nullptr, nullptr, "a %d b", &first, &second);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    first = 0;
    element.readValues(nullptr, nullptr, "a %d b %dd c %d", &first, &second, &third);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(third, 0);

    // Only the directive's second character counts; a letter that is no value letter takes no argument.
    element.readValues(nullptr, nullptr, "  b  $d   x %z c %d", &second, &third);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(third, 3);
}

TEST_F(ValueElement, AnArgumentThatDoesNotSuitItsLetterIsRefused) {
    element.writeValues(nullptr, 0, "k %d", 1);
    std::int32_t wide = 0;
    char* heap = nullptr;
    std::int16_t narrow = 0;
    const BorderSpec border{};
    const std::function<void()> misuses[] = {
        [&] { element.readValues(nullptr, nullptr, "k %d", &wide); },
        [&] { element.readValues(nullptr, nullptr, "k %s", &heap); },
        [&] { element.readValues(nullptr, nullptr, "k %d k %d", &narrow); },
        [&] { element.writeValues(nullptr, 0, "k %d", 40000); },
        [&] { element.writeValues(nullptr, 0, "k %s", nullptr); },
        [&] { element.writeValues(nullptr, 0, "k %C", border); },
        [&] { element.writeValues(nullptr, 0, "k %u", -1LL - UINT32_MAX); },
    };
    for (const auto& misuse : misuses) {
        const CFail failure = failureOf(misuse);
        EXPECT_EQ(failure.error, result::kNullObject);
        EXPECT_STREQ(failure.fileName, "BStorage");
    }
    EXPECT_EQ(heap, nullptr);
}

}  // namespace

namespace {

// Story text is stored in one pass from its UTF-16 units; it must give the very bytes that the general
// path (UTF-8 first, then the storage's %-encoding) gives, for every kind of unit.
TEST(StoredUnits, EncodeAsTheUtf8PathDoes) {
    std::u16string everyAscii;
    for (char16_t unit = 0; unit < 128; ++unit) everyAscii += unit;
    const std::u16string texts[] = {
        u"",
        everyAscii,
        u"plain text, 100% \"quoted\" +signs\t\r",
        u"\u00e9\u20ac caf\u00e9 \u0416\u0438\u0437\u043d\u044c \u4e2d\u6587",
        u"pair \U0001F600 and pair at the end \U0001F600",
        std::u16string(u"lone high \xD83D then ASCII, lone low \xDE00 alone, high at the end \xD83D"),
        std::u16string(u"\xDE00\xD83D", 2),  // the halves in the wrong order
        std::u16string(u"nul \0 inside", 12),
    };
    for (const std::u16string& text : texts)
        EXPECT_EQ(encodeStoredUnits(text), encodeStoredText(utf16ToUtf8String(text))) << text.size() << " units";

    // Every unit value once, in blocks that mix the ranges.
    std::u16string everyUnit;
    for (std::uint32_t unit = 0; unit <= 0xFFFF; unit += 7) everyUnit += static_cast<char16_t>(unit);
    EXPECT_EQ(encodeStoredUnits(everyUnit), encodeStoredText(utf16ToUtf8String(everyUnit)));
}

}  // namespace

// The AppleWorks reader on small files of our own: a valid file of each family loads, and each kind of
// damage fails the file with its code (or is cut where the result stays sound), never reading or writing
// outside a block. Run under the sanitizers, these are the checks that nothing strays.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "foundation/CFail.h"
#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/file/AppleWorksFileReader.h"
#include "import/appleworks/file/PageRecords.h"
#include "model/params/ParamBlockTables.h"
#include "model/tables/XFont.h"
#include "model/params/XParamBlock.h"
#include "tests/import/appleworks/AppleWorksTestSupport.h"
#include "platform/process/AllocationFailure.h"
#include "tests/import/appleworks/AppleWorksFileBuilder.h"
#include "tests/support/PictureFixtures.h"

using namespace appleworks;
using namespace awfixture;

namespace {

// 0 when the file loads, else the failure's code.
std::int32_t loadCode(const AppleWorksFamily& family, const std::string& file) {
    ParamBlock block;
    AppleWorksDocument document(family, &block.block);
    try {
        document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
    } catch (const CFail& failure) {
        return failure.error;
    }
    return 0;
}

FileBuilder sample(const AppleWorksFamily& family) {
    FileBuilder builder{family};
    builder.zones = {textZone("The quick brown fox"), ""};
    builder.sections = styleSection(family, {{0, "Helvetica"}, {16384 + 3, "Osaka"}, {5, "Wingdings"}});
    return builder;
}

class BothFamilies : public ::testing::TestWithParam<const AppleWorksFamily*> {};

TEST_P(BothFamilies, SampleLoadsWithTextFontsAndDefaultColours) {
    const AppleWorksFamily& family = *GetParam();
    const std::string file = sample(family).build();
    ParamBlock block;
    AppleWorksDocument document(family, &block.block);
    document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));

    EXPECT_EQ(document.documentKind(), 1);
    ASSERT_EQ(document.zoneCount(), 2);
    EXPECT_EQ(document.zoneKind(1), zonekind::kText);
    EXPECT_EQ(document.zoneKind(2), -1);  // a position without a zone
    EXPECT_TRUE(document.zoneAt(0).empty());
    EXPECT_TRUE(document.zoneAt(3).empty());
    const TextBlockEntry entry = document.textBlockAt(document.zoneAt(1), 0);
    const BlockView text = document.block(entry.text);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text.bytes(0, text.size())), 19), "The quick brown fox");
    EXPECT_EQ(document.textBlockAt(document.zoneAt(1), 1).text, kNoBlock);

    ASSERT_EQ(document.fontMapCount(), 3);
    EXPECT_STREQ(getFont(document.fontMapEntry(1)->docFontId, &block.block)->fontPCName, "Helvetica");
    EXPECT_EQ(document.fontMapEntry(1)->textEncoding, 0);
    EXPECT_EQ(document.fontMapEntry(2)->textEncoding, 1);  // font number 0x4003: script 1
    EXPECT_EQ(document.fontMapEntry(3)->textEncoding, kSymbolTextEncoding);
    EXPECT_EQ(document.fontMapEntry(4), nullptr);
    EXPECT_EQ(document.fontMapEntry(0), nullptr);

    EXPECT_TRUE(document.hasDefaultColors());
    EXPECT_EQ(document.colorCount(), 256);
    RGBColor color{};
    ASSERT_TRUE(document.colorAt(16, color));
    EXPECT_EQ(color.red, 0xFFFF);
    EXPECT_EQ(color.blue, 0xCCCC);
    ASSERT_TRUE(document.colorAt(255, color));
    EXPECT_EQ(color.green, 0x1111);
    EXPECT_FALSE(document.colorAt(256, color));
    EXPECT_FALSE(document.colorAt(-1, color));

    EXPECT_EQ(AppleWorksFileReader(family, bytesOf(file), static_cast<std::int32_t>(file.size())).readDocumentKind(), 1);
}

// A text zone of three pages whose last page record carries a slot: its block follows the zone's other
// blocks and is read, so the next zone is found where it stands.
std::string pagedTextZone(const std::string& text) {
    std::string data(54 + 3 * 30, '\0');
    data[12] = 1;
    put16(data, 0, 3);
    put32(data, 20, static_cast<std::uint32_t>(text.size()));
    put16(data, 24, 1);
    put32(data, 54 + 30, 5);
    put32(data, 54 + 60, 12);
    put32(data, 54 + 60 + 24, 1);  // the last page's slot
    std::string entries(10, '\0');
    put16(entries, 4, static_cast<std::uint16_t>(text.size()));
    return be32(0x44534554u) + block(data) + emptyBlock() + emptyBlock() + emptyBlock() + block(entries) +
           block(text) + emptyBlock() + block("page block");
}

TEST_P(BothFamilies, TheLastPageRecordsBlockIsReadBeforeTheNextZone) {
    const AppleWorksFamily& family = *GetParam();
    FileBuilder builder{family};
    builder.zones = {pagedTextZone("One. Two. Three."), textZone("Next")};
    builder.sections = styleSection(family, {{0, "Helvetica"}});
    const std::string file = builder.build();
    AppleWorksDocument document(family, nullptr);
    document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
    ASSERT_EQ(document.zoneKind(2), zonekind::kText);
    const BlockView next = document.block(document.textBlockAt(document.zoneAt(2), 0).text);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(next.bytes(0, next.size())), 4), "Next");
    const BlockView pages = document.zoneAt(1);
    EXPECT_EQ(pageRecordCount(pages), 3);
    EXPECT_EQ(pageStartPosition(pages, 2), 12);
    const BlockView slotBlock = document.block(pages.slot(54 + 60 + 24));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(slotBlock.bytes(0, slotBlock.size())), 10), "page block");
}

TEST_P(BothFamilies, RefusesTheOtherVersionAndFilesWithoutSignature) {
    const AppleWorksFamily& family = *GetParam();
    FileBuilder builder = sample(family);
    builder.version = family.version == 5 ? 6 : 5;
    const std::string otherVersion = builder.build();
    std::string unsigned_ = sample(family).build();
    unsigned_[5] = 'X';
    for (const std::string& file : {otherVersion, unsigned_}) {
        EXPECT_EQ(AppleWorksFileReader(family, bytesOf(file), static_cast<std::int32_t>(file.size())).readDocumentKind(), -1);
        EXPECT_EQ(loadCode(family, file), kBadFile);
    }
}

// A colour table of the file is used as it is; a count beyond its entries is cut to what it holds.
TEST_P(BothFamilies, ColourTableCountIsCutToItsEntries) {
    FileBuilder builder = sample(*GetParam());
    builder.colorTable = colorTableBlock({0x102030, 0xFF0000}, 40000);
    const std::string file = builder.build();
    ParamBlock block;
    AppleWorksDocument document(*GetParam(), &block.block);
    document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
    EXPECT_FALSE(document.hasDefaultColors());
    EXPECT_EQ(document.colorCount(), 2);
    RGBColor color{};
    ASSERT_TRUE(document.colorAt(0, color));
    EXPECT_EQ(color.red, 0x1010);
    EXPECT_EQ(color.blue, 0x3030);
    EXPECT_FALSE(document.colorAt(2, color));
}

struct Damage {
    const char* what;
    std::function<std::string(const AppleWorksFamily&)> file;
    std::int16_t code;
};

std::string withTail(const AppleWorksFamily& family, const std::string& tail) {
    FileBuilder builder = sample(family);
    builder.ending = tail;
    return builder.build();
}

const Damage kDamages[] = {
    {"file cut inside the document record", [](const AppleWorksFamily& f) { return sample(f).build().substr(0, 100); }, kBadFile},
    {"file cut inside a zone", [](const AppleWorksFamily& f) {
         const std::string whole = sample(f).build();
         return whole.substr(0, whole.size() - 200);
     }, kBadFile},
    {"zone block longer than the file", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.zones = {be32(0x44534554u) + be32(0x7FFFFFF0u)};
         return builder.build();
     }, kBadFile},
    {"zone data too short for its kind byte", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.zones = {be32(0x44534554u) + block(std::string(11, '\0'))};
         return builder.build();
     }, kBadFile},
    {"text zone too short for its slots", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         std::string data(20, '\0');
         data[12] = 1;
         builder.zones = {be32(0x44534554u) + block(data)};
         return builder.build();
     }, kBadFile},
    {"text block count beyond its entries is cut", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         std::string zone = textZone("abc");
         put16(zone, 8 + 24, 0xFFFF);  // the count at zone offset 24, after the tag and the length
         builder.zones = {zone};
         return builder.build();
     }, 0},
    {"end marker missing", [](const AppleWorksFamily& f) { return withTail(f, ""); }, kBadFile},
    {"end marker damaged in its first words", [](const AppleWorksFamily& f) {
         std::string marker = endMarker();
         marker[5] = 0;
         return withTail(f, marker);
     }, kBadFile},
    {"end marker whose last word differs, as AppleWorks 6 writes it", [](const AppleWorksFamily& f) {
         return withTail(f, endMarker().substr(0, 12) + be32(0x6A23E7A3u));
     }, 0},
    {"offset of the document data beyond the file", [](const AppleWorksFamily& f) {
         std::string file = sample(f).build();
         const std::size_t at = 20 + (f.hasSizedRecord ? 76 + 4 + 242 + 2 : 324) + 7 * 4;
         put32(file, at, 0x7FFFFFFFu);
         return file;
     }, kBadFile},
    {"header copies beyond the file", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.headerCopies = 30000;
         std::string file = builder.build();
         return file.substr(0, 4000);
     }, kBadFile},
    {"header copy count with its sign bit set skips nothing", [](const AppleWorksFamily& f) {
         std::string file = sample(f).build();
         put16(file, 20, 0x8000);
         return file;
     }, 0},
    {"spreadsheet column whose last row lies before its first", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.kind = 2;
         builder.zones = {spreadsheetZone(f, 10, 5, 2)};
         return builder.build();
     }, 0},
    {"spreadsheet column whose row count wraps 16 bits", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.kind = 2;
         builder.zones = {spreadsheetZone(f, -32768, 32767, 2)};
         return builder.build();
     }, 0},
    {"unknown section with a block longer than the file", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.sections = be32(0x51515151u) + be32(0xFFFFFFF0u);
         return builder.build();
     }, kBadFile},
    {"table-of-contents length below its own head", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.sections = be32(0x4554424Cu) + be32(0);
         return builder.build();
     }, kBadFile},
    {"style root too short for its slots", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         builder.sections = be32(0x5354594Cu) + std::string(8, '\0') + block(std::string(20, '\0'));
         return builder.build();
     }, kBadFile},
    {"font list whose count claims more entries than it holds", [](const AppleWorksFamily& f) {
         FileBuilder builder = sample(f);
         std::string section = styleSection(f, {{0, "Geneva"}});
         put16(section, section.size() - 16 - 68, 500);
         builder.sections = section;
         return builder.build();
     }, 0},
};

TEST_P(BothFamilies, DamagedFilesFailWithTheirCode) {
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.what);
        const std::string file = damage.file(*GetParam());
        EXPECT_EQ(loadCode(*GetParam(), file), damage.code);
    }
}

// Version 6 only: its variable-length record piece and its sized record.
TEST(AppleWorks6Reader, SizedRecordAndVariablePiece) {
    FileBuilder builder = sample(kAppleWorks6);
    builder.variablePiece = std::string(7, 'x');  // moves the kind byte 7 bytes on in the file
    builder.sizedRecordLength = 1100;              // 54 bytes beyond the kept 1046
    std::string file = builder.build();
    EXPECT_EQ(file[100 + 7 + 178], 1);
    ParamBlock block;
    AppleWorksDocument document(kAppleWorks6, &block.block);
    document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
    EXPECT_EQ(document.documentKind(), 1);
    EXPECT_EQ(document.sizedRecord().size(), kSizedRecordCapacity);
    EXPECT_EQ(document.sizedRecord().u16(0), 1100);
    EXPECT_EQ(document.block(document.record().slot(76)).size(), 7);

    builder.sizedRecordLength = 1;  // shorter than its own length field
    EXPECT_EQ(loadCode(kAppleWorks6, builder.build()), kBadFile);
}

// A picture object carries the type its bytes have: PNG only when they were turned into PNG, the type of
// the bytes kept when they could not be, and no picture for bytes of no known type.
TEST(AppleWorks6Reader, PictureObjectIsMarkedWithTheTypeItsBytesHave) {
    using picturefixtures::Bytes;
    const auto text = [](const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); };
    struct Case {
        const char* what;
        std::string picture;
        std::uint8_t type;
        bool keptAsIs;
    };
    const std::string wmf = text(picturefixtures::placeableWmfPicture(0, 0, 100, 50, 1440));
    const Case cases[] = {
        {"GIF, converted", text(picturefixtures::gifPicture(4, 3)), 9, false},
        {"metafile, kept", wmf, 11, true},
        {"unknown bytes", "not a picture at all", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string record(46, '\0');
        record[0] = 18;
        FileBuilder builder = sample(kAppleWorks6);
        builder.zones = {drawingZone(kAppleWorks6, {{record, be32(0x5154494Du) + be32(0) + be32(0) + block(c.picture)}})};
        const std::string file = builder.build();
        ParamBlock block;
        AppleWorksDocument document(kAppleWorks6, &block.block);
        document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
        const BlockView objects = document.zoneAt(1);
        EXPECT_EQ(objects.u8(84 + 38), c.type);
        const BlockView picture = document.block(objects.slot(84 + 30));
        if (c.type == 0) {
            EXPECT_TRUE(picture.empty());
            continue;
        }
        ASSERT_FALSE(picture.empty());
        const std::string bytes(reinterpret_cast<const char*>(picture.bytes(0, picture.size())),
                                static_cast<std::size_t>(picture.size()));
        if (c.keptAsIs) {
            EXPECT_EQ(bytes, c.picture);
        } else {
            EXPECT_EQ(bytes.substr(1, 3), "PNG");
        }
    }
}

// Every allocation of a load, failed in turn, gives CFail 12 (or the document without its default colours)
// and nothing leaks; the sanitizer run checks the leaks.
TEST_P(BothFamilies, EachFailedAllocationFailsCleanly) {
    FileBuilder builder = sample(*GetParam());
    builder.zones.push_back(spreadsheetZone(*GetParam(), 1, 3, 3));
    const std::string file = builder.build();
    for (std::int64_t n = 1;; ++n) {
        ParamBlock block;
        AppleWorksDocument document(*GetParam(), &block.block);
        std::int32_t code = 0;
        std::int64_t counted = 0;
        {
            // Nothing of the test itself allocates while the switch is armed.
            platform::ScopedAllocationFailure failure(n);
            try {
                document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
            } catch (const CFail& error) {
                code = error.error;
            }
            counted = platform::allocationsCountedSinceArmed();
        }
        if (code == 0 && counted < n) break;  // every allocation has had its turn
        EXPECT_TRUE(code == 0 || code == result::kOutOfMemory) << "allocation " << n << " gave " << code;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, BothFamilies, ::testing::Values(&kAppleWorks5, &kAppleWorks6),
                         [](const auto& family) { return std::string("AppleWorks") + std::to_string(family.param->version); });

}  // namespace

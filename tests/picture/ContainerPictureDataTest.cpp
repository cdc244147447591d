// Fetching the bytes of a container's picture: w:binData text, v:imagedata and a:blip relationships.
#include <gtest/gtest.h>

#include <string>

#include "picture/PictureDetection.h"
#include "picture/containers/ContainerName.h"
#include "picture/containers/ContainerPictureData.h"
#include "tests/picture/ContainerTestSupport.h"

namespace {

using containertest::base64Of;
using containertest::bytesOf;
using containertest::Container;
using containertest::FolderPackage;
using picturefixtures::Bytes;

std::string binData(const Bytes& bytes, const std::string& name = "wordml://1.png") {
    const std::string attribute = name.empty() ? "" : " w:name=\"" + name + "\"";
    return "<w:binData" + attribute + ">" + base64Of(bytes) + "</w:binData>";
}

TEST(ContainerPictureData, BinDataByIndexAndTheFirstMatchEndsTheSearch) {
    const Bytes first = picturefixtures::pngPicture(2, 2);
    const Bytes second = picturefixtures::pngPicture(3, 3);
    const Bytes third = picturefixtures::pngPicture(5, 5);
    const Container container("<w:pict>" + binData(first) + binData(second) + binData(third) + "</w:pict>");
    const struct {
        std::int16_t index;
        const Bytes& expected;
    } cases[] = {{0, first}, {1, second}, {2, third}};
    for (const auto& c : cases) {
        FetchedPicture fetched;
        fetchContainerPicture(container.element(), nullptr, fetched, c.index);
        EXPECT_EQ(bytesOf(fetched.data, fetched.length), c.expected) << "index " << c.index;
        EXPECT_EQ(fetched.info.type, picturetype::kPng);
        EXPECT_EQ(fetched.name, "wordml://1.png");
    }
}

TEST(ContainerPictureData, BinDataInsideTheShapeOrThroughAGroup) {
    const Bytes png = picturefixtures::pngPicture(6, 4);
    for (const std::string& pict :
         {"<w:pict><v:shape id=\"s\">" + binData(png) + "<v:imagedata src=\"wordml://1.png\"/></v:shape></w:pict>",
          "<w:pict><v:group id=\"g\"><v:shape id=\"s\">" + binData(png) + "</v:shape></v:group></w:pict>"}) {
        FetchedPicture fetched;
        fetchContainerPicture(Container(pict).element(), nullptr, fetched, 0);
        EXPECT_EQ(bytesOf(fetched.data, fetched.length), png) << pict;
    }
}

TEST(ContainerPictureData, BinDataWithoutANameIsDecodedButNotTyped) {
    const Bytes png = picturefixtures::pngPicture(6, 4);
    FetchedPicture fetched;
    fetchContainerPicture(Container("<w:pict>" + binData(png, "") + "</w:pict>").element(), nullptr, fetched, 0);
    EXPECT_EQ(bytesOf(fetched.data, fetched.length), png);
    EXPECT_EQ(fetched.info.type, 0);
    EXPECT_EQ(fetched.info.width, 0);
}

TEST(ContainerPictureData, LongBinDataNameIsKeptWhole) {
    const std::string name = "wordml://" + std::string(400, 'n') + ".png";
    FetchedPicture fetched;
    fetchContainerPicture(Container("<w:pict>" + binData(picturefixtures::pngPicture(2, 2), name) + "</w:pict>").element(),
                          nullptr, fetched, 0);
    EXPECT_EQ(fetched.name, name);
}

TEST(ContainerPictureData, ImageDataRelationshipIsUsedWithoutBinData) {
    const Bytes jpeg = picturefixtures::jpegPicture(8, 8);
    FolderPackage package({{"rId3", jpeg}});
    FetchedPicture fetched;
    fetchContainerPicture(Container("<w:pict><v:shape id=\"s\"><v:imagedata r:id=\"rId3\"/></v:shape></w:pict>").element(),
                          package.relationships(), fetched, 0);
    EXPECT_EQ(bytesOf(fetched.data, fetched.length), jpeg);
    EXPECT_EQ(fetched.info.type, picturetype::kJpeg);
    EXPECT_EQ(fetched.name, "media/image1.bin");
}

TEST(ContainerPictureData, ObjectWithoutMeasuredSizeTakesItsOriginalSize) {
    FolderPackage package({{"rId3", Bytes{1, 2, 3, 4, 5, 6, 7, 8}}});
    FetchedPicture fetched;
    fetchContainerPicture(Container("<w:object w:dxaOrig=\"1440\" w:dyaOrig=\"720\"><v:shape id=\"s\">"
                                    "<v:imagedata r:id=\"rId3\"/></v:shape></w:object>")
                              .element(),
                          package.relationships(), fetched, 0);
    EXPECT_EQ(fetched.info.width, 1440);
    EXPECT_EQ(fetched.info.height, 720);
}

TEST(ContainerPictureData, UnknownBlipLeavesThePictureAsItWas) {
    FolderPackage package({{"rId3", picturefixtures::pngPicture(2, 2)}});
    const Container container(
        "<w:drawing><wp:inline><pic:pic><pic:blipFill><a:blip r:embed=\"rId99\"/></pic:blipFill></pic:pic>"
        "</wp:inline></w:drawing>");
    FetchedPicture fetched;
    fetchContainerPicture(container.element(), package.relationships(), fetched, 0);
    EXPECT_EQ(fetched.data, nullptr);
    EXPECT_EQ(fetched.length, 0);
    EXPECT_EQ(fetched.info.type, 0);
    // Without a package nothing resolves either.
    fetchContainerPicture(container.element(), nullptr, fetched, 0);
    EXPECT_EQ(fetched.data, nullptr);
}

TEST(ContainerName, NameOfEachContainerKind) {
    const struct {
        const char* container;
        const char* name;  // null: none
    } cases[] = {
        {"<w:pict><v:group id=\"g\"><v:shape id=\"s\"/></v:group></w:pict>", "g"},
        {"<w:pict><v:group><v:shape id=\"s\"/></v:group></w:pict>", nullptr},
        {"<w:pict><v:shapetype id=\"t\"/><v:shape/><v:oval id=\"o\"/></w:pict>", "o"},
        {"<w:pict><w:binData w:name=\"n\" id=\"b\"/></w:pict>", "b"},
        {"<w:object><v:line id=\"l\"/><w:binData id=\"b\"/></w:object>", "l"},
        {"<w:drawing><wp:anchor><wp:docPr id=\"12\"/></wp:anchor></w:drawing>", "12"},
        {"<w:drawing><wp:inline><wp:docPr name=\"x\"/></wp:inline></w:drawing>", nullptr},
        {"<w:pict/>", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> name = vmlContainerKind(Container(c.container).element());
        if (c.name == nullptr) {
            EXPECT_FALSE(name.has_value()) << c.container;
        } else {
            EXPECT_EQ(name.value_or("(none)"), c.name) << c.container;
        }
    }
}

}  // namespace

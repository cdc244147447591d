#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "model/records/PictureOwnership.h"
#include "model/storage/CStorage.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/storage/StorageTestSupport.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using storagetest::failureOf;

std::uint8_t* heapBytes(const std::vector<std::uint8_t>& bytes) {
    auto* block = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(bytes.size())));
    std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

// A picture with every member set: binary bytes over several base64 lines and a shape text.
void fill(CPicture& picture) {
    picture.fName = duplicateCString("rId7 \xC3\xA9<");
    picture.fFlag = 1;
    picture.fType = 9;
    picture.fRect = {-10, 20, 200, 400};
    picture.fOriginalRect = {0, 0, 2000, 4000};
    picture.fCropRect = {65536, -1, 0, INT32_MIN};
    std::vector<std::uint8_t> bytes(200);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    picture.fPicData = heapBytes(bytes);
    picture.fPicLength = 200;
    const std::string shape = "{\\shp{\\*\\shpinst\\shpleft0}}";
    picture.fRtfData = heapBytes(std::vector<std::uint8_t>(shape.begin(), shape.end()));
    picture.fRtfLength = static_cast<std::int32_t>(shape.size());
}

void expectSame(const CPicture& actual, const CPicture& expected) {
    EXPECT_TRUE(equalCString(actual.fName, expected.fName));
    EXPECT_TRUE(equalCString(actual.fLink, expected.fLink));
    EXPECT_EQ(actual.fFlag, expected.fFlag);
    EXPECT_EQ(actual.fType, expected.fType);
    EXPECT_TRUE(equalLongRect(actual.fRect, expected.fRect));
    EXPECT_TRUE(equalLongRect(actual.fOriginalRect, expected.fOriginalRect));
    EXPECT_TRUE(equalLongRect(actual.fCropRect, expected.fCropRect));
    ASSERT_EQ(actual.fPicLength, expected.fPicLength);
    ASSERT_EQ(actual.fRtfLength, expected.fRtfLength);
    EXPECT_EQ(actual.fPicData == nullptr, expected.fPicData == nullptr);
    EXPECT_EQ(actual.fRtfData == nullptr, expected.fRtfData == nullptr);
    if (expected.fPicLength > 0) {
        EXPECT_EQ(std::memcmp(actual.fPicData, expected.fPicData, expected.fPicLength), 0);
    }
    if (expected.fRtfLength > 0) {
        EXPECT_EQ(std::memcmp(actual.fRtfData, expected.fRtfData, expected.fRtfLength), 0);
    }
}

std::string attribute(CStream& element, const char* name) {
    std::string value;
    EXPECT_TRUE(attributeValue(element.getNode(), name, value)) << name;
    return value;
}

TEST(CPicture, APictureWrittenToAnElementReadsBackEqual) {
    CStorage storage(nullptr, storagemode::kWrite);
    CPicture picture;
    fill(picture);
    CStream element(storage.rootStream(), "Picture000001", 1);
    EXPECT_EQ(picture.writeToStorage(&element), 0);

    EXPECT_EQ(attribute(element, "fName"), "rId7 %C3%A9%3C");
    EXPECT_EQ(attribute(element, "fLink"), "%01%02%03");
    EXPECT_EQ(attribute(element, "fType"), "9");
    EXPECT_EQ(attribute(element, "fCropRect"), "t65536l-1b0r-2147483648");
    CStream data(&element, "PIC-DATA", 0);
    char* text = nullptr;
    std::int32_t length = 0;
    data.getText(&text, &length);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text).substr(80, 2), "\r\n");
    EXPECT_EQ(std::string(text).substr(static_cast<std::size_t>(length) - 2), "\r\n");
    freeMemory(text);

    const CPicture back(&element);
    expectSame(back, picture);
}

TEST(CPicture, APictureSurvivesASavedStorage) {
    testsupport::TemporaryFolder folder;
    CPicture picture;
    fill(picture);
    {
        storagetest::FileStorage written(folder.file("pictures.xml"), storagemode::kWrite);
        CStream element(written.root(), "Picture000001", 1);
        picture.writeToStorage(&element);
        written.storage->save();
    }
    storagetest::FileStorage read(folder.file("pictures.xml"), storagemode::kRead);
    CStream element(read.root(), "Picture000001", 0);
    expectSame(CPicture(&element), picture);
}

TEST(CPicture, MissingDataChildrenGiveNoDataAndNoFailure) {
    CStorage storage(nullptr, storagemode::kWrite);
    CPicture empty;
    CStream attributesOnly(storage.rootStream(), "Picture000001", 1);
    EXPECT_EQ(empty.writeToStorage(&attributesOnly), 0);
    EXPECT_EQ(attributesOnly.getNode()->children, nullptr);
    expectSame(CPicture(&attributesOnly), empty);

    // A picture bullet with shape text and no bytes.
    CPicture shapeOnly;
    fill(shapeOnly);
    freeMemory(shapeOnly.fPicData);
    shapeOnly.fPicLength = 0;
    CStream withShape(storage.rootStream(), "Picture000002", 1);
    shapeOnly.writeToStorage(&withShape);
    expectSame(CPicture(&withShape), shapeOnly);

    // Reading into a picture that held data replaces it with none.
    CPicture full;
    fill(full);
    EXPECT_EQ(full.readFromStorage(&attributesOnly), 0);
    EXPECT_EQ(full.fPicData, nullptr);
    EXPECT_EQ(full.fPicLength, 0);
    EXPECT_EQ(full.fRtfData, nullptr);
    EXPECT_EQ(full.readFromStorage(nullptr), result::kNullObject);
}

TEST(CPicture, ACopyOwnsCopiesOfEverything) {
    CPicture source;
    fill(source);
    source.fLink = duplicateCString("next box");
    const CPicture copy(source);
    expectSame(copy, source);
    EXPECT_NE(copy.fName, source.fName);
    EXPECT_NE(copy.fPicData, source.fPicData);

    CPicture lengthless;
    fill(lengthless);
    lengthless.fPicLength = 0;
    const CPicture noBytes(lengthless);
    EXPECT_EQ(noBytes.fPicData, nullptr);
    EXPECT_EQ(noBytes.fPicLength, 0);
}

// Each of the five allocations of a clone (the object, two texts, two blocks), failed in turn: a clean CFail 12 of "BPicture" and nothing leaked.
TEST(CPicture, LackingMemoryForACloneFailsCleanly) {
    CPicture source;
    fill(source);
    source.fLink = duplicateCString("link");
    for (int n = 1; n <= 5; ++n) {
        CPicture* clone = nullptr;
        const CFail failure = failureOf([&] {
            platform::ScopedAllocationFailure lacking(n);
            clone = clonePicture(&source);
        });
        EXPECT_EQ(failure.error, result::kOutOfMemory) << n;
        EXPECT_STREQ(failure.fileName, "BPicture") << n;
        EXPECT_EQ(clone, nullptr);
        disposePicture(clone);
    }
    CPicture* clone = clonePicture(&source);
    expectSame(*clone, source);
    disposePicture(clone);
}

}  // namespace

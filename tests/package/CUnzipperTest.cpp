#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/PascalWString.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/encoding/Utf8Codec.h"
#include "package/CUnzipper.h"
#include "package/ZipFileCallbacks.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using testsupport::ZipBuilder;

constexpr const char* kDocument = "<w:document xmlns:w=\"urn:x\"><w:body/></w:document>";

PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

CUnzipper openPackage(const testsupport::TemporaryFolder& folder, const std::string& name) {
    return CUnzipper(pascal(name), pascal(folder.path()));
}

struct Extracted {
    std::int16_t code;
    std::string bytes;
    bool bufferNull;
};

Extracted extract(CUnzipper& zip, const char* member) {
    void* buffer = reinterpret_cast<void*>(1);
    std::int32_t size = -1;
    const std::int16_t code = zip.extractMember(member, &buffer, &size);
    Extracted out{code, buffer ? std::string(static_cast<const char*>(buffer), static_cast<std::size_t>(size)) : "",
                  buffer == nullptr};
    if (buffer) {
        EXPECT_EQ(memorySize(buffer), size);
    }
    freeMemory(buffer);
    return out;
}

// The member read through its stream in pieces of an odd size: the bytes handed out, and the code of the
// failure raised (0 for none).
Extracted stream(CUnzipper& zip, const char* member) {
    Extracted out{0, "", false};
    try {
        std::unique_ptr<PartByteStream> part = zip.openMemberStream(member);
        char piece[70001];
        while (const std::int32_t read = part->read(piece, sizeof piece)) out.bytes.append(piece, static_cast<std::size_t>(read));
    } catch (const CFail& failure) {
        out.code = failure.error;
    }
    return out;
}

class ZipReading : public ::testing::Test {
protected:
    void TearDown() override { useWideApi = 1; }
    testsupport::TemporaryFolder folder;
};

TEST_F(ZipReading, ReadsMembersOfAPackageBuiltHereOnBothPathForms) {
    // Larger than one read step, and of little redundancy, as a picture is.
    std::string big(3 << 20, '\0');
    std::uint32_t state = 12345;
    for (char& c : big) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    ZipBuilder zip(folder.file("doc.docx"));
    zip.add("word/document.xml", kDocument);
    zip.add("word/media/big.bin", big);
    ASSERT_TRUE(zip.close());
    for (std::int16_t wide : {1, 0}) {
        useWideApi = wide;
        CUnzipper package = openPackage(folder, "doc.docx");
        EXPECT_EQ(extract(package, "word/document.xml").bytes, kDocument);
        const Extracted large = extract(package, "word/media/big.bin");
        EXPECT_EQ(large.code, 0);
        EXPECT_TRUE(large.bytes == big);
        // Streamed, the large member is inflated ahead on a thread; the bytes are the same.
        const Extracted streamed = stream(package, "word/media/big.bin");
        EXPECT_EQ(streamed.code, 0);
        EXPECT_TRUE(streamed.bytes == big);
        EXPECT_EQ(stream(package, "word/document.xml").bytes, kDocument);
        // Members are read again and again from one open package.
        EXPECT_EQ(extract(package, "word/document.xml").code, 0);
    }
}

TEST_F(ZipReading, MissingOrDifferentlyCasedMembersAndEmptyOnesFail) {
    ZipBuilder zip(folder.file("doc.docx"));
    zip.add("word/document.xml", kDocument);
    zip.add("word/empty.xml", "");
    ASSERT_TRUE(zip.close());
    CUnzipper package = openPackage(folder, "doc.docx");
    const std::pair<const char*, std::int16_t> cases[] = {
        {"word/missing.xml", -100}, {"Word/Document.xml", -100}, {"word/empty.xml", 22}};
    for (const auto& [member, code] : cases) {
        const Extracted out = extract(package, member);
        EXPECT_EQ(out.code, code) << member;
        EXPECT_TRUE(out.bufferNull) << member;
        EXPECT_EQ(stream(package, member).code, code) << member;
    }
    EXPECT_EQ(extract(package, nullptr).code, 22);
    EXPECT_EQ(stream(package, nullptr).code, 22);
}

TEST_F(ZipReading, APackageThatIsMissingTruncatedOrNoZipRaisesTwelve) {
    ZipBuilder zip(folder.file("whole.docx"));
    zip.add("word/document.xml", std::string(5000, 'x'));
    ASSERT_TRUE(zip.close());
    const std::string whole = testsupport::readBytes(folder.file("whole.docx"));
    ASSERT_TRUE(testsupport::writeBytes(folder.file("cut.docx"), whole.substr(0, whole.size() / 2)));
    ASSERT_TRUE(testsupport::writeBytes(folder.file("text.docx"), "PK but not a zip at all"));
    for (const char* name : {"absent.docx", "cut.docx", "text.docx"}) {
        try {
            openPackage(folder, name);
            ADD_FAILURE() << name << " opened";
        } catch (const CFail& failure) {
            EXPECT_EQ(failure.error, 12) << name;
            EXPECT_STREQ(failure.fileName, "BUnzip");
        }
    }
}

// Members whose stored sizes or checksums lie, as a damaged or hostile package has them.
TEST_F(ZipReading, DamagedAndHostileMembersFailWithTheirCodes) {
    const std::string text = "hello, package";
    const std::string zeros(20 << 20, '\0');
    const std::string zerosDeflated = testsupport::deflateRaw(zeros);
    ZipBuilder zip(folder.file("hostile.docx"));
    zip.addRaw("bad-crc.xml", Z_DEFLATED, testsupport::deflateRaw(text), text.size(), testsupport::crcOf(text) ^ 1);
    zip.addRaw("short.xml", 0, text, text.size() + 10, testsupport::crcOf(text));
    // Claims five gigabytes.
    zip.addRaw("claims-huge.bin", Z_DEFLATED, zerosDeflated, std::uint64_t{5} << 30, 0);
    // Claims a modest size, but far more than 1000 times its compressed bytes.
    zip.addRaw("claims-ratio.bin", 0, std::string(100, 'z'), 1000 * 100 + 1, 0);
    // Claims a small size while its data inflates to twenty megabytes: only the claimed bytes are
    // inflated, and they do not match the checksum of the whole.
    zip.addRaw("inflates-big.bin", Z_DEFLATED, zerosDeflated, 4096, testsupport::crcOf(zeros));
    // Large enough to be inflated ahead on a thread: the checksum fails only at the end.
    std::string noise(2 << 20, '\0');
    std::uint32_t state = 777;
    for (char& c : noise) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    zip.addRaw("bad-crc-big.bin", Z_DEFLATED, testsupport::deflateRaw(noise), noise.size(), testsupport::crcOf(noise) ^ 1);
    ASSERT_TRUE(zip.close());
    CUnzipper package = openPackage(folder, "hostile.docx");
    const std::pair<const char*, std::int16_t> cases[] = {{"bad-crc.xml", -105},
                                                          {"short.xml", 22},
                                                          {"claims-huge.bin", 22},
                                                          {"claims-ratio.bin", 22},
                                                          {"inflates-big.bin", -105},
                                                          {"bad-crc-big.bin", -105}};
    for (const auto& [member, code] : cases) {
        const Extracted out = extract(package, member);
        EXPECT_EQ(out.code, code) << member;
        EXPECT_TRUE(out.bufferNull) << member;
        // The stream raises the same code, where the whole read would have answered it.
        EXPECT_EQ(stream(package, member).code, code) << member;
    }
    // Nothing was unpacked beside the package.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(ZipReading, FileCallbacksAnswerWhatReallyHappened) {
    ASSERT_TRUE(testsupport::writeBytes(folder.file("ten.bin"), "0123456789"));
    const std::u16string path = utf8ToUtf16String(folder.file("ten.bin"));
    const char* opaquePath = reinterpret_cast<const char*>(path.c_str());
    EXPECT_EQ(zipFileOpen(nullptr, opaquePath, ZLIB_FILEFUNC_MODE_WRITE), nullptr);
    EXPECT_EQ(zipFileOpen(nullptr, nullptr, ZLIB_FILEFUNC_MODE_READ), nullptr);
    voidpf stream = zipFileOpen(nullptr, opaquePath, ZLIB_FILEFUNC_MODE_READ | ZLIB_FILEFUNC_MODE_EXISTING);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(zipFileSeek(nullptr, stream, 4, ZLIB_FILEFUNC_SEEK_SET), 0);
    EXPECT_EQ(zipFileSeek(nullptr, stream, 1, 3), -1);  // no such origin: the position stays
    EXPECT_EQ(zipFileTell(nullptr, stream), 4);
    // Before the start of the file: refused, and the zip library hears so.
    EXPECT_EQ(zipFileSeek(nullptr, stream, static_cast<uLong>(-20), ZLIB_FILEFUNC_SEEK_CUR), -1);
    EXPECT_EQ(zipFileTell(nullptr, stream), 4);
    char bytes[8] = {};
    EXPECT_EQ(zipFileRead(nullptr, stream, bytes, sizeof bytes), 6u);  // what there is, no more
    EXPECT_EQ(std::string(bytes, 6), "456789");
    // Back to bytes read already, which a package's directory reading does all the time.
    EXPECT_EQ(zipFileSeek(nullptr, stream, 2, ZLIB_FILEFUNC_SEEK_SET), 0);
    EXPECT_EQ(zipFileRead(nullptr, stream, bytes, 3), 3u);
    EXPECT_EQ(std::string(bytes, 3), "234");
    EXPECT_EQ(zipFileTell(nullptr, stream), 5);
    EXPECT_EQ(zipFileSeek(nullptr, stream, static_cast<uLong>(-3), ZLIB_FILEFUNC_SEEK_END), 0);
    EXPECT_EQ(zipFileTell(nullptr, stream), 7);
    EXPECT_EQ(zipFileClose(nullptr, stream), 0);
    EXPECT_EQ(zipFileOpen(nullptr, reinterpret_cast<const char*>(u"/no/such/package.docx"), ZLIB_FILEFUNC_MODE_READ),
              nullptr);
}

}  // namespace

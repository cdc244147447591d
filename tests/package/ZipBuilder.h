#pragma once
// Builds zip packages for tests with the zip library's own writer, so that every package a test reads,
// the broken ones included, is made in the test's temporary folder and none is checked in.
#include <minizip/zip.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace testsupport {

class ZipBuilder {
public:
    explicit ZipBuilder(const std::string& path);
    ~ZipBuilder();
    ZipBuilder(const ZipBuilder&) = delete;
    ZipBuilder& operator=(const ZipBuilder&) = delete;

    // A member compressed by the library, with true sizes and checksum.
    void add(const std::string& name, std::string_view data);
    // A member whose bytes are stored as given (method 0 stored, 8 deflated) with whatever size and
    // checksum the test claims, as a damaged or hostile archive would.
    void addRaw(const std::string& name, int method, std::string_view bytes, std::uint64_t claimedSize,
                std::uint32_t claimedCrc);
    // Writes the central directory; true when the whole archive was written.
    bool close();

private:
    zipFile archive;
    bool healthy = true;
};

// The raw deflate stream of the data (no zlib header), as a zip member holds it.
std::string deflateRaw(std::string_view data);
std::uint32_t crcOf(std::string_view data);

}  // namespace testsupport

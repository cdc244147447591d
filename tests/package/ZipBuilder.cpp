#include "tests/package/ZipBuilder.h"

#include <zlib.h>

namespace testsupport {

ZipBuilder::ZipBuilder(const std::string& path) : archive(zipOpen64(path.c_str(), APPEND_STATUS_CREATE)) {
    healthy = archive != nullptr;
}

ZipBuilder::~ZipBuilder() {
    if (archive) zipClose(archive, nullptr);
}

void ZipBuilder::add(const std::string& name, std::string_view data) {
    if (!archive) return;
    zip_fileinfo info{};
    healthy = healthy &&
              zipOpenNewFileInZip64(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                    Z_DEFAULT_COMPRESSION, 0) == ZIP_OK &&
              zipWriteInFileInZip(archive, data.data(), static_cast<unsigned>(data.size())) == ZIP_OK &&
              zipCloseFileInZip(archive) == ZIP_OK;
}

void ZipBuilder::addRaw(const std::string& name, int method, std::string_view bytes, std::uint64_t claimedSize,
                        std::uint32_t claimedCrc) {
    if (!archive) return;
    zip_fileinfo info{};
    healthy = healthy &&
              zipOpenNewFileInZip2_64(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method, 0, 1,
                                      claimedSize >= 0xffffffffu ? 1 : 0) == ZIP_OK &&
              zipWriteInFileInZip(archive, bytes.data(), static_cast<unsigned>(bytes.size())) == ZIP_OK &&
              zipCloseFileInZipRaw64(archive, claimedSize, claimedCrc) == ZIP_OK;
}

bool ZipBuilder::close() {
    if (!archive) return false;
    const bool closed = zipClose(archive, nullptr) == ZIP_OK;
    archive = nullptr;
    return healthy && closed;
}

std::string deflateRaw(std::string_view data) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::uint32_t crcOf(std::string_view data) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

}  // namespace testsupport

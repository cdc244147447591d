#include "app/settings/RecentFilesFile.h"

#include "foundation/FailureCode.h"

namespace {
constexpr char16_t kLineFeed = 10;
constexpr char16_t kCarriageReturn = 13;
// Far above any path; a larger file is not a recent-files list.
constexpr std::uint64_t kLargestFile = 16u << 20;
}  // namespace

std::vector<std::u16string> readRecentFilesFile(const platform::NativePath& path) {
    std::vector<std::u16string> paths;
    platform::FileHandle file = platform::kNoFile;
    if (platform::openFile(path, true, false, file) != result::kSuccess) return paths;
    std::uint64_t size = 0;
    std::string bytes;
    if (platform::fileSize(file, size) == result::kSuccess && size <= kLargestFile) {
        bytes.resize(static_cast<std::size_t>(size));
        std::int32_t read = 0;
        if (platform::readFile(file, bytes.data(), static_cast<std::int32_t>(bytes.size()), read) != result::kSuccess) read = 0;
        bytes.resize(static_cast<std::size_t>(read));
    }
    platform::closeFile(file);
    std::u16string line;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        if (unit != kLineFeed) {
            line += unit;
            continue;
        }
        if (!line.empty() && line.back() == kCarriageReturn) line.pop_back();
        if (!line.empty()) paths.push_back(line);
        line.clear();
    }
    if (!line.empty()) paths.push_back(line);
    return paths;
}

bool writeRecentFilesFile(const platform::NativePath& path, const std::vector<std::u16string>& paths) {
    std::string bytes;
    for (const std::u16string& entry : paths) {
        for (const char16_t unit : entry + u"\r\n") {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
    }
    platform::createNewFile(path);
    platform::FileHandle file = platform::kNoFile;
    if (platform::openFile(path, true, true, file) != result::kSuccess) return false;
    bool written = platform::setFileLength(file, 0) == result::kSuccess;
    if (written && !bytes.empty()) {
        written = platform::writeFile(file, bytes.data(), static_cast<std::int32_t>(bytes.size())) == result::kSuccess;
    }
    platform::closeFile(file);
    return written;
}

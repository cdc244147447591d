#include "fuzz/MemoryFile.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/text/PascalWString.h"
#include "platform/files/FileSystem.h"

MemoryFile::MemoryFile(std::span<const std::uint8_t> bytes)
    : CFile(makePascal(u"fuzz-input.xml"), kAnyFileCode, kAnyFileCode, 0, 0, kGenericRead, kGenericRead),
      contents(bytes) {}

std::int16_t MemoryFile::open() {
    return result::kSuccess;
}

std::int16_t MemoryFile::close() {
    return result::kSuccess;
}

std::int16_t MemoryFile::getSize(std::uint32_t& size) {
    size = static_cast<std::uint32_t>(contents.size());
    return result::kSuccess;
}

// The storage reads its whole document from the start; any other request is refused as a real file would
// refuse a read past its end.
std::int16_t MemoryFile::read(void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset) {
    if (origin != kFromStart || offset < 0 || count < 0 ||
        static_cast<std::size_t>(offset) + static_cast<std::size_t>(count) > contents.size()) {
        return platform::error::kEndOfFile;
    }
    if (count > 0) std::memcpy(buffer, contents.data() + offset, static_cast<std::size_t>(count));
    return result::kSuccess;
}

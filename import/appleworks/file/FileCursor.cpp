#include "import/appleworks/file/FileCursor.h"

#include "foundation/CFail.h"
#include "import/appleworks/file/AppleWorksFamily.h"
#include "import/appleworks/file/BlockTable.h"

namespace appleworks {

void FileCursor::seek(std::int64_t offset) {
    if (offset < 0 || offset > size) throwFail(kBadFile, __LINE__, kUnit);
    at = static_cast<std::int32_t>(offset);
}

void FileCursor::skip(std::int64_t count) {
    seek(static_cast<std::int64_t>(at) + count);
}

const std::uint8_t* FileCursor::take(std::int64_t count) {
    if (count < 0 || count > remaining()) throwFail(kBadFile, __LINE__, kUnit);
    const std::uint8_t* start = data + at;
    at += static_cast<std::int32_t>(count);
    return start;
}

std::uint8_t FileCursor::readU8() {
    return *take(1);
}

std::uint16_t FileCursor::readU16() {
    return loadBigEndian16(take(2));
}

std::uint32_t FileCursor::readU32() {
    return loadBigEndian32(take(4));
}

}  // namespace appleworks

#include "export/CodePageConversion.h"

#include <limits>

#include "foundation/CFail.h"
#include "foundation/encoding/CUnicode.h"
#include "foundation/memory/Memory.h"

namespace {

// No charset the writers use takes more than four bytes for one UTF-16 unit, so an area of four bytes
// per unit always holds the whole run.
constexpr std::int64_t kBytesPerUnit = 4;

}  // namespace

CodePageConversion::~CodePageConversion() {
    freeMemory(area);
}

std::int32_t CodePageConversion::convert(std::int32_t textEncoding, const char16_t* text, std::int32_t length) {
    if (length < 0 || (text == nullptr && length > 0)) throwFail(result::kNullObject, __LINE__, unit);
    if (length == 0) return 0;
    reserve(kBytesPerUnit * length);
    CUnicode converter(textEncoding, CUnicode::kFromUtf16);
    return converter.convert(text, 2 * length, area, capacity);
}

void CodePageConversion::reserve(std::int64_t wanted) {
    if (wanted <= capacity) return;
    if (wanted > std::numeric_limits<std::int32_t>::max()) throwFail(result::kOutOfMemory, __LINE__, unit);
    // The old bytes are not kept: every conversion fills the area afresh.
    freeMemory(area);
    capacity = 0;
    area = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(wanted)));
    throwIfNull(area, __LINE__, unit);
    capacity = static_cast<std::int32_t>(wanted);
}

#include "picture/shapes/ShapeText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/RtfEscaping.h"

namespace {
constexpr const char* kUnit = "BPicture";
constexpr std::int64_t kMinimumGrowth = 1024;

std::string escapedValueText(std::string_view utf8Value) {
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        std::string escaped = rtfEscapedUtf8(utf8Value);
        // Its first letter as a hexadecimal escape: a reader still reads the same text, the RTF writer
        // no longer sees a marker.
        for (std::size_t at = escaped.find(kTextBoxMarkerStart); at != std::string::npos;
             at = escaped.find(kTextBoxMarkerStart, at + 1)) {
            escaped.replace(at, 1, "\\'55");
        }
        return escaped;
    });
}

}  // namespace

ShapeText::~ShapeText() {
    freeMemory(fBlock);
}

const char* ShapeText::text() const {
    return fBlock != nullptr ? fBlock : "";
}

void ShapeText::reserveFor(std::int64_t extra) {
    const std::int64_t needed = static_cast<std::int64_t>(fLength) + extra + 1;
    if (needed <= fCapacity) return;
    const std::int64_t grown = static_cast<std::int64_t>(fCapacity) + std::max(needed, kMinimumGrowth);
    if (grown > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    void* block = resizeMemory(fBlock, static_cast<std::int32_t>(grown));
    throwIfNull(block, __LINE__, kUnit);
    fBlock = static_cast<char*>(block);
    fCapacity = static_cast<std::int32_t>(grown);
}

void ShapeText::append(std::string_view piece) {
    if (piece.empty()) return;
    reserveFor(static_cast<std::int64_t>(piece.size()));
    std::memcpy(fBlock + fLength, piece.data(), piece.size());
    fLength += static_cast<std::int32_t>(piece.size());
    fBlock[fLength] = '\0';
}

void ShapeText::cutBack(std::int32_t length) {
    if (length < 0 || length >= fLength) return;
    fLength = length;
    fBlock[fLength] = '\0';
}

char* ShapeText::takeOver() {
    if (fLength == 0) return nullptr;
    char* block = fBlock;
    fBlock = nullptr;
    fLength = 0;
    fCapacity = 0;
    return block;
}

void ShapeText::appendFormatted(const char* format, va_list values) {
    va_list measuring;
    va_copy(measuring, values);
    const int needed = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (needed <= 0) return;
    // The piece is formatted straight into the grown block: there is no work area to overrun.
    reserveFor(needed);
    std::vsnprintf(fBlock + fLength, static_cast<std::size_t>(needed) + 1, format, values);
    fLength += needed;
}

void appendToShapeText(ShapeText& text, const char* format, ...) {
    va_list values;
    va_start(values, format);
    try {
        text.appendFormatted(format, values);
    } catch (...) {
        va_end(values);
        throw;
    }
    va_end(values);
}

// The group is made whole before it is appended: a lack of memory leaves no half group behind.
void appendProperty(ShapeText& propertyText, const char* name, std::string_view value) {
    const std::string group = raisingOutOfMemory(__LINE__, kUnit, [&] {
        return std::string("{\\sp{\\sn ") + name + "}{\\sv " + escapedValueText(value) + "}}";
    });
    propertyText.append(group);
}

void appendProperty(ShapeText& propertyText, const char* name, std::int64_t value) {
    appendToShapeText(propertyText, "{\\sp{\\sn %s}{\\sv %lld}}", name, static_cast<long long>(value));
}

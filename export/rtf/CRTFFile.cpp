#include "export/rtf/CRTFFile.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "export/rtf/text/CRTFUnicode.h"
#include "export/rtf/text/RTFPlainFormat.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";
constexpr std::uint32_t kBodyFileType = fourCharCode("temp");
constexpr std::int32_t kCopyPiece = 32768;
// Gathered bytes are written once there are this many.
constexpr std::size_t kFlushSize = 65536;
// Most formatted writes fit here; longer ones are formatted again into a buffer of their size.
constexpr std::size_t kFormatRoom = 2048;

}  // namespace

CRTFFile::CRTFFile(XParamBlock* block, CFile* output, RTFStoryPlacer* placer)
    : block(block), output(output), placer(placer) {
    createBodyFile();
}

void CRTFFile::createBodyFile() {
    constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;
    body = new (std::nothrow) CFile(kBodyFileType, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    throwIfNull(body, __LINE__, kUnit);
    std::int16_t code = body->create(1);
    if (code == 0) {
        code = body->open();
        if (code != 0) body->remove();
    }
    if (code != 0) {
        disposeObject(body);
        throwFail(code, __LINE__, kUnit);
    }
}

CRTFFile::~CRTFFile() {
    // The body is a scratch file: it never outlives the emitter, whether the document was finished or not.
    if (body != nullptr) body->remove();
    disposeObject(body);
}

const char* CRTFFile::numberText(std::int16_t value) {
    static char text[8];
    if (value == -1) {
        text[0] = 0;
    } else {
        std::snprintf(text, sizeof text, "%d", value);
    }
    return text;
}

void CRTFFile::writeFormat(const char* format, ...) {
    char text[kFormatRoom];
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    // The emitter's own forms skip vsnprintf; any other goes through it below.
    const int plain = formatPlainVa(text, sizeof text, format, arguments);
    va_end(arguments);
    if (plain >= 0) {
        va_end(again);
        writeBytes(text, plain);
        return;
    }
    va_list general;
    va_copy(general, again);
    const int length = std::vsnprintf(text, sizeof text, format, general);
    va_end(general);
    if (length < 0) {
        va_end(again);
        throwFail(result::kNullObject, __LINE__, kUnit);
    }
    if (static_cast<std::size_t>(length) < sizeof text) {
        va_end(again);
        writeBytes(text, length);
        return;
    }
    std::vector<char> longText;
    try {
        longText.resize(static_cast<std::size_t>(length) + 1);
    } catch (const std::bad_alloc&) {
        va_end(again);
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    std::vsnprintf(longText.data(), longText.size(), format, again);
    va_end(again);
    writeBytes(longText.data(), length);
}

void CRTFFile::writeText(const char16_t* units, std::int32_t count, std::int32_t textEncoding) {
    if (units == nullptr || count <= 0) return;
    if (!textConverter || textConverterEncoding != textEncoding) {
        textConverter.reset();
        raisingOutOfMemory(__LINE__, kUnit, [&] { textConverter = std::make_unique<CRTFUnicode>(textEncoding); });
        textConverterEncoding = textEncoding;
    }
    CRTFUnicode& converter = *textConverter;
    // The header line declares one fallback byte, and every text write starts in its own run group.
    std::int16_t fallbackState = 1;
    std::string escaped;
    char bytes[CRTFUnicode::kRoom];
    raisingOutOfMemory(__LINE__, kUnit, [&] {
        escaped.reserve(static_cast<std::size_t>(count) * 2);
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int16_t n = converter.escapeUnit(units[i], bytes, CRTFUnicode::kRoom, fallbackState);
            escaped.append(bytes, static_cast<std::size_t>(n));
        }
    });
    writeBytes(escaped.data(), static_cast<std::int32_t>(escaped.size()));
}

void CRTFFile::writeBytes(const void* bytes, std::int32_t count) {
    if (count <= 0) return;
    raisingOutOfMemory(__LINE__, kUnit,
                       [&] { pending.append(static_cast<const char*>(bytes), static_cast<std::size_t>(count)); });
    if (pending.size() >= kFlushSize) flush();
}

void CRTFFile::flush() {
    if (pending.empty()) return;
    CFile* destination = toOutput == 1 ? output : body;
    throwIfNull(destination, __LINE__, kUnit);
    // What was gathered goes whether the write succeeds or not: a failed write fails the document.
    const std::int16_t code =
        destination->write(pending.data(), static_cast<std::int32_t>(pending.size()), kFromCurrent, 0);
    pending.clear();
    throwIfError(code, __LINE__, kUnit);
}

void CRTFFile::writeDocumentStart() {
    flush();
    toOutput = 1;
    writeFormat("{\\rtf1\\ansi\\uc%d\\deff0\\deflang%d\r\n", 1, selectLanguageByHint(block->form));
}

void CRTFFile::writeDocumentEnd() {
    endSection();
    writeFormat("}\r\n");
    flush();
}

void CRTFFile::finishHeader() {}

void CRTFFile::copyBody() {
    throwIfNull(output, __LINE__, kUnit);
    flush();
    void* piece = allocMemory(kCopyPiece);
    throwIfNull(piece, __LINE__, kUnit);
    const std::int16_t code = failureCode([&] {
        std::uint32_t size = 0;
        throwIfError(body->getSize(size), __LINE__, kUnit);
        throwIfError(body->seek(kFromStart, 0), __LINE__, kUnit);
        while (size > 0) {
            const auto n = static_cast<std::int32_t>(size < kCopyPiece ? size : kCopyPiece);
            throwIfError(body->read(piece, n, kFromCurrent, 0), __LINE__, kUnit);
            throwIfError(output->write(piece, n, kFromCurrent, 0), __LINE__, kUnit);
            size -= static_cast<std::uint32_t>(n);
        }
    });
    freeMemory(piece);
    throwIfError(code, __LINE__, kUnit);
}

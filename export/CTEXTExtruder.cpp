#include "export/CTEXTExtruder.h"

#include <new>

#include "export/CTEXTFormat.h"
#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/memory/Memory.h"
#include "model/story/StoryKinds.h"

namespace {

constexpr const char* kUnit = "BL_TEXT(exp)";
constexpr std::uint32_t kStyleResourceType = fourCharCode("styl");
constexpr std::int16_t kStyleResourceId = 128;
constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;
constexpr std::uint8_t kSlash = '/';

// What a control code of the story text becomes in plain text; 0 drops it.
std::uint8_t plainTextOf(std::uint8_t code) {
    switch (code) {
        case storycode::kLineBreak:
        case storycode::kColumnBreak:
        case storycode::kPageBreak:
        case storycode::kSectionBreak:
        case storycode::kParagraphEnd:
        case storycode::kCellEnd:
            return kCR;
        case storycode::kTab:
            return storycode::kTab;
        case storycode::kOptionalHyphen:
            return kSlash;
        default:
            return 0;
    }
}

}  // namespace

CTEXTExtruder::CTEXTExtruder(CFile* file, std::int64_t* byteCount)
    : format(new (std::nothrow) CTEXTFormat()), pending(kUnit), file(file), count(byteCount) {
    *count = 0;
}

CTEXTExtruder::~CTEXTExtruder() {
    disposeObject(format);
}

void CTEXTExtruder::writeRun(const std::uint8_t* bytes, std::int32_t length, const XForm& form, const XRule& rule) {
    endedParagraph = false;
    if (format != nullptr) {
        const TextStyleKey key = CTEXTFormat::makeStyleKey(rule, form);
        if (format->isNewStyle(key)) format->addStyle(key, *count);
    }
    writeBytes(bytes, length);
}

void CTEXTExtruder::writeBytes(const std::uint8_t* bytes, std::int32_t length) {
    for (std::int32_t index = 0; index < length; ++index) {
        std::uint8_t byte = bytes[index];
        if (byte < 0x20) {
            if (byte == storycode::kParagraphEnd) endedParagraph = true;
            byte = plainTextOf(byte);
        }
        if (byte == 0) continue;
        putByte(byte);
        if (byte == kCR) putByte(kLF);
    }
}

void CTEXTExtruder::putByte(std::uint8_t byte) {
    pending.put(byte);
    ++*count;
}

void CTEXTExtruder::flush() {
    pending.flush(file);
    endedParagraph = false;
}

void CTEXTExtruder::flushFullBlock() {
    if (pending.fillsBlock()) flush();
}

void CTEXTExtruder::storeStyleTable() {
    if (format == nullptr || file == nullptr) return;
    throwIfError(format->storeStyleResource(*file, kStyleResourceType, kStyleResourceId), __LINE__, kUnit);
}

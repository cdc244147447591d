#include "engine/export/parameters/BackgroundReader.h"

#include <cstring>

#include "engine/export/parameters/RequiredElement.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "model/params/ParamBlockHost.h"

namespace {
constexpr const char* kUnit = "BEngineExp";

// A block of the memory layer, freed when the holder goes.
template <typename T>
struct HeapBlock {
    T* bytes = nullptr;
    std::int32_t length = 0;
    HeapBlock() = default;
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    ~HeapBlock() { freeMemory(bytes); }
};
}  // namespace

void readBackground(CStream& documentElement, XParamBlock& block) {
    RequiredElement background(documentElement, "BACKGROUND");
    background->readValues(nullptr, nullptr, "backLength %l", &block.backgroundLength);
    if (block.backgroundLength <= 0 || block.backgroundText == nullptr) return;
    HeapBlock<char> encoded;
    background->getText(&encoded.bytes, &encoded.length);
    HeapBlock<std::uint8_t> decoded;
    base64Decode(encoded.bytes != nullptr ? encoded.bytes : "", encoded.length, &decoded.bytes, &decoded.length);
    if (decoded.length >= kTaskSideBufferBytes) throwFail(result::kNullObject, __LINE__, kUnit);
    if (decoded.length > 0) std::memcpy(block.backgroundText, decoded.bytes, static_cast<std::size_t>(decoded.length));
    block.backgroundText[decoded.length] = '\0';
}

#include "model/tables/CFontArray.h"

#include <bitset>
#include <cstring>

#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextCompare.h"

namespace {

constexpr const char* kUnit = "BCommon";
// Random draws before the free ids are searched for directly: with a nearly full table a draw rarely
// hits a free id, and each miss costs a walk over the table.
constexpr int kRandomDraws = 64;

}  // namespace

CFontArray::CFontArray() : CArray(0, kPointerItemSize) {}

CFontArray::~CFontArray() {
    freeOwnedBlocks();
}

std::int16_t CFontArray::add(const XFont& font) {
    XFont given;
    copyXFont(&given, &font);
    terminateFontTexts(&given);
    const std::int16_t found = findByName(given.fontPCName);
    if (found != 0) return found;
    given.fontUniqueID = drawFreeId();
    auto* copy = static_cast<XFont*>(allocMemory(static_cast<std::int32_t>(sizeof(XFont))));
    throwIfNull(copy, __LINE__, kUnit);
    copyXFont(copy, &given);
    appendOwnedBlock(copy);
    return given.fontUniqueID;
}

std::int16_t CFontArray::findByName(const char* name) const {
    if (name == nullptr) return 0;
    for (std::int32_t i = 1; i <= count; ++i) {
        const XFont* font = pointerAt<const XFont>(i);
        if (font == nullptr) continue;
        // A record read from elsewhere may fill its name field to the end; compare only what lies inside.
        char stored[kFontNameBytes];
        std::memcpy(stored, font->fontPCName, sizeof stored);
        stored[kFontNameBytes - 1] = '\0';
        if (compareText(stored, name, 0) == 0) return font->fontUniqueID;
    }
    return 0;
}

XFont* CFontArray::findById(std::int16_t id) const {
    for (std::int32_t i = 1; i <= count; ++i) {
        XFont* font = pointerAt<XFont>(i);
        if (font != nullptr && font->fontUniqueID == id) return font;
    }
    return nullptr;
}

std::int32_t CFontArray::numberFonts() {
    for (std::int32_t i = 1; i <= count; ++i) {
        XFont* font = pointerAt<XFont>(i);
        if (font != nullptr) font->fontRTFNumber = static_cast<std::int16_t>(i - 1);
    }
    return count;
}

XFont* CFontArray::get(std::int32_t index) const {
    return pointerAt<XFont>(index);
}

// A random id that no font has. After a few unlucky draws the free ids are looked for from the last
// draw on, so a full table fails with 22 instead of drawing forever.
std::int16_t CFontArray::drawFreeId() const {
    std::int16_t id = 1;
    for (int draw = 0; draw < kRandomDraws; ++draw) {
        id = static_cast<std::int16_t>(randomInRange(1, kMaxFontId));
        if (findById(id) == nullptr) return id;
    }
    std::bitset<kMaxFontId + 1> taken;
    for (std::int32_t i = 1; i <= count; ++i) {
        const XFont* font = pointerAt<const XFont>(i);
        if (font != nullptr && font->fontUniqueID > 0) taken.set(static_cast<std::size_t>(font->fontUniqueID));
    }
    for (std::int32_t step = 0; step < kMaxFontId; ++step) {
        const std::int32_t candidate = (id - 1 + step) % kMaxFontId + 1;
        if (!taken.test(static_cast<std::size_t>(candidate))) return static_cast<std::int16_t>(candidate);
    }
    throwFail(result::kNullObject, __LINE__, kUnit);
}

#include "engine/export/parameters/FontTableReader.h"

#include <cstring>

#include "engine/export/parameters/RequiredElement.h"
#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/records/RecordKeys.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CFontArray.h"
#include "model/tables/DocumentRecordTables.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
}

void readFontTable(CStream& documentElement, XParamBlock& block) {
    throwIfNullObject(block.fonts, __LINE__, kUnit);
    RequiredElement fonts(documentElement, "FONTS");
    std::int32_t count = 0;
    fonts->readValues(nullptr, nullptr, "fontLength %l", &count);
    for (std::int32_t index = 0; index < count; ++index) {
        RequiredElement element(*fonts, IndexedName("FONT%03d", index).c_str());
        // Cleared first: a field whose key is absent reads as 0, never as what the heap held.
        XFont font{};
        readRecordKeys(*element, kXFontTable, &font);
        auto* stored = static_cast<XFont*>(allocMemory(static_cast<std::int32_t>(sizeof(XFont))));
        throwIfNull(stored, __LINE__, kUnit);
        std::memcpy(static_cast<void*>(stored), &font, sizeof font);
        block.fonts->appendOwnedBlock(stored);
    }
}

#include "engine/import/FontTableWriter.h"

#include "model/params/ParamBlockTables.h"
#include "model/records/RecordWriting.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CFontArray.h"
#include "model/tables/DocumentRecordTables.h"

void writeFontTable(XParamBlock& block, CStream& documentElement) {
    numberFonts(&block);
    const std::int32_t count = block.fonts != nullptr ? block.fonts->getCount() : 0;
    ChildElement fonts(documentElement, "FONTS");
    fonts->writeValues(nullptr, 0, "fontLength %l", count);
    for (std::int32_t index = 0; index < count; ++index) {
        const XFont* font = block.fonts->get(index + 1);
        ChildElement element(*fonts, IndexedName("FONT%03d", index).c_str());
        if (font != nullptr) writeRecordRows(*element, kXFontTable, font, false);
    }
}

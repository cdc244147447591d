#include "engine/export/parameters/StyleTableReader.h"

#include <memory>

#include "engine/export/parameters/RequiredElement.h"
#include "foundation/CFail.h"
#include "model/BoundedCount.h"
#include "model/records/RecordKeys.h"
#include "model/records/character/XFormReader.h"
#include "model/records/paragraph/XRuleReader.h"
#include "model/records/section/XPageReader.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CStyleArray.h"
#include "model/tables/DocumentRecordTables.h"

namespace {
constexpr const char* kUnit = "BEngineExp";

struct StyleRelease {
    void operator()(XStyle* style) const { disposeXStyle(style); }
};
using OwnedStyle = std::unique_ptr<XStyle, StyleRelease>;

// The record readers answer the code of a failure of the element's own keys: only a lack of memory,
// which must not pass as a record read whole.
void readFormatting(CStream& style, XStyle& record) {
    {
        RequiredElement form(style, "styleForm");
        throwIfError(readXForm(&*form, &record.styleForm), __LINE__, kUnit);
    }
    {
        RequiredElement rule(style, "styleRule");
        throwIfError(readXRule(&*rule, &record.styleRule), __LINE__, kUnit);
    }
    RequiredElement page(style, "stylePage");
    throwIfError(readXPage(&*page, &record.stylePage), __LINE__, kUnit);
}
}  // namespace

void readStyle(CStream& parent, std::int32_t position, XStyle& style, int depth) {
    RequiredElement element(parent, IndexedName("STYLE%03d", position).c_str());
    readFormatting(*element, style);
    readRecordKeys(*element, kXStyleTable, &style);
    const std::int16_t stored = depth + 1 < kMaxStyleDepth ? boundedCount(style.styleSubCount, kMaxSubStyles) : 0;
    style.styleSubCount = 0;
    for (std::int16_t sub = 0; sub < stored; ++sub) {
        OwnedStyle subStyle(newXStyle());
        readStyle(*element, sub, *subStyle, depth + 1);
        style.subStyles[sub] = subStyle.release();
        ++style.styleSubCount;
    }
}

void readStyleTable(CStream& documentElement, XParamBlock& block) {
    throwIfNullObject(block.styles, __LINE__, kUnit);
    RequiredElement styles(documentElement, "STYLES");
    std::int32_t count = 0;
    styles->readValues(nullptr, nullptr, "styleLength %l", &count);
    for (std::int32_t index = 0; index < count; ++index) {
        OwnedStyle style(newXStyle());
        readStyle(*styles, index, *style, 0);
        block.styles->add(style.release());  // the table owns it from here, also when the add fails
    }
}

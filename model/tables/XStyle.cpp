#include "model/tables/XStyle.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/tables/DocumentRecordTables.h"

namespace {

constexpr const char* kUnit = "BCommon";

// Whether the sub-style at `place` of `parent` must be passed over: it is one of the styles on the way
// down (a cycle) or an earlier sub-style of the same parent (a repeat). Either would be released twice.
bool isRepeat(const XStyle* parent, std::int32_t place, const XStyle* const* ancestors, int depth) {
    const XStyle* candidate = parent->subStyles[place];
    for (int i = 0; i < depth; ++i)
        if (ancestors[i] == candidate) return true;
    for (std::int32_t i = 0; i < place; ++i)
        if (parent->subStyles[i] == candidate) return true;
    return false;
}

// Releases the sub-styles of `style`, deepest first. `ancestors` holds the styles above and including
// `style`; it has room for kMaxStyleDepth entries.
void releaseSubStyles(XStyle* style, XStyle** ancestors, int depth) {
    if (depth >= kMaxStyleDepth) return;
    ancestors[depth] = style;
    const std::int32_t count = subStyleCount(*style);
    for (std::int32_t i = 0; i < count; ++i) {
        if (style->subStyles[i] == nullptr || isRepeat(style, i, ancestors, depth + 1)) continue;
        releaseSubStyles(style->subStyles[i], ancestors, depth + 1);
    }
    // Freed only after the loop: the repeat checks above still compare against these pointers.
    for (std::int32_t i = 0; i < count; ++i) {
        if (style->subStyles[i] == nullptr || isRepeat(style, i, ancestors, depth + 1)) continue;
        XStyle* child = style->subStyles[i];
        freeMemory(child);
    }
    for (std::int32_t i = 0; i < count; ++i) style->subStyles[i] = nullptr;
}

}  // namespace

XStyle* newXStyle() {
    auto* style = static_cast<XStyle*>(allocMemory(static_cast<std::int32_t>(sizeof(XStyle))));
    throwIfNull(style, __LINE__, kUnit);
    std::memset(style, 0, sizeof(XStyle));
    return style;
}

void disposeXStyle(XStyle*& style) {
    if (style == nullptr) return;
    XStyle* ancestors[kMaxStyleDepth] = {};
    releaseSubStyles(style, ancestors, 0);
    freeMemory(style);
}

std::int32_t subStyleCount(const XStyle& style) {
    if (style.styleSubCount < 0) return 0;
    return style.styleSubCount > kMaxSubStyles ? kMaxSubStyles : style.styleSubCount;
}

bool equalXStyle(const XStyle& a, const XStyle& b) {
    return equalRecords(kXStyleTable, &a, &b);
}

#include "engine/import/StyleElementWriter.h"

#include "foundation/CFail.h"
#include "model/records/RecordWriting.h"
#include "model/records/character/XFormWriter.h"
#include "model/records/paragraph/XRuleWriter.h"
#include "model/records/section/XPageWriter.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CStyleArray.h"

namespace {
constexpr const char* kUnit = "BEngineImp";
}

void writeStyle(CStream& parent, std::int32_t index, const XStyle& style, XParamBlock* block, int depth) {
    ChildElement element(parent, IndexedName("STYLE%03d", index).c_str());
    {
        ChildElement form(*element, "styleForm");
        throwIfError(writeXForm(&*form, &style.styleForm, block), __LINE__, kUnit);
    }
    {
        ChildElement rule(*element, "styleRule");
        throwIfError(writeXRule(&*rule, &style.styleRule, block), __LINE__, kUnit);
    }
    {
        ChildElement page(*element, "stylePage");
        throwIfError(writeXPage(&*page, &style.stylePage, block), __LINE__, kUnit);
    }
    element->writeValues(nullptr, 0,
                         "XStyle_styleAttr %d XStyle_styleType %d XStyle_styleFlag %d XStyle_styleIndx %l "
                         "XStyle_styleSort %l XStyle_styleBits %l XStyle_styleBase %l XStyle_styleNext %l "
                         "XStyle_styleLink %l XStyle_styleName %s XStyle_styleSubCount %d",
                         style.styleAttr, style.styleType, style.styleFlag, style.styleIndx, style.styleSort,
                         style.styleBits, style.styleBase, style.styleNext, style.styleLink, style.styleName,
                         style.styleSubCount);
    if (depth + 1 >= kMaxStyleDepth) return;
    const int subStyles = subStyleCount(style);
    for (int sub = 0; sub < subStyles; ++sub) {
        if (style.subStyles[sub] != nullptr) writeStyle(*element, sub, *style.subStyles[sub], block, depth + 1);
    }
}

void writeStyleTable(XParamBlock& block, CStream& documentElement) {
    const std::int32_t count = block.styles != nullptr ? block.styles->getCount() : 0;
    ChildElement styles(documentElement, "STYLES");
    styles->writeValues(nullptr, 0, "styleLength %l", count);
    for (std::int32_t index = 0; index < count; ++index) {
        if (const XStyle* style = block.styles->get(index + 1)) writeStyle(*styles, index, *style, &block);
    }
}

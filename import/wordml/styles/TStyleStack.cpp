#include "import/wordml/styles/TStyleStack.h"

#include "import/wordml/styles/TStylesArray.h"

void TStyleStack::gatherChain(const TStylesArray* styles, const char* styleId) {
    if (styles == nullptr) return;
    const char* identifier = styleId;
    while (identifier != nullptr) {
        TStyle* style = styles->findStyle(identifier);
        if (style == nullptr || !push(style)) return;
        identifier = style->basedOn.empty() ? nullptr : style->basedOn.c_str();
    }
}

bool TStyleStack::push(TStyle* style) {
    if (style == nullptr || count >= kCapacity || holds(style)) return false;
    entries[static_cast<std::size_t>(count++)] = style;
    return true;
}

TStyle* TStyleStack::pop() {
    if (count == 0) return nullptr;
    return entries[static_cast<std::size_t>(--count)];
}

bool TStyleStack::holds(const TStyle* style) const {
    for (std::int16_t i = 0; i < count; ++i) {
        if (entries[static_cast<std::size_t>(i)] == style) return true;
    }
    return false;
}

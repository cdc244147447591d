#include "import/wordml/styles/TStylesArray.h"

#include <limits>

#include "foundation/text/TextCompare.h"

TStylesArray::TStylesArray() {
    docDefaults.name = "docDefaults";
}

std::int16_t TStylesArray::appendStyle(std::unique_ptr<TStyle>& style) {
    if (style == nullptr || style->styleId.empty() || findStyle(style->styleId.c_str()) != nullptr) return 0;
    // Indexes travel as 32-bit numbers; a sheet that large keeps the styles it has.
    if (styles.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 1)) return 0;
    style->index = static_cast<std::int32_t>(styles.size()) + 1;
    styles.push_back(std::move(style));
    found.clear();
    return 1;
}

TStyle* TStylesArray::findStyle(const char* styleId) const {
    if (styleId == nullptr) return nullptr;
    if (const auto known = found.find(std::string_view(styleId)); known != found.end()) return known->second;
    TStyle* style = searchStyle(styleId);
    found.emplace(styleId, style);
    return style;
}

TStyle* TStylesArray::searchStyle(const char* styleId) const {
    for (const auto& style : styles) {
        if (compareText(style->styleId.c_str(), styleId, 0) == 0) return style.get();
    }
    return nullptr;
}

const char* TStylesArray::defaultStyleId(std::int16_t type) const {
    for (const auto& style : styles) {
        if (style->type == type && style->isDefault == 1) return style->styleId.c_str();
    }
    return nullptr;
}

std::int32_t TStylesArray::styleIndex(const char* styleId) const {
    const TStyle* style = findStyle(styleId);
    return style != nullptr ? style->index : -1;
}

TStyle* TStylesArray::styleAt(std::int32_t index) const {
    if (index < 1 || static_cast<std::size_t>(index) > styles.size()) return nullptr;
    return styles[static_cast<std::size_t>(index) - 1].get();
}

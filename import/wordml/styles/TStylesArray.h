#pragma once
// The style sheet of a WordprocessingML document: its top-level styles in document order, each with
// its 1-based index (which is also its place in the engine's style table and the styleTag that runs
// and paragraphs carry), and the document defaults. Identifiers compare without regard to case: the
// first style of an identifier wins.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/CBase.h"
#include "import/wordml/styles/TStyle.h"

class TStylesArray : public CBase {
public:
    TStylesArray();

    // Adds the style and gives it its index; answers 0 (and drops nothing: the caller keeps the style)
    // when its identifier is empty or already held, 1 when added.
    std::int16_t appendStyle(std::unique_ptr<TStyle>& style);
    // The first style of the identifier; null for a null text or none.
    TStyle* findStyle(const char* styleId) const;
    // The identifier of the first default style of the type; null when none.
    const char* defaultStyleId(std::int16_t type) const;
    // The index of the style found by findStyle; -1 when none.
    std::int32_t styleIndex(const char* styleId) const;

    std::size_t count() const { return styles.size(); }
    // The style at a 1-based index; null outside 1 to count.
    TStyle* styleAt(std::int32_t index) const;

    TStyle docDefaults;  // the document defaults (w:docDefaults); never a style of the sheet

private:
    TStyle* searchStyle(const char* styleId) const;

    // Texts hashed and compared as views, so that a look-up by a C string makes no string.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    std::vector<std::unique_ptr<TStyle>> styles;
    // What findStyle answered for each identifier asked, null included; emptied when a style is added.
    // Every paragraph and run asks for its style's whole chain: the walk over the sheet cost more than
    // reading the paragraph.
    mutable std::unordered_map<std::string, TStyle*, TextHash, std::equal_to<>> found;
};

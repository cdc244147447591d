#pragma once
// The list definitions and fonts that AppleWorks paragraph labels stand for. An AppleWorks file names a
// label style (a small number) but holds no list definition the conversion can use, so the importer takes
// a fixed set from "AWDefLists.xml" in the "_importers_" folder beside the program, and gives each
// labelled paragraph a list override that points at its label's list. Both families use it alike.
//
// The file is read once, in read mode; a missing or damaged file leaves the conversion without the
// definitions (overrides are still made) and is never reported: labels are a nicety, not the text.
// The definitions go into the parameter block, which owns them from then on, as it owns the overrides.
#include <cstdint>
#include <vector>

#include "model/records/character/XForm.h"
#include "model/tables/XFont.h"

struct XParamBlock;
struct PascalWString;

namespace appleworks {

// The list id of each label style 0 to 11.
constexpr std::int16_t kLabelListIds[12] = {0, 3, 7, 5, 12, 6, 13, 11, 9, 8, 15, 2};

class DefaultLists {
public:
    // Reads "AWDefLists.xml" from the program's "_importers_" folder.
    explicit DefaultLists(XParamBlock* paramBlock);
    // Reads the named file instead (tests).
    DefaultLists(XParamBlock* paramBlock, const char16_t* fileName, const PascalWString& folder);

    // The document font for a font id of the file; the major high-ANSI theme font (kMajorHAnsiFont) when the
    // file has none of that id.
    std::int32_t documentFontFor(std::int16_t fontId);
    void remapFont(std::int16_t* fontId);
    // Adds an override for the label style (its low 8 bits) and answers the new number of overrides;
    // a label style beyond the table gets no override and answers 0. Lack of memory raises CFail 12 and
    // leaves the block's overrides as they were.
    std::int16_t addListOverride(std::int32_t labelStyle);

    std::int32_t fontCount() const { return static_cast<std::int32_t>(fonts.size()); }

private:
    void read(const char16_t* fileName, const PascalWString& folder);

    XParamBlock* block;
    std::vector<XFont> fonts;
};

}  // namespace appleworks

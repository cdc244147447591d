#include "import/wordml/styles/TStyle.h"

#include "foundation/text/NameCompare.h"

namespace {

constexpr std::int16_t kLetterPage = 2;

constexpr struct {
    const char* type;
    std::int16_t kind;
} kPartKinds[] = {
    {"firstRow", tablepart::kFirstRow},
    {"lastRow", tablepart::kLastRow},
    {"firstCol", tablepart::kFirstColumn},
    {"lastCol", tablepart::kLastColumn},
    {"band1Vert", tablepart::kBand1Vertical},
    {"band2Vert", tablepart::kBand2Vertical},
    {"band1Horz", tablepart::kBand1Horizontal},
    {"band2Horz", tablepart::kBand2Horizontal},
    {"neCell", tablepart::kNorthEastCell},
    {"nwCell", tablepart::kNorthWestCell},
    {"seCell", tablepart::kSouthEastCell},
    {"swCell", tablepart::kSouthWestCell},
    {"wholeTable", tablepart::kWholeTable},
};

}  // namespace

std::int16_t tableStylePartKind(const char* type) {
    if (type == nullptr) return 0;
    for (const auto& row : kPartKinds) {
        if (compareNames(type, row.type) == 0) return row.kind;
    }
    return 0;
}

void TStyleList::addPart(std::unique_ptr<TStyle> part) {
    if (part != nullptr && parts.size() < tablepart::kMaxParts) parts.push_back(std::move(part));
}

TStyle* TStyleList::partAt(std::size_t position) const {
    return position < parts.size() ? parts[position].get() : nullptr;
}

TStyle* TStyleList::findPart(std::int16_t kind) const {
    for (const auto& part : parts) {
        if (part->partKind == kind) return part.get();
    }
    return nullptr;
}

TStyle::TStyle(std::int16_t kind) : partKind(kind) {
    initXForm(&form);
    initXRule(&rule);
    initXPage(&page, kLetterPage);
}

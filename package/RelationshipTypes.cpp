#include "package/RelationshipTypes.h"

#include <array>

namespace {

struct KindTails {
    PartKind kind;
    // The type's last segments for the kind, with their leading '/'; the strict vocabulary spells a few
    // names differently ("extendedProperties" for "extended-properties").
    std::array<std::string_view, 2> tails;
};

constexpr KindTails kKindTails[] = {
    {PartKind::officeDocument, {"/officeDocument", ""}},
    {PartKind::coreProperties, {"/metadata/core-properties", ""}},
    {PartKind::extendedProperties, {"/extended-properties", "/extendedProperties"}},
    {PartKind::theme, {"/theme", ""}},
    {PartKind::fontTable, {"/fontTable", ""}},
    {PartKind::settings, {"/settings", ""}},
    {PartKind::webSettings, {"/webSettings", ""}},
    {PartKind::styles, {"/styles", ""}},
    {PartKind::numbering, {"/numbering", ""}},
    {PartKind::footnotes, {"/footnotes", ""}},
    {PartKind::endnotes, {"/endnotes", ""}},
    {PartKind::comments, {"/comments", ""}},
    {PartKind::sharedStrings, {"/sharedStrings", ""}},
};

}  // namespace

bool isRelationshipOfKind(std::string_view type, PartKind kind) {
    for (const KindTails& entry : kKindTails) {
        if (entry.kind != kind) continue;
        for (std::string_view tail : entry.tails) {
            if (!tail.empty() && type.size() > tail.size() && type.ends_with(tail)) return true;
        }
    }
    return false;
}

#include "package/PackageParts.h"

#include <memory>
#include <optional>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "package/CRelationshipsTable.h"

namespace {

constexpr const char* kUnit = "BRelationship";
constexpr const char* kPackageRelationships = "_rels/.rels";

// The part the package relationships name for the kind; none without one, or without the ".rels" part.
std::optional<std::string> namedByPackage(CRelationshipsTable& package, PartKind kind) {
    const std::unique_ptr<CRelationshipsTable> root(package.openRelationshipsPart(kPackageRelationships));
    if (root == nullptr) return std::nullopt;
    return root->partOfKind(kind);
}

}  // namespace

std::vector<std::string> mainPartCandidates(CRelationshipsTable& package, const char* conventionalPath) {
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        std::vector<std::string> candidates;
        if (std::optional<std::string> named = namedByPackage(package, PartKind::officeDocument))
            candidates.push_back(*named);
        if (candidates.empty() || candidates.front() != conventionalPath) candidates.emplace_back(conventionalPath);
        return candidates;
    });
}

std::string packagePartOfKind(CRelationshipsTable& package, PartKind kind, const char* conventionalPath) {
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        return namedByPackage(package, kind).value_or(conventionalPath);
    });
}

std::string folderOfPart(const std::string& partName) {
    const std::size_t slash = partName.rfind('/');
    return slash == std::string::npos ? std::string() : partName.substr(0, slash);
}

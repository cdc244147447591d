#include "import/wordml/PartRelationships.h"

std::string relationshipsPartOf(const std::string& partPath) {
    const std::size_t slash = partPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : partPath.substr(0, slash + 1);
    return folder + "_rels/" + partPath.substr(folder.size()) + ".rels";
}

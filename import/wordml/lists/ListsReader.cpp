// The numbering of a document: the Word 2003 "lists" element or the root of a Word 2007 numbering
// part. Picture bullets, abstract definitions and list instances go into the importer's list table
// (TListDefsArray.h), which is then handed to the parameter block (ListHandOver.h). Both dialects'
// element names are accepted in either.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/FailureCode.h"
#include "foundation/text/NameCompare.h"
#include "foundation/text/TextBoundary.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/lists/ListHandOver.h"
#include "import/wordml/lists/TListDefsArray.h"
#include "import/wordml/properties/HexNumber.h"
#include "model/params/XParamBlock.h"
#include "package/CRelationshipsTable.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"
#include "picture/containers/PictureFromContainer.h"

namespace {

constexpr const char* kUnit = "BL_WordML(imp)";

struct ListKind {
    const char* name;
    std::int16_t simple;
    std::int16_t multiLevel;
    std::int16_t hybrid;
};

constexpr ListKind kListKinds[] = {
    {"SingleLevel", 1, 0, 0},
    {"Multilevel", 0, 1, 0},
    {"HybridMultilevel", 0, 1, 1},
};

bool isEither(const xmlNode* node, const char* word2003, const char* word2007) {
    return xmlIsElement(node, "w", word2003) != 0 || xmlIsElement(node, "w", word2007) != 0;
}

const char* valueOf(const xmlNode* element) {
    std::int16_t present = 0;
    return xmlGetAttrString(element, nullptr, "val", &present);
}

// The first of the two id attributes present; false (and the id unchanged) with neither.
bool readId(const xmlNode* element, const char* word2003, const char* word2007, std::int32_t* id) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetFirstAttrInt(element, &present, {word2003, word2007});
    if (present == 0) return false;
    *id = value;
    return true;
}

void readKind(const xmlNode* element, XListDef& def) {
    const char* value = valueOf(element);
    if (value == nullptr) return;
    for (const ListKind& kind : kListKinds) {
        if (compareNames(value, kind.name) != 0) continue;
        def.listSimple = kind.simple;
        def.listMultiLevel = kind.multiLevel;
        def.listHybrid = kind.hybrid;
        return;
    }
}

void readHex(const xmlNode* element, std::int32_t* field) {
    if (const auto value = parseHexNumber(valueOf(element))) *field = *value;
}

// A name longer than its field is cut at a character boundary.
template <std::size_t Capacity>
void readName(const xmlNode* element, char (&field)[Capacity]) {
    if (const char* value = valueOf(element)) placeUtf8(field, Capacity, value);
}

// A .docx numbering part names its pictures' parts through relationships of its own; they are read into
// a table of their own, so that the relationships the importer has loaded stay as they are. Null for a
// document without a package.
std::unique_ptr<CRelationshipsTable> relationshipsOfPartHolding(const xmlNode* element, CRelationshipsTable* package) {
    if (package == nullptr || element->doc == nullptr || element->doc->URL == nullptr) return nullptr;
    const std::string_view partPath(reinterpret_cast<const char*>(element->doc->URL));
    const std::size_t slash = partPath.rfind('/');
    const std::string folder(slash == std::string_view::npos ? "" : partPath.substr(0, slash + 1));
    const std::string relsPath = folder + "_rels/" + std::string(partPath.substr(folder.size())) + ".rels";
    return std::unique_ptr<CRelationshipsTable>(package->openRelationshipsPart(relsPath.c_str()));
}

}  // namespace

void CWordMLImporter::readLists(xmlNode* container) {
    if (lists == nullptr) lists = raisingOutOfMemory(__LINE__, kUnit, [] { return std::make_unique<TListDefsArray>(); });
    if (container != nullptr) {
        for (xmlNode* child = container->children; child != nullptr; child = child->next) {
            if (isEither(child, "listPicBullet", "numPicBullet")) {
                readPictureBullet(child);
            } else if (isEither(child, "listDef", "abstractNum")) {
                readListDef(child);
            } else if (isEither(child, "list", "num")) {
                readListOverride(child);
            }
            // "ilfoMacAtCleanup" / "numIDMacAtCleanup" and anything else: nothing to convert.
        }
    }
    handOverLists(*lists, block);
}

void CWordMLImporter::readListDef(xmlNode* element) {
    auto entry = raisingOutOfMemory(__LINE__, kUnit, [] { return std::make_unique<TListDef>(); });
    XListDef& def = entry->def;
    readId(element, "listDefId", "abstractNumId", &def.listDefId);
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (isEither(child, "lsid", "nsid")) {
            readHex(child, &def.listId);
        } else if (isEither(child, "plt", "multiLevelType")) {
            readKind(child, def);
        } else if (xmlIsElement(child, "w", "tmpl")) {
            readHex(child, &def.listTemplateId);
        } else if (xmlIsElement(child, "w", "name")) {
            readName(child, def.listName);
        } else if (xmlIsElement(child, "w", "styleLink")) {
            readName(child, def.listStyleName);
        } else if (isEither(child, "listStyleLink", "numStyleLink")) {
            readName(child, def.listStyleId);
        } else if (xmlIsElement(child, "w", "lvl")) {
            // A level is placed by its own "ilvl", so more than nine "lvl" elements never reach past
            // the nine levels: each one outside 0..8 is passed over.
            readListLevel(child, def.levels);
        }
    }
    lists->addDef(entry);  // a definition whose id is taken is dropped: the first wins
}

void CWordMLImporter::readListOverride(xmlNode* element) {
    auto entry = raisingOutOfMemory(__LINE__, kUnit, [] { return std::make_unique<TListOvr>(); });
    XListOvr& ovr = entry->ovr;
    readId(element, "ilfo", "numId", &ovr.listIlfo);
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (isEither(child, "ilst", "abstractNumId")) {
            std::int16_t present = 0;
            const std::int32_t value = xmlGetAttrInt(child, nullptr, "val", &present);
            if (present != 0) ovr.listIlst = value;
        } else if (xmlIsElement(child, "w", "lvlOverride")) {
            readLevelOverride(child, ovr);
        }
    }
    lists->addOvr(entry);  // an instance whose number is taken is dropped: the first wins
}

// One "lvlOverride": a start number and a replacement level for one level of the instance. The count
// of overrides is the number of levels they touch, so it never passes the nine levels there are.
void CWordMLImporter::readLevelOverride(xmlNode* element, XListOvr& ovr) {
    std::int16_t present = 0;
    const std::int32_t index = xmlGetAttrInt(element, nullptr, "ilvl", &present);
    if (present == 0 || index < 0 || index >= kListLevels) return;
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "startOverride")) {
            const std::int32_t start = xmlGetAttrInt(child, nullptr, "val", &present);
            if (present != 0 && start >= INT16_MIN && start <= INT16_MAX) ovr.startOverride[index] = static_cast<std::int16_t>(start);
        } else if (xmlIsElement(child, "w", "lvl")) {
            XListLevels* levels = ownOverrideLevels(ovr);
            throwIfNull(levels, __LINE__, kUnit);
            readListLevel(child, *levels);
        } else {
            continue;
        }
        ovr.listOverrideCount = static_cast<std::int16_t>(std::min(ovr.listOverrideCount + 1, kListLevels));
    }
}

void CWordMLImporter::readPictureBullet(xmlNode* element) {
    auto entry = raisingOutOfMemory(__LINE__, kUnit, [] { return std::make_unique<TListPic>(); });
    readId(element, "listPicBulletId", "numPicBulletId", &entry->pic.listPicBulletId);
    // The bullet's own subtree only: a bullet without a picture never takes the next bullet's.
    xmlNode* container = xmlFindElement(element->children, "w", "pict", 1);
    if (container == nullptr) container = xmlFindElement(element->children, "w", "drawing", 1);
    if (container != nullptr) {
        const std::unique_ptr<CRelationshipsTable> partRelationships = relationshipsOfPartHolding(element, pictureRelationships);
        entry->pic.picture = newPictureFromContainer(
            container, partRelationships != nullptr ? partRelationships.get() : pictureRelationships);
    }
    lists->addPic(entry);  // a bullet whose id is taken is dropped with its picture: the first wins
}

// The zip package opener over any bytes: the bytes become a package file, which is opened as the
// importers open a .docx or .xlsx, its package and document relationships are loaded, and every
// relationship's target part is read and parsed, as are a few fixed parts and a worksheet's
// relationships through a table that shares the reader. The fixed parts are also read for their root
// alone, which must answer as the whole parse does.
#include <libxml/parser.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/PascalWString.h"
#include "fuzz/FuzzFolder.h"
#include "package/CRelationshipsTable.h"

namespace {

PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

void readEveryTarget(CRelationshipsTable& table) {
    for (std::int32_t i = 1; i <= table.getCount(); ++i) {
        const CRelationship* relationship = table.pointerAt<CRelationship>(i);
        std::int16_t mode = 0;
        const char* target = nullptr;
        void* buffer = nullptr;
        std::int32_t size = 0;
        table.readTargetPart(relationship->id, &mode, &target, &buffer, &size);
        freeMemory(buffer);
        xmlDoc* document = nullptr;
        xmlNode* root = nullptr;
        table.parseTargetPart(relationship->id, &mode, &target, &document, &root);
        xmlFreeDoc(document);
    }
}

std::string namespaceOf(const xmlNode* element) {
    return element != nullptr && element->ns != nullptr ? reinterpret_cast<const char*>(element->ns->href) : "";
}

// The root-only read answers as the whole parse: the same code and the same root element.
void checkRootOnlyAgrees(CRelationshipsTable& table, const char* part, std::int16_t code, const xmlNode* root) {
    xmlDoc* document = nullptr;
    xmlNode* onlyRoot = nullptr;
    const std::int16_t rootCode = table.parsePartRoot(part, &document, &onlyRoot);
    const bool agree = rootCode == code && (root == nullptr) == (onlyRoot == nullptr) &&
                       (root == nullptr || (xmlStrEqual(root->name, onlyRoot->name) != 0 &&
                                            namespaceOf(root) == namespaceOf(onlyRoot) && onlyRoot->children == nullptr));
    xmlFreeDoc(document);
    if (!agree) __builtin_trap();
}

void readFixedParts(CRelationshipsTable& table) {
    for (const char* part : {"word/document.xml", "xl/workbook.xml", "[Content_Types].xml", "../x", "/word/x"}) {
        xmlDoc* document = nullptr;
        xmlNode* root = nullptr;
        const std::int16_t code = table.parsePart(part, &document, &root);
        checkRootOnlyAgrees(table, part, code, root);
        xmlFreeDoc(document);
    }
}

constexpr const char* kPackageName = "package.docx";

void openAndWalk() {
    const PascalWString name = pascal(kPackageName);
    const PascalWString folder = pascal(fuzzfolder::path() + "/");
    CRelationshipsTable table;
    try {
        table.openPackage(&name, &folder, "word", 0);
        table.loadRelationships("_rels/.rels", 0);
        readEveryTarget(table);
        table.loadRelationships("document.xml", 1);
        readEveryTarget(table);
        readFixedParts(table);
        CRelationshipsTable* sheet = table.openRelationshipsPart("xl/worksheets/_rels/sheet1.xml.rels");
        table.closePackage();
        if (sheet) readEveryTarget(*sheet);
        delete sheet;
    } catch (const CFail&) {
        // Not a package, or one that runs out of memory: refused, as the importer refuses it.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzfolder::writeFile(kPackageName, std::string_view(reinterpret_cast<const char*>(data), size));
    openAndWalk();
    return 0;
}

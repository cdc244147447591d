#include "import/docx/DocumentPropertyParts.h"

#include "import/docx/PartDocument.h"
#include "package/CRelationshipsTable.h"
#include "package/xml/XmlElementSearch.h"

void readPropertyParts(CRelationshipsTable& package, std::initializer_list<PropertyPart> parts) {
    for (const PropertyPart& part : parts) {
        xmlDoc* parsed = nullptr;
        xmlNode* root = nullptr;
        if (package.parsePart(part.path, &parsed, &root) != 0) continue;
        const PartDocument document(parsed);
        if (!xmlIsElement(root, part.rootPrefix, part.rootName)) continue;
        if (part.walk) part.walk(root);
    }
}

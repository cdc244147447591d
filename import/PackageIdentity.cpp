#include "import/PackageIdentity.h"

#include <memory>
#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "import/docx/PartDocument.h"
#include "package/CRelationshipsTable.h"
#include "package/xml/XmlElementSearch.h"

void identifyPackage(const PascalWString& name, const PascalWString& folder, const PackageMainPart& mainPart,
                     const char* unit) {
    const std::unique_ptr<CFile> item(new (std::nothrow) CFile(name, folder, kAnyFileCode, kAnyFileCode, 1, 0,
                                                               kGenericRead, kGenericRead));
    throwIfNull(item.get(), __LINE__, unit);
    CRelationshipsTable probe;
    probe.openPackage(&name, &folder, mainPart.partFolder, item->isFolder() ? 1 : 0);
    xmlDoc* parsed = nullptr;
    xmlNode* root = nullptr;
    const std::int16_t code = probe.parsePart(mainPart.path, &parsed, &root);
    if (code != 0) throwFail(code, __LINE__, unit);
    const PartDocument part(parsed);
    if (!xmlIsElement(root, mainPart.rootPrefix, mainPart.rootName)) throwFail(result::kErrInaccessible, __LINE__, unit);
}

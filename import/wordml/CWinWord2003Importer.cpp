#include "import/wordml/CWinWord2003Importer.h"

#include <libxml/parser.h>

#include <climits>
#include <memory>
#include <new>
#include <string>

#include "engine/translators/TranslatorDescriptor.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "model/storage/XmlErrors.h"
#include "package/xml/XmlElementSearch.h"

namespace {

constexpr const char* kUnit = "BL_WinWord2003(imp)";
constexpr char kXmlDeclarationStart[] = "<?xm";
constexpr std::uint32_t kDeclarationBytes = 4;

struct TreeRelease {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

// Whether the document's root is w:wordDocument. The parser recovers what it can, so a document that
// goes wrong after its root's start tag is still taken: its conversion then fails with the parser's
// message instead of the file being offered to no importer.
bool startsAsWordDocument(const std::string& bytes) {
    XmlErrorCapture capture;
    const std::unique_ptr<xmlDoc, TreeRelease> tree(xmlReadMemory(
        bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, XML_PARSE_NONET | XML_PARSE_RECOVER));
    return tree && xmlIsElement(xmlDocGetRootElement(tree.get()), "w", "wordDocument");
}

}  // namespace

void CWinWord2003Importer::identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t) {
    const std::unique_ptr<CFile> input = openForIdentification(name, folder, kUnit);
    std::uint32_t size = 0;
    throwIfError(input->getSize(size), __LINE__, kUnit);
    // A file shorter than the declaration's start is not read at all.
    if (size < kDeclarationBytes) throwFail(result::kErrInaccessible, __LINE__, kUnit);
    if (size >= static_cast<std::uint32_t>(INT_MAX)) throwFail(result::kErrInaccessible, __LINE__, kUnit);
    std::string bytes(size, '\0');
    throwIfError(input->read(bytes.data(), static_cast<std::int32_t>(size), kFromStart, 0), __LINE__, kUnit);
    if (bytes.compare(0, kDeclarationBytes, kXmlDeclarationStart) != 0) throwFail(result::kErrInaccessible, __LINE__, kUnit);
    if (!startsAsWordDocument(bytes)) throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

CBaseTranslator* makeWord2003Importer(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CWinWord2003Importer(descriptor);
}

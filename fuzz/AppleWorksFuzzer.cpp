// The AppleWorks import over any bytes, both families: the bytes load into a document as a version-5 and
// as a version-6 file, and what loaded is walked through the document's accessors (zones, text blocks,
// page records, fonts, colours, patterns); then the bytes become an input file that the import engine
// reads with the program's AppleWorks importers into a storage written in the fuzzing folder. A damaged
// file must fail with CFail, never stray.
#include <cstdint>
#include <string_view>

#include "engine/translators/StandInTranslators.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzImport.h"
#include "import/appleworks/CAppleWorksImporter.h"

#include "foundation/CFail.h"
#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/AppleWorksText.h"
#include "import/appleworks/file/AppleWorksFileReader.h"
#include "import/appleworks/file/PageRecords.h"
#include "model/params/XParamBlock.h"

namespace {

void walk(const appleworks::AppleWorksDocument& document) {
    RGBColor color{};
    for (std::int32_t i = 0; i < document.colorCount(); ++i) document.colorAt(i, color);
    for (std::int32_t f = 1; f <= document.fontMapCount(); ++f) (void)document.fontMapEntry(f);
    std::uint8_t pattern[8];
    for (std::int32_t p = 0; document.patternAt(p, pattern); ++p) (void)appleworks::patternDensity(pattern);
    for (std::uint16_t z = 1; z <= document.zoneCount(); ++z) {
        const appleworks::BlockView zone = document.zoneAt(z);
        const std::int32_t pages = appleworks::pageRecordCount(zone);
        for (std::int32_t page = 0; page <= pages; ++page) (void)appleworks::pageStartPosition(zone, page);
        for (std::uint16_t i = 0;; ++i) {
            const appleworks::TextBlockEntry entry = document.textBlockAt(zone, i);
            if (entry.text == appleworks::kNoBlock) break;
            (void)document.block(entry.text).size();
        }
    }
}

void load(const appleworks::AppleWorksFamily& family, const std::uint8_t* data, std::int32_t size) {
    (void)appleworks::AppleWorksFileReader(family, data, size).readDocumentKind();
    XParamBlock block{};
    initXParamBlock(nullptr, &block);
    try {
        appleworks::AppleWorksDocument document(family, &block);
        document.loadFromBytes(data, size);
        walk(document);
    } catch (const CFail&) {
    }
    disposeXParamBlock(&block);
}

constexpr const char* kDocumentName = "document.cwk";

CBaseTranslator* makeImporter(const TranslatorDescriptor* descriptor) {
    if (descriptor == &importerDescriptors[importer::kAppleWorks5]) return makeAppleWorks5Importer(descriptor);
    if (descriptor == &importerDescriptors[importer::kAppleWorks6]) return makeAppleWorks6Importer(descriptor);
    return makeStandInImporter(descriptor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 20) return 0;
    load(appleworks::kAppleWorks5, data, static_cast<std::int32_t>(size));
    load(appleworks::kAppleWorks6, data, static_cast<std::int32_t>(size));
    fuzzfolder::writeFile(kDocumentName, std::string_view(reinterpret_cast<const char*>(data), size));
    fuzzimport::importFile(kDocumentName, makeImporter);
    return 0;
}

#include "import/appleworks/CAppleWorksImporter.h"

#include <climits>
#include <new>
#include <string>

#include "engine/translators/TranslatorDescriptor.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "import/appleworks/AppleWorksWalker.h"
#include "import/appleworks/file/AppleWorksFileReader.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"

using appleworks::kUnit;

namespace {

constexpr std::int32_t kWordProcessing = 1;
constexpr std::int32_t kPresentation = 5;

// The reason shown for a document kind that is not converted, or 0 when there is none to show:
// drawing 0, spreadsheet 2, database 3, painting 4 and (version 6) presentation 5.
std::uint16_t refusalMessage(const appleworks::AppleWorksFamily& family, std::int32_t kind) {
    if (kind == 0) return kRefusedKindFirstMessage;
    if (kind >= 2 && kind <= 4) return static_cast<std::uint16_t>(kRefusedKindFirstMessage + kind - 1);
    if (kind == kPresentation && family.version == appleworks::kAppleWorks6.version)
        return static_cast<std::uint16_t>(kRefusedKindFirstMessage + 4);
    return 0;
}

}  // namespace

CAppleWorksImporter::CAppleWorksImporter(const TranslatorDescriptor* descriptor,
                                         const appleworks::AppleWorksFamily& fileFamily)
    : CImporter(descriptor), family(fileFamily) {}

CAppleWorksImporter::~CAppleWorksImporter() = default;

void CAppleWorksImporter::identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t) {
    const std::unique_ptr<CFile> input = openForIdentification(name, folder, kUnit);
    std::uint32_t size = 0;
    throwIfError(input->getSize(size), __LINE__, kUnit);
    std::int32_t kind = -1;
    if (size < static_cast<std::uint32_t>(INT_MAX)) {
        std::string bytes(size, '\0');
        if (size == 0 || input->read(bytes.data(), static_cast<std::int32_t>(size), kFromStart, 0) == 0) {
            kind = appleworks::AppleWorksFileReader(family, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                    static_cast<std::int32_t>(size))
                       .readDocumentKind();
        }
    }
    if (kind == kWordProcessing) return;
    const std::uint16_t message = refusalMessage(family, kind);
    if (message != 0) {
        char16_t text[256];
        loadUniText(text, message);
        freeMemory(block->reasonText);
        block->reasonText = duplicateWString(text);
        throwIfNull(block->reasonText, __LINE__, kUnit);
    }
    throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

void CAppleWorksImporter::readDocument() {
    CImporter::readDocument();
    walker.reset(new (std::nothrow) appleworks::AppleWorksWalker(family, block));
    throwIfNull(walker.get(), __LINE__, kUnit);
    throwIfNull(file, __LINE__, kUnit);
    walker->openDocument(*file);
    // A word-processing document is one sheet.
    block->sheetCount = 1;
    answerYes();
}

void CAppleWorksImporter::answerStory(bool present) {
    if (present) answerYes();
}

void CAppleWorksImporter::hasMainStory() {
    answerStory(walker != nullptr && walker->beginMainStory());
}

void CAppleWorksImporter::hasHeaderStory() {
    answerStory(walker != nullptr && walker->beginHeaderFooterStory(true));
}

void CAppleWorksImporter::hasFooterStory() {
    answerStory(walker != nullptr && walker->beginHeaderFooterStory(false));
}

void CAppleWorksImporter::hasFootnoteStory() {
    answerStory(walker != nullptr && walker->beginNoteStory(true));
}

void CAppleWorksImporter::hasEndnoteStory() {
    answerStory(walker != nullptr && walker->beginNoteStory(false));
}

// A page-anchored picture is announced as a graphic story without text: the picture itself travels in
// the main text.
void CAppleWorksImporter::hasGraphicStory() {
    answerStory(walker != nullptr && walker->nextFrame());
}

void CAppleWorksImporter::hasTableStory() {
    answerStory(walker != nullptr && walker->beginTableStory());
}

void CAppleWorksImporter::readText() {
    const std::int16_t story = block->storyNumber;
    const bool served = story == storykind::kMain || story == storykind::kHeader || story == storykind::kFooter ||
                        story == storykind::kTable || story == storykind::kFootnote || story == storykind::kEndnote;
    if (!served || walker == nullptr) {
        answerNoText();
        return;
    }
    walker->readTextRun();
}

void CAppleWorksImporter::endMainStory() {}

void CAppleWorksImporter::endDocument() {
    walker.reset();
    answerYes();
}

CBaseTranslator* makeAppleWorks5Importer(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CAppleWorksImporter(descriptor, appleworks::kAppleWorks5);
}

CBaseTranslator* makeAppleWorks6Importer(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CAppleWorksImporter(descriptor, appleworks::kAppleWorks6);
}

// Cutting a story into runs and handing each to the exporter: the export engine's measureRun and
// deliverText (see CExportEngine.h).
//
// A run never spans a change of character or paragraph record (a section record change takes effect
// with the next run), ends at the latest right after a paragraph end, a cell mark or a column, page or
// section break, and holds at most kMaxRunUnits units: a longer stretch is delivered in pieces, never
// cut between the two halves of a surrogate pair. An exporter that does not take UTF-16 gets each run
// converted into the code page of the run's language, from a buffer of the engine's own.
#include <algorithm>
#include <cstring>
#include <new>

#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "engine/export/CExportEngine.h"
#include "engine/export/stories/DeliveredStory.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/CFail.h"
#include "foundation/encoding/CUnicode.h"
#include "foundation/memory/Memory.h"
#include "model/params/LanguageEncoding.h"
#include "model/records/PictureOwnership.h"
#include "model/story/StoryKinds.h"
#include "model/params/XParamBlock.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
// The language whose runs have their brackets exchanged.
// Bytes of 8-bit text one UTF-16 unit can become in the code pages used.
constexpr std::int32_t kBytesPerUnit = 4;

bool endsStretch(char16_t unit) {
    return unit == storycode::kColumnBreak || unit == storycode::kPageBreak || unit == storycode::kSectionBreak ||
           unit == storycode::kParagraphEnd || unit == storycode::kCellEnd;
}


// The longest piece of text[0 .. length) that a run may hold.
std::int32_t pieceLength(const char16_t* text, std::int32_t length) {
    const std::u16string_view run(text, static_cast<std::size_t>(length));
    return static_cast<std::int32_t>(utf16CutPoint(run, kMaxRunUnits));
}

void copyRun(XForm* out, const XForm* run) { copyXForm(out, run); }
void copyRun(XRule* out, const XRule* run) { copyXRule(out, run); }
void copyRun(XPage* out, const XPage* run) { copyXPage(out, run); }

// The run in force at start into the block's record, as the cursor's copying look-up gives it, but
// copied only when the record does not hold that run's copy already (DeliveredStory.h): a paragraph
// record is some 11 KB, and a sheet delivers a run per row under one record.
template <typename Record>
std::int32_t takeRunAt(StoryRunWalk<Record>& walk, HeldRun& held, std::int32_t start, Record* out,
                       std::uint64_t generation) {
    const Record* run = nullptr;
    std::int32_t entry = -1;
    const std::int32_t distance = walk.findAt(start, &run, &entry);
    if (run != nullptr && (entry != held.entry || generation != held.generation)) {
        copyRun(out, run);
        held = {entry, generation};
    }
    return distance;
}

// Releases the picture an anchor put into the run's record, however the delivery ends.
struct RunPictureRelease {
    XForm& form;
    ~RunPictureRelease() { disposePicture(form.picData); }
};

// Puts the block's run text back after a converted run, however the send ends.
struct RunTextRestore {
    XParamBlock& block;
    char16_t* text;
    std::int32_t length;
    ~RunTextRestore() {
        block.textBuffer = text;
        block.textEncoding = kUtf16TextEncoding;
        block.textLength = length;
    }
};
}  // namespace

std::int32_t CExportEngine::measureRun(const char16_t* text, std::int32_t limit, std::int32_t start) {
    std::int32_t count = 0;
    for (std::int32_t i = start; i < limit; ++i) {
        ++count;
        if (endsStretch(text[i])) break;
    }
    return count;
}

std::int32_t CExportEngine::deliverText(DeliveredStory& loaded, std::int32_t available, std::int32_t start,
                                        CStory* story, XParamBlock* block) {
    const std::int32_t formDistance = takeRunAt(loaded.forms, loaded.heldForm, start, &block->form, recordGeneration);
    const std::int32_t ruleDistance = takeRunAt(loaded.rules, loaded.heldRule, start, &block->rule, recordGeneration);
    takeRunAt(loaded.pages, loaded.heldPage, start, &block->page, recordGeneration);
    block->form.picData = nullptr;  // a loaded record never holds a picture; only an anchor sets one
    const RunPictureRelease release{block->form};
    std::int32_t cut = std::max(1, std::min({available, formDistance, ruleDistance}));
    if (block->textBuffer == nullptr) block->textBuffer = runBuffer();
    block->textEncoding = kUtf16TextEncoding;

    if (block->form.txtType == 0) {
        cut = pieceLength(loaded.text + start, cut);
        std::memcpy(block->textBuffer, loaded.text + start, static_cast<std::size_t>(cut) * sizeof(char16_t));
        block->textLength = cut;
    } else {
        decideAnchor(block, story);
    }
    if (block->textLength > 0) sendRun(block);
    playTextBoxesInPlace(block);
    return cut;
}

void CExportEngine::sendRun(XParamBlock* block) {
    const std::int32_t language = selectLanguageByHint(block->form);
    if ((exporterDescriptor->flags1 & kUnicodeTextBit) == 0) {
        sendConverted(block, language);
        return;
    }
    throwIfError(exporterRegistry->send(request::kSelText, block), __LINE__, kUnit);
}

void CExportEngine::sendConverted(XParamBlock* block, std::int32_t languageId) {
    const auto encoding = static_cast<std::int32_t>(languageEncoding(languageId));
    if (converter == nullptr || converterEncoding != encoding) {
        disposeObject(converter);
        converterEncoding = -1;
        try {
            converter = new (std::nothrow) CUnicode(encoding, CUnicode::kFromUtf16);
        } catch (const CFail&) {
            converter = nullptr;
        }
        if (converter != nullptr) converterEncoding = encoding;
    }
    if (converter == nullptr) {
        // Without a converter the run goes as it is, UTF-16 and marked so.
        throwIfError(exporterRegistry->send(request::kSelText, block), __LINE__, kUnit);
        return;
    }
    const std::int32_t needed = block->textLength * kBytesPerUnit;
    if (needed > convertedCapacity) {
        void* grown = resizeMemory(convertedText, needed);
        throwIfNull(grown, __LINE__, kUnit);
        convertedText = static_cast<char*>(grown);
        convertedCapacity = needed;
    }
    const std::int32_t written = converter->convert(block->textBuffer, block->textLength * 2, convertedText,
                                                    convertedCapacity);
    const RunTextRestore restore{*block, block->textBuffer, block->textLength};
    block->textBuffer = reinterpret_cast<char16_t*>(convertedText);
    block->textEncoding = encoding;
    block->textLength = written;
    throwIfError(exporterRegistry->send(request::kSelText, block), __LINE__, kUnit);
}

#pragma once
// The request protocol between the engines and the translators. An engine puts a request code into the
// block's `selector` and hands the block to the translator's `dispatch`; the translator answers in the
// same block (an answer code in `selector`, text, counts and records in the other fields) and reports a
// failure as the result of `dispatch`.
//
//   code      importer (import engine)                 exporter (export engine)
//   0         document: open the input, fill the block document: the block holds the parameters
//   1         begin sheet `sheetIndex` (name may come)  begin sheet: the base opens `fileSpec` first
//   2..11     is there a further story of this kind?   begin a story of this kind; taken?
//   12        never sent                               never sent
//   13        give the next chunk of text              take one run of text
//   14..23    end of the story begun with code - 12     end of the story begun with code - 12
//   24        end of the sheet                         end of the sheet; the base releases the file
//   25        end of the document                      end of the document
//   26        never sent                               never sent
//   27, 28    is this folder item / file yours?        not sent
//
// Answer -1 means "answered" or "yes"; a request's own code left in `selector` means "no". For the
// identify requests only the result of `dispatch` counts: 0 takes the item, anything else refuses it.
#include <cstdint>

#include "model/story/StoryKinds.h"

namespace request {
constexpr std::int16_t kSelDocument = 0;
constexpr std::int16_t kSelBeginSheet = 1;
constexpr std::int16_t kSelBeginStory = 2;  // the first begin-story code of either numbering
constexpr std::int16_t kSelSpecial = 12;
constexpr std::int16_t kSelText = 13;
constexpr std::int16_t kSelEndStory = 14;  // the first end-story code
constexpr std::int16_t kSelEndSheet = 24;
constexpr std::int16_t kSelEndDocument = 25;
constexpr std::int16_t kSelStart = 26;
constexpr std::int16_t kSelIdentifyQuick = 27;
constexpr std::int16_t kSelIdentifyFull = 28;

// The end code of a story is its begin code plus this.
constexpr std::int16_t kEndStoryOffset = 12;
// The answer "done", "present" or "taken".
constexpr std::int16_t kAnswerYes = -1;
}  // namespace request

// Failure codes of the conversion.
namespace result {
constexpr std::int16_t kErrCancelled = 32001;      // silent
constexpr std::int16_t kErrUnknownFormat = 32002;  // no importer takes the file
constexpr std::int16_t kErrInaccessible = 32003;   // not what the importer reads, or cannot be opened as such
constexpr std::int16_t kNoSuchTranslator = 2;      // the registry has no entry or no live translator
}  // namespace result

// One story kind with its begin codes in both numberings: the import side asks for the main story
// first, the export side delivers it last.
struct StoryRequestCodes {
    const char* storageName;
    std::int16_t storyNumber;
    std::int16_t importBegin;
    std::int16_t exportBegin;
};

constexpr int kStoryRequestKinds = 10;
extern const StoryRequestCodes storyRequestCodes[kStoryRequestKinds];

// The begin codes of a story number (1 header ... 9 table, 10 main); -1 for any other number.
std::int16_t importBeginCode(std::int16_t storyNumber);
std::int16_t exportBeginCode(std::int16_t storyNumber);

// What `dispatch` answers for a failure code: the 16-bit code as an unsigned value, so the stop code
// -9999 comes back as 55537.
constexpr std::int32_t dispatchResultOf(std::int16_t code) {
    return static_cast<std::uint16_t>(code);
}

#include "engine/export/parameters/DocParamsReader.h"

#include <source_location>

#include "engine/export/parameters/AuthorTableReader.h"
#include "engine/export/parameters/BackgroundReader.h"
#include "engine/export/parameters/ColorTableReader.h"
#include "engine/export/parameters/DocumentInfoReader.h"
#include "engine/export/parameters/FontTableReader.h"
#include "engine/export/parameters/ListTableReader.h"
#include "engine/export/parameters/RequiredElement.h"
#include "engine/export/parameters/StyleTableReader.h"
#include "engine/task/CImportTask.h"
#include "engine/task/ProgressWindow.h"
#include "foundation/FailureCode.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BEngineExp";
constexpr std::uint16_t kPreparingToWrite = 10226;  // "Preparing to write converted file... [%d]"

// Shows the counter and advances it, then polls once: a Stop ends the reading. Without a window it does
// nothing at all.
void progressCheck(ProgressWindow* window, std::int32_t* counter,
                   std::source_location where = std::source_location::current()) {
    if (window == nullptr) return;
    const std::int32_t shown = counter != nullptr ? *counter : 0;
    const UniFormatValue values[] = {shown};
    window->setStatus(kPreparingToWrite, values);
    if (counter != nullptr) ++*counter;
    if (window->poll() != 0) throwFail(result::kStopQuietly, static_cast<std::int32_t>(where.line()), kUnit);
}

// The theme does not travel through the storage: its element must be there, and it changes nothing.
void readTheme(CStream& documentElement) {
    RequiredElement theme(documentElement, "THEME");
}

void readSteps(CStream& documentElement, XParamBlock& block, ProgressWindow* window, std::int32_t* counter) {
    XInfo info;
    initXInfo(info);
    progressCheck(window, counter);
    readDocumentInfo(documentElement, info);
    progressCheck(window, counter);
    readFontTable(documentElement, block);
    progressCheck(window, counter);
    readStyleTable(documentElement, block);
    progressCheck(window, counter);
    readListTables(documentElement, block);
    progressCheck(window, counter);
    readColorTable(documentElement, block);
    readAuthorTable(documentElement, block);
    readBackground(documentElement, block);
    readTheme(documentElement);
    placeDocumentInfo(info, block);
    progressCheck(window, counter);
}

}  // namespace

int readDocParams(CImportTask* task, CStream& documentElement, XParamBlock& block, ProgressWindow* progressWindow,
                  std::int32_t* progressCounter) {
    // Set up before the first Stop check, so that the block the caller disposes is always a set-up one.
    // A lack of memory here leaves the block holding what was made, which the caller's disposal releases.
    raisingOutOfMemory(__LINE__, kUnit, [&] { initXParamBlock(task, &block); });
    try {
        raisingOutOfMemory(__LINE__, kUnit, [&] { readSteps(documentElement, block, progressWindow, progressCounter); });
    } catch (const CFail& failure) {
        // A table half read must never be exported as if whole.
        if (failure.error == result::kOutOfMemory) rethrowFailure();
        return 0;
    }
    return 1;
}

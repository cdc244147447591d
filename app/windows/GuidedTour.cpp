#include "app/windows/GuidedTour.h"

#include <memory>

#include "app/FailureReport.h"
#include "app/MessageWindows.h"
#include "app/conversion/ConversionLauncher.h"
#include "app/settings/ProgramFolders.h"
#include "app/windows/CReportWindow.h"
#include "engine/Preferences.h"
#include "engine/ProgramPreferences.h"
#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/files/CTypeArray.h"
#include "foundation/files/ShellServices.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/TextFormat.h"

namespace {
constexpr const char* kUnit = "BDemoWindow";
constexpr std::uint16_t kAskForTour = 10841;
constexpr std::uint16_t kAskForTest = 10842;
constexpr std::uint16_t kThanks = 10843;
constexpr std::uint16_t kFirstPageText = 10844;
constexpr std::uint16_t kSampleDocument = 10847;
constexpr std::uint16_t kSendReport = 6603;
// The report's answer for its first button, "Yes" in a question.
constexpr std::int32_t kAnsweredYes = 1;
// The pictures of the pages, in "Demo Images".
constexpr const char16_t* kPagePictures[demowindow::kPageCount] = {u"drag.png", u"convert.png", u"open.png"};

PascalWString gRtfApplicationName;

void lookUpRtfApplication() {
    PascalWString name;
    PascalWString folder;
    if (findAssociatedApplication(0, 0, "rtf", name, folder) != result::kSuccess) return;
    std::u16string shown(name.view());
    const std::size_t dot = shown.rfind(u'.');
    if (dot != std::u16string::npos && dot > 0) shown.resize(dot);
    gRtfApplicationName = makePascal(shown);
}

// The sample document converted into the converted-files folder, with the user's settings put back
// whole afterwards.
void convertSample(ConversionLauncher& launcher) {
    auto saved = std::make_unique<Preferences>();
    copyPreferences(*saved, gPreferences);
    struct Restore {
        Preferences& saved;
        ~Restore() { copyPreferences(gPreferences, saved); }
    } restore{*saved};
    CTypeArray items;
    CTypeArray wordResults;
    CTypeArray sheetResults;
    char16_t name[kLoadStringSize];
    FileSpec sample;
    makeFileSpec(sample, makePascal(loadUniText(name, kSampleDocument)), sampleDocumentsFolder());
    items.addFileSpec(sample);
    gPreferences.wordProcessing.saveMode = kSaveInConvertedFilesFolder;
    gPreferences.spreadsheet.saveMode = kSaveInConvertedFilesFolder;
    launcher.convertJob(&items, &wordResults, &sheetResults);
    reportFailureResource(nullptr, kThanks, messageflags::kInformationOk);
}

void runTour(ConversionLauncher& launcher, std::int16_t atStartUp) {
    if (atStartUp == 1 && firstRunMarkerPresent()) return;
    lookUpRtfApplication();
    if (reportFailureResource(nullptr, kAskForTour, messageflags::kYesNo) != kAnsweredYes) return;
    std::int16_t testRequested = 0;
    std::int16_t failureCode = 0;
    { const CDemoWindow window(&testRequested, &failureCode); }
    if (failureCode != 0) throwFail(failureCode, __LINE__, kUnit);
    if (testRequested != 1) return;
    if (reportFailureResource(nullptr, kAskForTest, messageflags::kYesNo) != kAnsweredYes) return;
    convertSample(launcher);
}
}  // namespace

CDemoWindow::CDemoWindow(std::int16_t* testRequested, std::int16_t* failureCode)
    : CWindow(nullptr, mainWindowHandle()), testRequested(testRequested), failureCode(failureCode) {
    runModalDialog(u"DemoWindow", ownerWindow, this);
}

std::int32_t CDemoWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return handleModalMessage(done, message, wParam, lParam);
}

std::int32_t CDemoWindow::init() {
    if (getItem(demowindow::kText)) platform::windowSystem()->setItemBold(dialog, demowindow::kText);
    goToPage(0);
    center();
    return 0;
}

std::int32_t CDemoWindow::initMenu(CommandEvent&) {
    return kNotHandled;
}

std::int32_t CDemoWindow::command(CommandEvent& event) {
    namespace id = demowindow;
    switch (static_cast<std::uint16_t>(event.commandWord & 0xFFFF)) {
    case id::kCancel:
        done = 1;
        return 0;
    case id::kFail:
        done = 1;
        if (failureCode != nullptr) *failureCode = static_cast<std::int16_t>(randomInRange(-9000, -1000));
        return 0;
    case id::kPrevious:
        goToPage(static_cast<std::int16_t>(currentPage - 1));
        return 0;
    case id::kNext:
        goToPage(static_cast<std::int16_t>(currentPage + 1));
        return 0;
    default:
        return kNotHandled;
    }
}

void CDemoWindow::goToPage(std::int16_t page) {
    namespace id = demowindow;
    if (page >= 0 && page < id::kPageCount && page != currentPage) {
        currentPage = page;
        setItemPicture(id::kPicture, makePascal(kPagePictures[page]), demoImagesFolder());
        char16_t format[kLoadStringSize];
        loadUniText(format, static_cast<std::uint16_t>(kFirstPageText + page));
        char16_t text[kLoadStringSize];
        formatUniString(text, format, gRtfApplicationName);
        setItemText(id::kText, text);
    }
    if (page >= id::kPageCount) {
        if (testRequested != nullptr) *testRequested = 1;
        done = 1;
    }
    enableItem(id::kPrevious, currentPage > 0 ? 1 : 0);
}

const PascalWString& rtfApplicationName() {
    return gRtfApplicationName;
}

void runGuidedTour(ConversionLauncher& launcher, std::int16_t atStartUp) {
    try {
        runTour(launcher, atStartUp);
    } catch (const CFail& failure) {
        if (failure.error == result::kStopQuietly) return;
        if (showFailureReport(failure) == kSendReport) sendFailureReport(failure);
    }
}

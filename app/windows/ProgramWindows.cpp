#include "app/windows/ProgramWindows.h"

#include <memory>
#include <vector>

#include "app/Application.h"
#include "app/FailureReport.h"
#include "app/MessageWindows.h"
#include "app/settings/InterfaceLanguage.h"
#include "app/windows/CAboutWindow.h"
#include "app/windows/CPrefWindow.h"
#include "app/windows/GuidedTour.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/files/ShellServices.h"
#include "picture/PictureLoader.h"

namespace {
constexpr const char* kUnit = "BMainWindow";
constexpr std::uint16_t kCommandFailed = 10102;
// How long the loop sleeps when nothing happens: short enough for the pollers' sockets.
constexpr std::int32_t kIdleWaitMilliseconds = 50;
// The largest picture the test reads.
constexpr std::uint32_t kLargestTestPicture = 64u << 20;

bool openDocument(const std::u16string& pathOrAddress) {
    const PascalWString target = makePascal(pathOrAddress);
    const bool address = pathOrAddress.starts_with(u"http:") || pathOrAddress.starts_with(u"https:");
    return (address ? openInBrowser(target) : shellOpen(target)) == result::kSuccess;
}
}  // namespace

MainWindowActions mainWindowActions(const ProgramWindows& program) {
    MainWindowActions actions;
    actions.quit = [] { quitApplication(); };
    const CTranslator* exporters = program.exporters;
    actions.showPreferences = [exporters] { showPreferences(nullptr, nullptr, exporters); };
    actions.showPreferencesForOneConversion = [exporters](std::int16_t* once) {
        return showPreferences(nullptr, once, exporters);
    };
    actions.showAbout = [] { showAboutWindow(); };
    ConversionLauncher* launcher = program.launcher;
    actions.runGuidedTour = [launcher] { runGuidedTour(*launcher, 0); };
    actions.testPicture = [] { testPicture(); };
    CMUI* languageServices = program.languageServices;
    actions.changeLanguage = [languageServices](std::int16_t choice) {
        if (languageServices != nullptr) chooseInterfaceLanguage(*languageServices, choice);
    };
    actions.openDocument = openDocument;
    return actions;
}

void runMainLoop(const std::function<bool()>& finished) {
    platform::WindowSystem* system = platform::windowSystem();
    while (system != nullptr && !finished()) {
        system->waitForEvent(kIdleWaitMilliseconds);
        system->pumpOne();
    }
}

void runProgramWindows(const ProgramWindows& program, const std::function<bool()>& finished) {
    runGuidedTour(*program.launcher, 1);
    std::unique_ptr<CMainWindow> window;
    const std::int16_t made = failureCode([&] {
        window = std::make_unique<CMainWindow>(*program.launcher, mainWindowActions(program), program.diagnosticMode);
    });
    if (made != result::kSuccess) {
        CFail failure(made, __LINE__, kUnit);
        reportFailureResource(&failure, kCommandFailed, messageflags::kStopOk);
        return;
    }
    runMainLoop(finished);
}

void testPicture() {
    const std::int16_t code = failureCode([] {
        PascalWString name;
        PascalWString folder;
        if (chooseFileOrFolder(name, folder, nullptr, 0) != result::kSuccess) return;
        CFile file(name, folder, fourCharCode("????"), fourCharCode("????"), 0, 0, kGenericRead, 0);
        throwIfError(file.open(), __LINE__, kUnit);
        std::uint32_t size = 0;
        throwIfError(file.getSize(size), __LINE__, kUnit);
        if (size == 0 || size > kLargestTestPicture) throwFail(result::kNullObject, __LINE__, kUnit);
        std::vector<std::uint8_t> bytes(size);
        auto count = static_cast<std::int32_t>(size);
        throwIfError(file.read(bytes.data(), count, 0, 0), __LINE__, kUnit);
        loadPicture(bytes.data(), count);
    });
    if (code != result::kSuccess) {
        CFail failure(code, __LINE__, kUnit);
        reportFailureResource(&failure, kCommandFailed, messageflags::kStopOk);
    }
}

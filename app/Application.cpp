#include "app/Application.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/CommandLine.h"
#include "app/conversion/ConversionLauncher.h"
#include "app/requests/DDEServer.h"
#include "app/conversion/DesktopOpener.h"
#include "app/FailureReport.h"
#include "app/requests/FileHandOver.h"
#include "app/settings/FileTypeRegistration.h"
#include "app/settings/InterfaceLanguage.h"
#include "app/requests/OpenRequestPoller.h"
#include "app/settings/PreferencesFile.h"
#include "app/conversion/ProgramEngines.h"
#include "app/settings/ProgramFolders.h"
#include "app/TerminalWindows.h"
#include "app/conversion/TranslatorTables.h"
#include "app/WindowQuestions.h"
#include "app/windows/ProgramWindows.h"
#include "app/windows/WindowLayer.h"
#include "app/XmlErrorHandler.h"
#include "engine/translators/CTranslator.h"
#include "export/rtf/head/RTFProgramName.h"
#include "engine/ProgramPreferences.h"
#include "foundation/files/AppFolders.h"
#include "foundation/CFail.h"
#include "foundation/language/CLanguage.h"
#include "foundation/language/CMUI.h"
#include "foundation/FailureCode.h"
#include "foundation/FatalMessage.h"
#include "foundation/encoding/WideApiFlag.h"
#include "platform/shell/Display.h"
#include "platform/files/FileName.h"
#include "platform/process/Interrupt.h"
#include "platform/process/Terminal.h"

namespace {
constexpr const char* kUnit = "Tirma";

bool gQuitFlag = false;

// What start-up builds and the rest of the run uses.
struct ApplicationState {
    std::unique_ptr<CTranslator> importers;
    std::unique_ptr<CTranslator> exporters;
    std::unique_ptr<CMUI> languageServices;
    std::unique_ptr<CLanguage> characterTables;
    std::int16_t diagnosticMode = 0;
};

void tellDamagedPreferences(const PreferencesFileResult& outcome) {
    if (outcome.state != PreferencesFileState::setAside) return;
    std::fprintf(stderr, "The preferences file was damaged; it was set aside as '%s' and the defaults are used.\n",
                 platform::fileNameToBytes(outcome.setAsidePath).c_str());
}

void loadSettings(ApplicationState& state) {
    installXmlErrorHandler();
    state.importers.reset(new (std::nothrow) CTranslator(importerTable, TranslatorDirection::importers));
    throwIfNull(state.importers.get(), __LINE__, kUnit);
    state.exporters.reset(new (std::nothrow) CTranslator(exporterTable, TranslatorDirection::exporters));
    throwIfNull(state.exporters.get(), __LINE__, kUnit);

    clearPreferences(gPreferences);
    gPreferences.soundsFolder = appSubFolder(uistring::kSoundsFolder);
    tellDamagedPreferences(readPreferencesFile(gPreferences));
    resolveOpenModes(gPreferences);

    const std::int16_t languageChoice = readLanguageFile();
    state.languageServices.reset(new (std::nothrow) CMUI());
    throwIfNull(state.languageServices.get(), __LINE__, kUnit);
    chooseInterfaceLanguage(*state.languageServices, languageChoice);
}

void setUpFolders(ApplicationState& state) {
    // The temporary-files and logs folders are made now where they can be. Where one cannot, the
    // program starts all the same: what needs the folder later tries again and names it when it fails
    // (a conversion without its temporary folder, a batch that would write a log).
    static_cast<void>(failureCode([] { setUpTemporaryFilesFolder(); }));
    setUpDesktopFolder();
    static_cast<void>(failureCode([] { setUpLogsFolder(); }));
    state.characterTables.reset(new (std::nothrow) CLanguage());
    throwIfNull(state.characterTables.get(), __LINE__, kUnit);
}

void reportStartFailure(const CFail& failure) {
    fatalMessage("Could not start the application because of error %d that occured at %s:%d.",
                 static_cast<int>(failure.error), failure.fileName != nullptr ? failure.fileName : "",
                 static_cast<int>(failure.line));
    const PascalWString& blocked = folderSetUpFailurePath();
    if (failure.error == result::kFileBlocksFolder && blocked.length() > 0) {
        std::fprintf(stderr, "The folder '%s' cannot be made: a file stands in its place.\n",
                     platform::fileNameToBytes(blocked.view()).c_str());
    }
}

void printUsage() {
    std::fputs("usage: vostrandimeko FILE-OR-FOLDER...\n"
               "Converts each file beside its original: documents to RTF and workbooks to CSV, unless the\n"
               "preferences choose other formats.\n",
               stderr);
}

// The windows a run shows: real ones on the desktop, the terminal forms without a display. A run of
// the main window shows the window layer's windows on whichever back end is in force.
struct RunWindows {
    std::unique_ptr<platform::WindowSystem> system;
    bool desktop = false;
    WindowLayer layer;
    TerminalWindows terminal{stdout, stderr, platform::isTerminal(stderr)};
    WindowQuestions terminalQuestions;

    explicit RunWindows(bool layerAlways = false) {
        desktop = startWindowSystem(system, chooseWindowSystem(std::getenv("VOSTRANDIMEKO_WINDOWS"),
                                                               platform::displayAvailable()));
        desktop = desktop || layerAlways;
    }
    ~RunWindows() { stopWindowSystem(system); }
    RunWindows(const RunWindows&) = delete;
    RunWindows& operator=(const RunWindows&) = delete;

    MessageWindows* messages() { return desktop ? static_cast<MessageWindows*>(&layer) : &terminal; }
    ProgressWindows* progress() { return desktop ? static_cast<ProgressWindows*>(&layer) : &terminal; }
    UserQuestions* questions() { return desktop ? static_cast<UserQuestions*>(&layer) : &terminalQuestions; }
};

LauncherServices launcherServices(const ApplicationState& state, RunWindows& windows, DesktopOpener& desktop) {
    LauncherServices services;
    services.importers = state.importers.get();
    services.exporters = state.exporters.get();
    services.engines = &programEngines();
    services.asker = windows.questions();
    services.progressWindows = windows.progress();
    // Opening converted files needs a display; without one they are not opened, and nothing is asked.
    services.opener = platform::displayAvailable() ? &desktop : nullptr;
    services.windows = windows.messages();
    return services;
}

int convertArguments(const ApplicationState& state, const std::vector<std::string>& arguments) {
    RunWindows windows;
    DesktopOpener desktop;
    setReportWindows(windows.messages());
    ConversionLauncher launcher(launcherServices(state, windows, desktop));
    platform::watchInterrupt();
    const int untaken = convertCommandLineFiles(arguments, launcher);
    platform::stopWatchingInterrupt();
    quitApplication();
    setReportWindows(nullptr);
    return untaken > 0 ? kExitFailed : launcher.exitStatus();
}

int runMainWindow(ApplicationState& state) {
    RunWindows windows(true);
    DesktopOpener desktop;
    setReportWindows(windows.messages());
    ConversionLauncher launcher(launcherServices(state, windows, desktop));
    ProgramWindows program;
    program.launcher = &launcher;
    program.languageServices = state.languageServices.get();
    program.exporters = state.exporters.get();
    program.diagnosticMode = state.diagnosticMode;
    // Only a program that runs its event loop listens for the files of later starts; without a private
    // runtime folder (or with another program listening) it runs without the service.
    CDDEServer server(windows.questions());
    server.start();
    OpenRequestPoller openRequests(server);
    if (windows.system) windows.system->addPoller(&openRequests);
    platform::watchTermination();
    runProgramWindows(program, [] { return quitRequested() || platform::terminationRequested(); });
    platform::stopWatchingTermination();
    if (windows.system) windows.system->removePoller(&openRequests);
    server.stop();
    quitApplication();
    setReportWindows(nullptr);
    return kExitConverted;
}


// "/install" or "/remove", then the end of the run: the question asked on the way may have changed a
// preference, so the preferences are saved.
int runRegistrationSwitch(RegistrationSwitch which) {
    RunWindows windows;
    setReportWindows(windows.messages());
    CDDEServer server(windows.questions());
    std::string problem;
    const std::int16_t failure = which == RegistrationSwitch::install
                                     ? installFileTypes(server, programPaths().fullPath, problem)
                                     : removeFileTypes(server, programPaths().fullPath, problem);
    savePreferences(gPreferences);
    setReportWindows(nullptr);
    if (failure == 0) return kExitConverted;
    std::fprintf(stderr, "%s.\n", problem.c_str());
    return kExitFailed;
}

int runStarted(ApplicationState& state, const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        // Without a display the windows run only when asked for (the headless back end).
        if (std::getenv("VOSTRANDIMEKO_WINDOWS") == nullptr && !platform::displayAvailable()) {
            printUsage();
            return kExitUsage;
        }
        const int status = runMainWindow(state);
        writeFirstRunMarker();
        return status;
    }
    // A program already running on the desktop takes the files; what it does not take is converted here.
    const HandOverResult handOver = handOverFiles(arguments);
    if (handOver.handedOver > 0)
        std::printf("%d of the files went to the program that is already running.\n", handOver.handedOver);
    if (handOver.left.empty()) return kExitConverted;
    const int status = convertArguments(state, handOver.left);
    writeFirstRunMarker();
    return status;
}

}  // namespace

void quitApplication() {
    savePreferences(gPreferences);
    gQuitFlag = true;
}

bool quitRequested() {
    return gQuitFlag;
}

int runApplication(const std::vector<std::string>& arguments) {
    useWideApi = 1;
    gQuitFlag = false;
    ApplicationState state;
    bool started = false;
    try {
        loadSettings(state);
        if (!programPaths().baseName.empty()) setRTFProgramName(programPaths().baseName);
        if (const RegistrationSwitch which = registrationSwitch(arguments); which != RegistrationSwitch::none)
            return runRegistrationSwitch(which);
        setUpFolders(state);
        state.diagnosticMode = diagnosticMarkerPresent();
        started = true;
        return runStarted(state, arguments);
    } catch (const CFail& failure) {
        if (failure.error == result::kStopQuietly) return kExitFailed;
        if (!started) reportStartFailure(failure);
        return kExitFailed;
    } catch (const std::bad_alloc&) {
        std::fputs("Could not start the application: there is not enough memory.\n", stderr);
        return kExitFailed;
    }
}

#pragma once
// The batch a person stops: three Word documents converted with the progress window open; when the
// file line shows the second file, Stop is clicked (as soon as it shows, never after a wait). The
// first file is converted, the second and third are not, the command line's status is 1, and the
// summary is shown. The same scenario runs on the headless window system (app tests) and on the
// desktop one under a display (desktop tests); `onDialog` lets the caller look at each dialog shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/FailureReport.h"
#include "app/conversion/ConversionLauncher.h"
#include "app/conversion/ProgramEngines.h"
#include "app/conversion/TranslatorTables.h"
#include "app/windows/WindowLayer.h"
#include "engine/ProgramPreferences.h"
#include "engine/translators/CTranslator.h"
#include "foundation/files/CTypeArray.h"
#include "platform/files/FileName.h"
#include "platform/windows/WindowSystem.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace testsupport {

// A launcher whose batches run the program's engines and show the window layer's windows.
inline LauncherServices windowLauncherServices(CTranslator& importers, CTranslator& exporters, WindowLayer& windows) {
    LauncherServices services;
    services.importers = &importers;
    services.exporters = &exporters;
    services.engines = &programEngines();
    services.asker = &windows;
    services.progressWindows = &windows;
    services.windows = &windows;
    return services;
}

class StopOnSecondFile : public platform::WindowObserver {
public:
    std::function<void(platform::Dialog*, const std::string&)> onDialog;
    std::vector<std::string> fileLines;
    std::vector<std::string> shownDialogs;
    std::vector<std::string> statusLines;
    bool stopClicked = false;

    void dialogShown(platform::Dialog* dialog, const std::string& name) override {
        shownDialogs.push_back(name);
        if (onDialog) onDialog(dialog, name);
    }

    void itemTextChanged(platform::Dialog* dialog, const std::string& name, std::uint16_t id,
                         const std::string& text) override {
        if (name != "ProgWindow") return;
        if (id == 5206 && !text.empty()) statusLines.push_back(text);
        if (id != 5203 || text.empty()) return;
        fileLines.push_back(text);
        if (!stopClicked && text.find("second.xml") != std::string::npos) {
            stopClicked = true;
            platform::windowSystem()->postClick(dialog, 5204);
        }
    }
};

inline const char* kSmallDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"><w:body>"
    "<w:p><w:r><w:t>One paragraph.</w:t></w:r></w:p><w:p><w:r><w:t>Another.</w:t></w:r></w:p>"
    "</w:body></w:wordDocument>\n";

// Runs the scenario on the window system in force; answers the command line's status.
inline int runStopDuringBatch(StopOnSecondFile& observer, const TemporaryFolder& folder) {
    clearPreferences(gPreferences);
    gPreferences.wordProcessing.openMode = kOpenNever;
    gPreferences.spreadsheet.openMode = kOpenNever;
    gPreferences.notifyFlags = kNotifyShowSummary;
    CTranslator importers(importerTable, TranslatorDirection::importers);
    CTranslator exporters(exporterTable, TranslatorDirection::exporters);
    WindowLayer windows;
    setReportWindows(&windows);
    ConversionLauncher launcher(windowLauncherServices(importers, exporters, windows));
    CTypeArray items;
    CTypeArray wordResults;
    CTypeArray sheetResults;
    for (const char* name : {"first.xml", "second.xml", "third.xml"}) {
        EXPECT_TRUE(writeBytes(folder.file(name), kSmallDocument));
        FileSpec item;
        makeFileSpecFromPath(item, platform::fileNameFromBytes(folder.file(name)).c_str());
        items.addFileSpec(item);
    }
    platform::windowSystem()->setObserver(&observer);
    launcher.convertJob(&items, &wordResults, &sheetResults);
    platform::windowSystem()->setObserver(nullptr);
    setReportWindows(nullptr);
    clearPreferences(gPreferences);
    return launcher.exitStatus();
}

// What the scenario must show, whichever window system ran it.
inline void expectStoppedOnSecondFile(const StopOnSecondFile& observer, const TemporaryFolder& folder, int status) {
    EXPECT_TRUE(observer.stopClicked);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(std::filesystem::exists(folder.file("first.rtf")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("second.rtf")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("third.rtf")));
    for (const std::string& line : observer.fileLines) EXPECT_EQ(line.find("third.xml"), std::string::npos) << line;
    EXPECT_EQ(observer.shownDialogs, std::vector<std::string>{"NotificationWindow"});
    EXPECT_FALSE(observer.statusLines.empty());
}

}  // namespace testsupport

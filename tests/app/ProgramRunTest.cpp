// The program itself, run as a process with its own home and XDG folders and no display.
#include <filesystem>
#include <string>

#include "tests/app/ProgramRunSupport.h"
#include "tests/app/documents/AuthoredDocuments.h"
#include "tests/support/FileBytes.h"

namespace {

using apptest::ProgramRunTest;
using apptest::RunResult;
using testsupport::readBytes;
using testsupport::writeBytes;

TEST_F(ProgramRunTest, RefusedAndMissingFilesEndWithStatusOneAndTheirMessages) {
    ASSERT_TRUE(writeBytes(temporary.file("empty.docx"), ""));
    ASSERT_TRUE(writeBytes(temporary.file("notes.txt"), "plain text\n"));
    for (const char* name : {"empty.docx", "notes.txt"}) {
        const RunResult result = run({name});
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_NE(result.errors.find(std::string("Could not convert the file '") + name + "'"), std::string::npos)
            << name << ": " << result.errors;
        EXPECT_NE(result.errors.find("error 32002 at "), std::string::npos) << result.errors;
        EXPECT_EQ(result.output, "") << name;
    }
    // Several files in one batch: no message each, and still a failing status.
    EXPECT_EQ(run({"empty.docx", "notes.txt"}).status, 1);
}

TEST_F(ProgramRunTest, NoArgumentIsAUsageError) {
    const RunResult result = run({});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.errors.find("usage:"), std::string::npos) << result.errors;
}

// Asked for the windows without a display, the program runs the main window on the headless back end
// until it is told to end, then ends as after Exit: preferences saved, the first start recorded.
TEST_F(ProgramRunTest, WithoutArgumentsTheWindowsRunUntilTheProgramIsToldToEnd) {
    const std::string command = "cd '" + temporary.path() + "' && env -i HOME='" + home() + "' XDG_CONFIG_HOME='" +
                                configFolder() + "' XDG_CACHE_HOME='" + home() + "cache' PATH=/usr/bin:/bin " +
                                "VOSTRANDIMEKO_WINDOWS=headless '" + VDK_PROGRAM + "' >/dev/null 2>&1 </dev/null & " +
                                "program=$!; sleep 1; kill -TERM $program; wait $program";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    EXPECT_TRUE(std::filesystem::exists(configFolder() + "Vostrandimeko.1st"));
    EXPECT_TRUE(std::filesystem::exists(configFolder() + "Vostrandimeko (3).ini"));
}

TEST_F(ProgramRunTest, RegistrationSwitchesAreWholeArgumentsOnly) {
    const RunResult install = run({"/install"});
    EXPECT_EQ(install.status, 0) << install.errors;

    std::filesystem::create_directories(temporary.path() + "install");
    ASSERT_TRUE(writeBytes(temporary.file("install/notes.txt"), "text"));
    for (const std::string& path : {temporary.file("install/notes.txt"), std::string("install/notes.txt")}) {
        const RunResult file = run({path});
        EXPECT_EQ(file.status, 1) << path;
        EXPECT_EQ(file.errors.find("registration"), std::string::npos) << file.errors;
        EXPECT_NE(file.errors.find("'notes.txt'"), std::string::npos) << file.errors;
    }
}

TEST_F(ProgramRunTest, PreferencesAreSavedAndADamagedFileIsSetAside) {
    ASSERT_TRUE(writeBytes(temporary.file("notes.txt"), "text"));
    run({"notes.txt"});
    const std::string preferences = home() + "config/Vostrandimeko (3).ini";
    EXPECT_EQ(readBytes(preferences).size(), 10540u);
    EXPECT_TRUE(std::filesystem::exists(home() + "config/Vostrandimeko.1st"));

    ASSERT_TRUE(writeBytes(preferences, "short"));
    const RunResult damaged = run({"notes.txt"});
    EXPECT_NE(damaged.errors.find("set aside"), std::string::npos) << damaged.errors;
    EXPECT_EQ(readBytes(preferences + ".damaged"), "short");
    EXPECT_EQ(readBytes(preferences).size(), 10540u) << "the defaults are saved again";
}

// A file standing where the logs or temporary-files folder belongs (as any user's file might) keeps
// the folder from being made, whoever runs the program. The program starts all the same; a batch that
// needs the folder names it, and the file in its place is kept.
TEST_F(ProgramRunTest, AFolderThatCannotBeMadeIsNamedOnlyWhenNeeded) {
    ASSERT_TRUE(apptest::authored::writeDocx(temporary.file("short.docx"), apptest::authored::paragraph("Short"), ""));
    const std::string logs = home() + "Documents/Vostrandimeko logs";
    const std::string temporaryFiles = home() + "cache/Vostrandimeko temporary files";
    const struct {
        const char* what;
        std::string blocked;
        std::int16_t logMode;
        int status;
        bool converted;
        std::string told;  // in the errors; empty: nothing is said of a folder
    } cases[] = {
        {"logs blocked, logging off", logs, 0, 0, true, ""},
        {"logs blocked, logging on", logs, 1, 0, true, "the folder '" + logs + "/' for the logs cannot be made"},
        {"temporary files blocked", temporaryFiles, 0, 1, false,
         "the folder '" + temporaryFiles + "/' for the program's temporary files cannot be made"},
    };
    for (const auto& item : cases) {
        std::filesystem::remove_all(home());
        std::filesystem::create_directories(std::filesystem::path(item.blocked).parent_path());
        ASSERT_TRUE(writeBytes(item.blocked, "keep me"));
        convertDocumentsTo("RTF", item.logMode);
        std::filesystem::remove(temporary.file("short.rtf"));
        const RunResult result = run({"short.docx"});
        EXPECT_EQ(result.status, item.status) << item.what << ": " << result.errors;
        EXPECT_EQ(std::filesystem::exists(temporary.file("short.rtf")), item.converted) << item.what;
        if (item.told.empty()) {
            EXPECT_EQ(result.errors.find("folder"), std::string::npos) << item.what << ": " << result.errors;
        } else {
            EXPECT_NE(result.errors.find(item.told), std::string::npos) << item.what << ": " << result.errors;
        }
        EXPECT_EQ(readBytes(item.blocked), "keep me") << item.what;
    }
}

}  // namespace

// The program itself, run as a process with its own home and XDG folders and no display.
#include <filesystem>
#include <string>

#include "tests/app/ProgramRunSupport.h"
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

TEST_F(ProgramRunTest, FileInPlaceOfAFolderStopsTheStartWithItsPath) {
    std::filesystem::create_directories(home() + "Documents");
    ASSERT_TRUE(writeBytes(home() + "Documents/Vostrandimeko logs", "keep me"));
    ASSERT_TRUE(writeBytes(temporary.file("notes.txt"), "text"));
    const RunResult result = run({"notes.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find(home() + "Documents/Vostrandimeko logs/"), std::string::npos) << result.errors;
    EXPECT_EQ(readBytes(home() + "Documents/Vostrandimeko logs"), "keep me");
}

}  // namespace

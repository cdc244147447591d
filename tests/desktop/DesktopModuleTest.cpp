// Loading the desktop window system from its module: the module that starts, and every way it can
// fail, each leaving the program on the headless window system with the reason on standard error.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/windows/WindowLayer.h"
#include "platform/desktop/DesktopModule.h"
#include "platform/desktop/DesktopModuleEntry.h"
#include "platform/windows/HeadlessWindowSystem.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::desktop::startDesktopModule;

struct ModuleCase {
    const char* name;
    std::string path;
    const char* failure;  // a part of the reason; null when the module starts
};

class DesktopModuleTest : public ::testing::Test {
protected:
    std::vector<ModuleCase> cases() const {
        return {
            {"starts", VDK_MODULE_STARTS, nullptr},
            {"no display", VDK_MODULE_NO_DISPLAY, "the display cannot be opened"},
            {"no entry", VDK_MODULE_NO_ENTRY, platform::desktop::kDesktopModuleEntryName},
            {"unresolved symbol", VDK_MODULE_UNRESOLVED, "vostrandimekoNothingDefinesThis"},
            {"missing", temporary.file("vostrandimeko-desktop.so"), "vostrandimeko-desktop.so"},
            {"not a module", notAModule, "not-a-module.so"},
            {"program path unknown", "", "program's own path"},
        };
    }
    void SetUp() override { ASSERT_TRUE(testsupport::writeBytes(notAModule, "text, not a library\n")); }

    testsupport::TemporaryFolder temporary;
    std::string notAModule = temporary.file("not-a-module.so");
};

TEST_F(DesktopModuleTest, LoadingAnswersTheWindowSystemOrWhyThereIsNone) {
    for (const ModuleCase& test : cases()) {
        const platform::desktop::DesktopModuleStart start = startDesktopModule(test.path);
        if (test.failure == nullptr) {
            // The module's window system is the program's own type: one copy of it, not the module's.
            EXPECT_NE(dynamic_cast<platform::HeadlessWindowSystem*>(start.system.get()), nullptr) << test.name;
            EXPECT_EQ(start.failure, "") << test.name;
        } else {
            EXPECT_EQ(start.system, nullptr) << test.name;
            EXPECT_NE(start.failure.find(test.failure), std::string::npos) << test.name << ": " << start.failure;
        }
    }
}

// The maker the program binds, in force through the window layer: a module that does not start leaves
// the headless window system in force and says why on standard error.
std::string gBoundModule;
std::unique_ptr<platform::WindowSystem> makeFromBoundModule() {
    return platform::desktop::loadDesktopWindowSystem(gBoundModule);
}

TEST_F(DesktopModuleTest, AModuleThatDoesNotStartLeavesTheHeadlessWindowsAndTellsWhy) {
    bindDesktopWindowSystem(&makeFromBoundModule);
    for (const ModuleCase& test : cases()) {
        gBoundModule = test.path;
        std::unique_ptr<platform::WindowSystem> holder;
        testing::internal::CaptureStderr();
        const bool desktop = startWindowSystem(holder, WindowSystemChoice::desktop);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(platform::windowSystem(), holder.get()) << test.name;
        EXPECT_NE(dynamic_cast<platform::HeadlessWindowSystem*>(holder.get()), nullptr) << test.name;
        EXPECT_EQ(desktop, test.failure == nullptr) << test.name;
        if (test.failure == nullptr) {
            EXPECT_EQ(errors, "") << test.name;
        } else {
            EXPECT_NE(errors.find("The desktop windows cannot start ("), std::string::npos) << test.name << ": " << errors;
            EXPECT_NE(errors.find(test.failure), std::string::npos) << test.name << ": " << errors;
        }
        stopWindowSystem(holder);
    }
    bindDesktopWindowSystem(nullptr);
}

TEST(DesktopModulePathTest, TheModuleIsLookedForBesideTheRunningProgramOnly) {
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(platform::desktop::desktopModulePath(), (program.parent_path() / "vostrandimeko-desktop.so").string());
}

// The program itself, told to show its desktop windows where there is no display: it loads the real
// module (every symbol of it bound against the program), learns that the display cannot be opened and
// converts on the headless window system.
class DesktopModuleProgramTest : public apptest::ProgramRunTest {};

TEST_F(DesktopModuleProgramTest, WithoutADisplayTheProgramConvertsHeadlessAndSaysWhy) {
    std::filesystem::copy_file(VDK_RUNTIME_DIR "/Test Files/Tea 2007.docx", temporary.file("Tea.docx"));
    environment = "VOSTRANDIMEKO_WINDOWS=desktop";
    const apptest::RunResult result = run({"Tea.docx"});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(std::filesystem::exists(temporary.file("Tea.rtf")));
    EXPECT_NE(result.errors.find("The desktop windows cannot start (the display cannot be opened)"),
              std::string::npos)
        << result.errors;
}

}  // namespace

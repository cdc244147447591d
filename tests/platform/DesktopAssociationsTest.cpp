#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/shell/DesktopAssociations.h"
#include "platform/shell/DesktopEntry.h"
#include "tests/support/TemporaryFolder.h"

namespace {

void writeFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A desktop of its own: config and data folders for the user and the system, a mime.types file and
// a folder of programs.
class DesktopAssociations : public ::testing::Test {
protected:
    void SetUp() override {
        platform::DesktopSearchPaths paths;
        paths.configFolders = {root.file("config-home/"), root.file("config-sys/")};
        paths.dataFolders = {root.file("data-home/"), root.file("data-sys/")};
        paths.mimeTypesFile = root.file("mime.types");
        paths.desktopNames = {"test"};
        paths.programSearchPath = root.file("bin") + ":" + root.file("other-bin");
        platform::setDesktopSearchPathsForTesting(paths);

        writeFile(root.file("data-sys/mime/globs2"),
                  "# weight:type:glob\n"
                  "80:application/rtf:*.rtf\n"
                  "50:text/csv:*.csv\n"
                  "50:text/x-tex:*.TeX:cs\n"
                  "40:text/plain:*.txt\n"
                  "50:application/gzip:*.gz\n"
                  "55:application/x-compressed-tar:*.tar.gz\n"
                  "90:text/x-readme:README*\n"
                  "garbage without colons\n"
                  "abc:text/x-bad-weight:*.xyz\n");
        writeFile(root.file("data-home/mime/globs2"), "50:text/x-home-rtf:*.rtf\n60:text/x-local:*.loc\n");
        writeFile(root.file("mime.types"), "# type extensions\napplication/x-fallback\tfbk fbk2\n");

        for (const char* program : {"bin/writer", "bin/calc", "bin/special", "bin/editor", "bin/tex", "bin/my app", "other-bin/zip"}) {
            writeFile(root.file(program), "");
            ::chmod(root.file(program).c_str(), 0755);
        }
        linkMade = ::symlink(root.file("bin/writer").c_str(), root.file("bin/writer-link").c_str()) == 0;

        const auto entry = [&](const std::string& where, const std::string& body) {
            writeFile(root.file(where), "[Desktop Entry]\nType=Application\n" + body);
        };
        entry("data-sys/applications/writer.desktop", "Name=Writer\nName[fr]=Traitement\nExec=writer %U\n");
        entry("data-sys/applications/calc.desktop", "Name=Calc\nExec=calc %F\n");
        entry("data-sys/applications/special.desktop", "Name=Special\nExec=special\n");
        entry("data-sys/applications/editor.desktop", "Name=Editor\nExec=editor %f\n");
        entry("data-sys/applications/tex.desktop", "Name=TeX\nExec=tex\n");
        entry("data-sys/applications/blanks.desktop", "Name=With Blanks\nExec=\"" + root.file("bin/my app") + "\" --flag %f\n");
        entry("data-sys/applications/zip.desktop", "Name=Zip\nExec=zip\n");
        entry("data-home/applications/zip.desktop", "Hidden=true\nExec=zip\n");
        entry("data-sys/applications/ghost.desktop", "Name=Ghost\nExec=ghost %f\n");

        writeFile(root.file("config-home/mimeapps.list"),
                  "[Default Applications]\n"
                  "application/rtf=missing.desktop;writer.desktop;\n"
                  "text/csv=calc.desktop\n"
                  "application/gzip=zip.desktop\n"
                  "application/x-fallback=ghost.desktop\n"
                  "text/x-local=blanks.desktop\n"
                  "[Added Associations]\n"
                  "text/plain=editor.desktop;\n");
        writeFile(root.file("config-home/test-mimeapps.list"), "[Default Applications]\ntext/csv=special.desktop\n");
        writeFile(root.file("data-sys/applications/mimeinfo.cache"), "[MIME Cache]\ntext/x-tex=tex.desktop;writer.desktop;\ntext/plain=writer.desktop;\n");
    }
    void TearDown() override { platform::resetDesktopSearchPaths(); }

    testsupport::TemporaryFolder root;
    bool linkMade = false;  // false where the file system refuses symbolic links
};

TEST_F(DesktopAssociations, AnExtensionGetsTheTypeOfItsBestGlob) {
    const struct {
        const char* extension;
        const char* type;  // null: none
    } cases[] = {
        {"rtf", "application/rtf"},   // the heavier glob wins over the user's lighter one
        {"RTF", "application/rtf"},   // case is ignored...
        {"TeX", "text/x-tex"},
        {"tex", nullptr},             // ...unless the glob says it counts
        {"gz", "application/gzip"},   // "*.tar.gz" is not a glob of the extension "gz"
        {"loc", "text/x-local"},      // the user's own globs count too
        {"fbk2", "application/x-fallback"},  // from mime.types when no glob matches
        {"xyz", nullptr},             // a malformed line gives nothing
        {"", nullptr},
        {"a/b", nullptr},
    };
    for (const auto& c : cases) {
        std::string type = "unchanged";
        const std::int16_t answer = platform::mimeTypeOfExtension(c.extension, type);
        if (c.type) {
            EXPECT_EQ(answer, 0) << c.extension;
            EXPECT_EQ(type, c.type) << c.extension;
        } else {
            EXPECT_EQ(answer, 1155) << c.extension;
            EXPECT_EQ(type, "unchanged") << c.extension;
        }
    }
}

TEST_F(DesktopAssociations, AnExtensionGetsTheFirstInstalledApplicationOfItsType) {
    const struct {
        const char* extension;
        std::string executable;  // empty: none
        const char* name;
    } cases[] = {
        {"rtf", root.file("bin/writer"), "Writer"},      // the first listed entry is not installed
        {"csv", root.file("bin/special"), "Special"},    // the desktop's own list comes first
        {"txt", root.file("bin/editor"), "Editor"},      // added associations before the cache
        {"TeX", root.file("bin/tex"), "TeX"},            // the cache when no list names one
        {"loc", root.file("bin/my app"), "With Blanks"}, // a quoted program with a blank
        {"gz", "", ""},                                   // the user's hidden entry hides the system's
        {"fbk", "", ""},                                  // the entry's program is not installed
        {"xyz", "", ""},                                  // no type
    };
    for (const auto& c : cases) {
        platform::DesktopApplication application;
        const std::int16_t answer = platform::applicationForExtension(c.extension, application);
        if (c.executable.empty()) {
            EXPECT_EQ(answer, 1155) << c.extension;
            continue;
        }
        EXPECT_EQ(answer, 0) << c.extension;
        EXPECT_EQ(application.executable, c.executable) << c.extension;
        EXPECT_EQ(application.name, c.name) << c.extension;
    }
}

TEST_F(DesktopAssociations, AProgramIsNamedByTheEntryThatRunsIt) {
    std::string name;
    ASSERT_EQ(platform::friendlyNameOfProgram(root.file("bin/writer"), name), 0);
    EXPECT_EQ(name, "Writer");
    name = "unchanged";
    EXPECT_EQ(platform::friendlyNameOfProgram(root.file("bin/unknown"), name), 1155);
    EXPECT_EQ(platform::friendlyNameOfProgram(root.file("other-bin/zip"), name), 1155) << "the user's hidden entry hides the system's";
    EXPECT_EQ(name, "unchanged");

    if (!linkMade) GTEST_SKIP() << "the file system refuses symbolic links";
    ASSERT_EQ(platform::friendlyNameOfProgram(root.file("bin/writer-link"), name), 0) << "links are followed";
    EXPECT_EQ(name, "Writer");
}

TEST(DesktopEntry, ExecLinesSplitByTheirQuotingRules) {
    const struct {
        const char* exec;
        std::vector<std::string> words;
    } cases[] = {
        {"writer %U", {"writer", "%U"}},
        {"  \"/opt/my app/run\"   --a  %f ", {"/opt/my app/run", "--a", "%f"}},
        {"\"say \\\"hi\\\" \\$HOME \\`x\\` \\\\\" plain", {"say \"hi\" $HOME `x` \\", "plain"}},
        {"a\"b c\"d", {"ab cd"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words;
        EXPECT_TRUE(platform::splitExecLine(c.exec, words)) << c.exec;
        EXPECT_EQ(words, c.words) << c.exec;
    }
    std::vector<std::string> words;
    EXPECT_FALSE(platform::splitExecLine("\"never closed", words));
}

TEST(DesktopEntry, OnlyTheDesktopEntryGroupCounts) {
    platform::DesktopEntry entry;
    ASSERT_TRUE(platform::readDesktopEntry("# c\n[Desktop Entry]\r\nName = Viewer\r\nExec=view\\s%f\nHidden=true\n"
                                           "[Desktop Action New]\nName=New Window\nExec=other\n",
                                           entry));
    EXPECT_EQ(entry.name, "Viewer");
    EXPECT_EQ(entry.command, (std::vector<std::string>{"view", "%f"}));
    EXPECT_TRUE(entry.hidden);
    EXPECT_FALSE(platform::readDesktopEntry("[Other]\nExec=x\n", entry));
    EXPECT_FALSE(platform::readDesktopEntry("[Desktop Entry]\nExec=\"open\n", entry));
}

}  // namespace

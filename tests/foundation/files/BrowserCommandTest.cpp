#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/files/BrowserCommand.h"

namespace {

TEST(BrowserCommand, TheProgramAndTheArgumentsComeFromTheCommandLine) {
    const std::string url = "https://example.org/help?q=1";
    const struct {
        const char* what;
        const char* command;
        std::string program;
        std::vector<std::string> arguments;
    } cases[] = {
        {"quoted program, %1 in quotes", "\"/opt/My Browser/browser\" -osint -url \"%1\"", "/opt/My Browser/browser",
         {"-osint", "-url", url}},
        {"every %1 is replaced", "\"/opt/b\" %1 --again=%1", "/opt/b", {url, "--again=" + url}},
        {"unquoted program, no %1", "browser -new-window", "browser", {"-new-window", url}},
        {"program alone", "browser", "browser", {url}},
        {"quoted program alone", "\"/opt/my browser\"", "/opt/my browser", {url}},
        {"a quote never closed", "\"/opt/unclosed -x", "/opt/unclosed -x", {url}},
        {"blanks between arguments", "b   -a    \"x  y\"  ", "b", {"-a", "x  y", url}},
        {"empty command", "", "", {url}},
    };
    for (const auto& c : cases) {
        const BrowserCommand command = browserCommandFor(c.command, url);
        EXPECT_EQ(command.program, c.program) << c.what;
        EXPECT_EQ(command.arguments, c.arguments) << c.what;
    }
}

TEST(BrowserCommand, AnAddressIsAlwaysOneArgument) {
    const std::string address = "http://x/a b\"c d\" $HOME";
    EXPECT_EQ(browserCommandFor("b \"%1\"", address).arguments, std::vector<std::string>{address});
    EXPECT_EQ(browserCommandFor("b %1", address).arguments, std::vector<std::string>{address});
    EXPECT_EQ(browserCommandFor("b", address).arguments, std::vector<std::string>{address});
}

}  // namespace

#pragma once
// Outside readers that judge what our writers produce: LibreOffice converts our files to text, HTML or
// ODT, and pandoc parses them. Each program runs without a shell, with a time limit, its output and
// messages kept; LibreOffice gets a profile folder of its own for each oracle, so no user setting and
// no other running office changes the result. Tests skip themselves (GTEST_SKIP) when a program is
// missing; they never pass without it.
#include <string>
#include <vector>

#include "tests/support/TemporaryFolder.h"

namespace testsupport {

struct ProgramRun {
    bool started = false;
    bool timedOut = false;
    int exitStatus = -1;  // the exit code; -1 when the program did not end by itself
    std::string messages;  // what it wrote to its standard output and error
};

// Whether a program of that name is found on PATH.
bool programOnPath(const std::string& name);

// Runs the program (found on PATH) with the arguments; after limitSeconds it is killed with every
// process it started.
ProgramRun runProgram(const std::vector<std::string>& arguments, int limitSeconds);

class OfficeOracle {
public:
    // Time for one conversion call, generous: the first start of an office with a fresh profile is slow,
    // and so is a machine busy with other tests.
    static constexpr int kLimitSeconds = 300;

    static bool available() { return programOnPath("soffice"); }

    // Converts every file, in one call, into outputFolder ("txt:Text", "html", "odt"...); each output is
    // named like its input with the format's extension.
    ProgramRun convert(const std::vector<std::string>& files, const std::string& format,
                       const std::string& outputFolder) const;

private:
    TemporaryFolder profile;
};

// pandoc reading an RTF file into plain text: the run, and the text in `text`.
ProgramRun pandocReadRTF(const std::string& file, std::string& text);
inline bool pandocAvailable() {
    return programOnPath("pandoc");
}

}  // namespace testsupport

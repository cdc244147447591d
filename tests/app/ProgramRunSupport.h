#pragma once
// Runs the program itself as a process, in a temporary folder, with its own home and XDG folders and
// no display, and collects its status, standard output and standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/Preferences.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace apptest {

struct RunResult {
    int status;
    std::string output;
    std::string errors;
};

class ProgramRunTest : public ::testing::Test {
protected:
    RunResult run(const std::vector<std::string>& arguments) {
        std::string command = "cd '" + temporary.path() + "' && env -i HOME='" + home() + "' XDG_CONFIG_HOME='" +
                              configFolder() + "' XDG_CACHE_HOME='" + home() + "cache' PATH=/usr/bin:/bin '" +
                              VDK_PROGRAM + "'";
        for (const std::string& argument : arguments) command += " '" + argument + "'";
        command += " >'" + temporary.file("out") + "' 2>'" + temporary.file("err") + "' </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testsupport::readBytes(temporary.file("out")),
                testsupport::readBytes(temporary.file("err"))};
    }
    std::string home() const { return temporary.path() + "home/"; }
    std::string configFolder() const { return home() + "config/"; }

    // Saves preferences, the defaults but for word-processing documents converting to the exporter and
    // the log mode.
    void convertDocumentsTo(const char* exporterName, std::int16_t logMode = 0) {
        Preferences preferences{};
        clearPreferences(preferences);
        std::snprintf(preferences.wordProcessing.convertTo, sizeof preferences.wordProcessing.convertTo, "%s",
                      exporterName);
        preferences.logMode = logMode;
        std::uint8_t bytes[kPreferencesBytes];
        encodePreferences(preferences, bytes);
        std::filesystem::create_directories(configFolder());
        ASSERT_TRUE(testsupport::writeBytes(configFolder() + "Vostrandimeko (3).ini",
                                            std::string(reinterpret_cast<const char*>(bytes), sizeof bytes)));
    }

    // Converts the documents (file names in the temporary folder) to RTF in one run of the program and
    // copies each "<stem>.rtf" into the folder; answers their paths, or none with the problem told.
    std::vector<std::string> convertToRtfInto(const std::vector<std::string>& documents,
                                              const std::vector<std::string>& stems, const testsupport::TemporaryFolder& folder,
                                              std::string& problem) {
        convertDocumentsTo("RTF");
        const RunResult conversion = run(documents);
        if (conversion.status != 0) {
            problem = "the program failed: " + conversion.errors;
            return {};
        }
        std::vector<std::string> rtfFiles;
        for (const std::string& stem : stems) {
            const std::string rtf = folder.file(stem + ".rtf");
            std::filesystem::copy_file(temporary.file(stem + ".rtf"), rtf);
            rtfFiles.push_back(rtf);
        }
        return rtfFiles;
    }

    testsupport::TemporaryFolder temporary;
};

}  // namespace apptest

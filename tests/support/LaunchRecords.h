#pragma once
// Reading what the argument recorder (tests/support/ArgumentRecorder.cpp) wrote: one record per
// started program, holding the arguments it was given, argv[0] first.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TemporaryFolder.h"

namespace testsupport {

using LaunchRecord = std::vector<std::string>;

// A folder for the recorder's records, named in $VDK_RECORD_FOLDER while the object lives.
class RecordingFolder {
public:
    RecordingFolder() { ::setenv("VDK_RECORD_FOLDER", folder.path().c_str(), 1); }
    ~RecordingFolder() { ::unsetenv("VDK_RECORD_FOLDER"); }
    RecordingFolder(const RecordingFolder&) = delete;
    RecordingFolder& operator=(const RecordingFolder&) = delete;

    // Every finished record, sorted, so programs that ran at the same time compare in a fixed order.
    std::vector<LaunchRecord> records() const {
        std::vector<LaunchRecord> all;
        for (const auto& item : std::filesystem::directory_iterator(folder.path())) {
            if (item.path().extension() != ".args") continue;
            std::ifstream in(item.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const std::string text = bytes.str();
            LaunchRecord record;
            for (std::size_t start = 0; start < text.size();) {
                const std::size_t end = text.find('\0', start);
                record.push_back(text.substr(start, end - start));
                start = end == std::string::npos ? text.size() : end + 1;
            }
            all.push_back(record);
        }
        std::sort(all.begin(), all.end());
        return all;
    }

private:
    TemporaryFolder folder;
};

}  // namespace testsupport

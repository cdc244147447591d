#include "tests/export/WriterTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/FileBytes.h"

namespace exporttest {

void expectGoldenBytes(const std::string& goldenName, const std::string& actual) {
    const std::string path = std::string(VDK_TEST_DATA_DIR) + "/" + goldenName;
    const char* update = std::getenv("VDK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(testsupport::writeBytes(path, actual));
        ADD_FAILURE() << "rewrote " << path << "; run again without VDK_UPDATE_GOLDEN";
        return;
    }
    const std::string expected = testsupport::readBytes(path);
    ASSERT_FALSE(expected.empty()) << path << " is missing; create it with VDK_UPDATE_GOLDEN=1";
    if (actual == expected) return;
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    ADD_FAILURE() << goldenName << " differs at byte " << at << "\n  expected: " << hex(expected.substr(at, 24))
                  << "\n  actual:   " << hex(actual.substr(at, 24))
                  << "\nif the change is meant, rerun with VDK_UPDATE_GOLDEN=1 ctest -L export";
}

}  // namespace exporttest

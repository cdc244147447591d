#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.
#include <string>

namespace testsupport {

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder's path, ending with '/'.
    const std::string& path() const { return folder; }
    // path() + name
    std::string file(const std::string& name) const { return folder + name; }

private:
    std::string folder;
};

}  // namespace testsupport

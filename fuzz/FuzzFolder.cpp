#include "fuzz/FuzzFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fuzzfolder {
namespace {

std::string makeFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vdk-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("fuzz folder");
        std::abort();
    }
    return pattern;
}

void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path(), ignored);
}

}  // namespace

// Kept for the whole process: the removal at exit still needs the name.
const std::string& path() {
    static const std::string* const folder = [] {
        const auto* made = new std::string(makeFolder());
        std::atexit(removeFolder);
        return made;
    }();
    return *folder;
}

std::string writeFile(const std::string& name, std::string_view bytes) {
    const std::string file = path() + "/" + name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::perror(file.c_str());
        std::abort();
    }
    return file;
}

}  // namespace fuzzfolder

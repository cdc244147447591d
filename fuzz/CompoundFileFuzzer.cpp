// The compound-file reader over any bytes: the bytes are loaded as a compound file, then the stream the
// encrypted-document detector asks for is searched and copied, at the top level and through the whole
// tree, and a storage's children are listed.
// Bad input may fail with CFail; anything else (a crash, a sanitizer report, a hang, a huge allocation)
// is a finding.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "foundation/CFail.h"
#include "foundation/files/AppFolders.h"
#include "fuzz/MemoryFile.h"
#include "package/compound/CPPSFile.h"
#include "package/compound/CPPSStream.h"
#include "platform/files/Folders.h"

namespace {

std::string runFolder;

void removeRunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(runFolder, ignored);
}

}  // namespace

// The reader copies the mini stream into a temporary file: those go into a folder of the run's own,
// removed when the run ends.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    runFolder = "/tmp/vdk-cfb-fuzz-XXXXXX";
    if (mkdtemp(runFolder.data()) == nullptr) std::abort();
    std::atexit(removeRunFolder);
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, runFolder + "/");
    setUpTemporaryFilesFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        CPPSFile file(new MemoryFile(std::span<const std::uint8_t>(data, size)));
        const std::int32_t root = file.storageIndex(0, nullptr);
        for (const std::int16_t recursive : {0, 1}) {
            try {
                CPPSStream stream(&file, root, "EncryptedPackage", recursive);
            } catch (const CFail&) {
                // Not there, or not readable.
            }
        }
        file.hasEntry(file.storageIndex(root, "fDataSpaces"), "DataSpaceMap", 0);
    } catch (const CFail&) {
        // Not a compound file.
    }
    return 0;
}

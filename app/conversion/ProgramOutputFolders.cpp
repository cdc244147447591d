#include "app/conversion/ProgramOutputFolders.h"

#include "app/conversion/OutputFolder.h"
#include "app/settings/ProgramFolders.h"

namespace {

class ProgramOutputFolders : public OutputFolders {
public:
    const PascalWString* resolveOutputFolder(FamilyPreferences& family) override {
        FamilyPreferences* handle = &family;
        return ::resolveOutputFolder(&handle);
    }

    // Made anew at every call, so a folder removed during a batch comes back.
    const PascalWString* convertedFilesFolder() override {
        convertedFiles = ::convertedFilesFolder();
        return &convertedFiles;
    }

private:
    PascalWString convertedFiles;
};

}  // namespace

OutputFolders& programOutputFolders() {
    static ProgramOutputFolders folders;
    return folders;
}

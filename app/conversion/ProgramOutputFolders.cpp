#include "app/ProgramOutputFolders.h"

#include "app/OutputFolder.h"
#include "app/ProgramFolders.h"

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

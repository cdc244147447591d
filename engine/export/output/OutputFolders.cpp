#include "engine/export/output/OutputFolders.h"

namespace {
class BesideOriginalFolders : public OutputFolders {
public:
    const PascalWString* resolveOutputFolder(FamilyPreferences&) override { return nullptr; }
    const PascalWString* convertedFilesFolder() override { return nullptr; }
};
}  // namespace

OutputFolders& besideOriginalFolders() {
    static BesideOriginalFolders folders;
    return folders;
}

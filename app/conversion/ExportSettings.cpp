#include "app/conversion/ExportSettings.h"

#include "app/settings/ProgramFolders.h"
#include "foundation/CFail.h"
#include "platform/files/FileSystem.h"

ExportSettings gExportSettings{100, 0x07, 0x1FF};

void readBarFile() {
    gExportSettings = ExportSettings{100, 0x07, 0x1FF};
    // The file was once read here; nothing it holds is used, so only its presence is checked.
    const auto path = platform::NativePath::fromWide(filePath(programFolder(), uistring::kExportSettingsFile));
    platform::FileHandle file = platform::kNoFile;
    if (platform::openFile(path, true, false, file) == result::kSuccess) platform::closeFile(file);
}

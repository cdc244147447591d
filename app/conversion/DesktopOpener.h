#pragma once
// Opening converted files on the desktop, through the desktop's associations (foundation/files/ShellServices.h).
// The program binds it only where a display is available.
#include "engine/task/DocumentOpener.h"

class DesktopOpener : public DocumentOpener {
public:
    std::int16_t findAssociatedApplication(const char* extension, PascalWString& applicationName,
                                           PascalWString& applicationFolder) override;
    std::int16_t openFiles(const FileSpec* fileList) override;
    std::int16_t openFilesWithApplication(const PascalWString& applicationName, const PascalWString& applicationFolder,
                                          const FileSpec* fileList) override;
    std::u16string applicationDisplayName(const PascalWString& applicationName,
                                          const PascalWString& applicationFolder) override;
};

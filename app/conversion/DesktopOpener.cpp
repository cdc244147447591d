#include "app/conversion/DesktopOpener.h"

#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/ShellServices.h"

std::int16_t DesktopOpener::findAssociatedApplication(const char* extension, PascalWString& applicationName,
                                                      PascalWString& applicationFolder) {
    return ::findAssociatedApplication(kAnyFileCode, kAnyFileCode, extension, applicationName, applicationFolder);
}

std::int16_t DesktopOpener::openFiles(const FileSpec* fileList) {
    return ::openFiles(fileList);
}

std::int16_t DesktopOpener::openFilesWithApplication(const PascalWString& applicationName,
                                                     const PascalWString& applicationFolder, const FileSpec* fileList) {
    return ::openFilesWithApplication(applicationName, applicationFolder, fileList);
}

std::u16string DesktopOpener::applicationDisplayName(const PascalWString& applicationName,
                                                     const PascalWString& applicationFolder) {
    // Room for the longest name the desktop answers and its 0; without a desktop name the text holds
    // the file name without its extension.
    char16_t text[256] = {};
    static_cast<void>(::applicationDisplayName(applicationName, applicationFolder, text, 256));
    return text;
}

#pragma once
// How the task hands converted files (and, for diagnosis, the intermediate storage) to the desktop:
// the application associated with an extension, and opening files with their own or a chosen
// application. The program binds it where there is a display to open them on; a task without an
// opener opens nothing.
//
// File lists are heap blocks of FileSpec records (their number is the block's size over the record's),
// as the export engine answers them.
#include <cstdint>
#include <string>

#include "foundation/files/FileSpec.h"
#include "foundation/text/PascalWString.h"

class DocumentOpener {
public:
    DocumentOpener() = default;
    DocumentOpener(const DocumentOpener&) = delete;
    DocumentOpener& operator=(const DocumentOpener&) = delete;

    // The application that opens files with the extension (without the dot): 0, or a non-zero code
    // when there is none.
    virtual std::int16_t findAssociatedApplication(const char* extension, PascalWString& applicationName,
                                                   PascalWString& applicationFolder) = 0;
    // Opens every file of the list with its own application: 0, or the failure's code.
    virtual std::int16_t openFiles(const FileSpec* fileList) = 0;
    // Opens every file of the list with the application (folder + name): 0, or the failure's code.
    virtual std::int16_t openFilesWithApplication(const PascalWString& applicationName,
                                                  const PascalWString& applicationFolder, const FileSpec* fileList) = 0;
    // The name a user knows the application (folder + name) by: the desktop's name for it, or else its
    // file name without the extension.
    virtual std::u16string applicationDisplayName(const PascalWString& applicationName,
                                                  const PascalWString& applicationFolder) = 0;

protected:
    ~DocumentOpener() = default;
};

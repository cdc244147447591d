#pragma once
// Where the converted files of a family go: the folder chosen by the family's save-in mode, and the
// converted-files folder that takes a file whose folder cannot be written. The application implements
// it with its folders and folder picker; until then the stand-in below keeps every output beside its
// original.
#include "foundation/text/PascalWString.h"

struct FamilyPreferences;

class OutputFolders {
public:
    OutputFolders() = default;
    OutputFolders(const OutputFolders&) = delete;
    OutputFolders& operator=(const OutputFolders&) = delete;

    // The output folder (with its trailing separator) for the family's save-in mode, or null for the
    // folder of the original. May raise CFail (-9999 when the user cancels a folder choice).
    virtual const PascalWString* resolveOutputFolder(FamilyPreferences& family) = 0;
    // The converted-files folder, created when missing; null when there is none to fall back to.
    virtual const PascalWString* convertedFilesFolder() = 0;

protected:
    ~OutputFolders() = default;
};

// The stand-in: every output goes beside its original, and there is no converted-files folder.
OutputFolders& besideOriginalFolders();

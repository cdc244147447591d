#pragma once
// Where a batch notes every file it collected, before converting it: the main window's recent-files
// list. Without one (a command-line run) nothing is noted.
#include "foundation/files/FileSpec.h"

class RecentFiles {
public:
    virtual void noteCollectedFile(const FileSpec& file) = 0;

protected:
    ~RecentFiles() = default;
};

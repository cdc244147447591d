#pragma once
// Output files written under a temporary name in their target folder and put in place only when the
// whole export succeeded. A file of the final name that stands there before is kept as it is until
// commit replaces it; discarding (or destroying the staging) deletes every temporary file, so a failed
// export leaves no partial file behind.
#include <cstdint>
#include <vector>

#include "foundation/files/FileSpec.h"
#include "foundation/text/PascalWString.h"

class OutputStaging {
public:
    OutputStaging() = default;
    ~OutputStaging();
    OutputStaging(const OutputStaging&) = delete;
    OutputStaging& operator=(const OutputStaging&) = delete;

    // Creates a new empty temporary file in folder that stands for name until commit, and answers its
    // FileSpec (the file the exporter opens). Raises CFail with the file's code when it cannot be made.
    FileSpec stage(const PascalWString& name, const PascalWString& folder);
    // True when a staged file will take that name in that folder.
    bool holds(const PascalWString& name, const PascalWString& folder) const;
    // Puts every staged file in place of its name, in the order staged. Raises the first failure; the
    // files not yet in place stay staged (and are discarded).
    void commit();
    // Deletes every staged temporary file.
    void discard();

private:
    struct Entry {
        PascalWString temporaryName;
        PascalWString finalName;
        PascalWString folder;
    };
    std::vector<Entry> entries;
};

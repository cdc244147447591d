// The program's entry. The start-up grows with the application; it converts nothing yet.
#include <cstdio>
#include <cstring>

#include "foundation/GdiplusStartupInput.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("vostrandimeko " VOSTRANDIMEKO_VERSION);
        return 0;
    }
    const GdiplusStartupInput pictureLibraryStartup(nullptr, false, false);
    (void)pictureLibraryStartup;
    return 0;
}

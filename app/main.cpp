// The program's entry: the command line goes to the application, whose answer is the exit status.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/windows/WindowLayer.h"
#include "platform/desktop/DesktopModule.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("vostrandimeko " VOSTRANDIMEKO_VERSION);
        return 0;
    }
    // The desktop window system is loaded from its module only when windows are to show.
    bindDesktopWindowSystem(&platform::desktop::makeDesktopWindowSystemFromModule);
    return runApplication(std::vector<std::string>(argv + 1, argv + argc));
}

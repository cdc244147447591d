// The program's entry: the command line goes to the application, whose answer is the exit status.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/windows/WindowLayer.h"
#include "platform/desktop/DesktopWindowSystem.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("vostrandimeko " VOSTRANDIMEKO_VERSION);
        return 0;
    }
    // The program is what links the toolkit: it offers its desktop window system to the application.
    bindDesktopWindowSystem(&platform::desktop::makeDesktopWindowSystem);
    return runApplication(std::vector<std::string>(argv + 1, argv + argc));
}

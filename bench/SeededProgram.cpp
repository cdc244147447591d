// The program with its random generator seeded at start: the random ids that reach an output (a text
// box's id) come out the same on every run, so two runs, or two builds, can be compared byte for byte
// (scripts/compare-outputs.sh). VOSTRANDIMEKO_SEED="IJ KL" picks other seeds, to look for output that
// changes with them. Otherwise it is the program itself.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/windows/WindowLayer.h"
#include "foundation/CRandom.h"
#include "platform/desktop/DesktopModule.h"

int main(int argc, char** argv) {
    std::int32_t ij = 1802;
    std::int32_t kl = 9373;
    if (const char* seeds = std::getenv("VOSTRANDIMEKO_SEED")) {
        char* rest = nullptr;
        ij = static_cast<std::int32_t>(std::strtol(seeds, &rest, 10));
        kl = static_cast<std::int32_t>(std::strtol(rest, nullptr, 10));
    }
    seedSharedRandomForTesting(ij, kl);
    bindDesktopWindowSystem(&platform::desktop::makeDesktopWindowSystemFromModule);
    return runApplication(std::vector<std::string>(argv + 1, argv + argc));
}

// The program with its random generator seeded at start: the random ids that reach an output (a text
// box's id) come out the same on every run, so two runs, or two builds, can be compared byte for byte
// (scripts/compare-outputs.sh). Otherwise it is the program itself.
#include <string>
#include <vector>

#include "app/Application.h"
#include "foundation/CRandom.h"

int main(int argc, char** argv) {
    seedSharedRandomForTesting(1802, 9373);
    return runApplication(std::vector<std::string>(argv + 1, argv + argc));
}

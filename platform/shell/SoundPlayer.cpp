#include "platform/shell/SoundPlayer.h"

#include <new>

#include "platform/files/ProgramSearch.h"
#include "platform/shell/Launcher.h"

namespace platform {
namespace {

std::vector<std::string>& testPlayers() {
    static std::vector<std::string> players;
    return players;
}

}  // namespace

void playSoundInBackground(const NativePath& soundFile) {
    if (soundFile.problem() != 0) return;
    try {
        const std::vector<std::string> usual = {"paplay", "aplay"};
        const std::vector<std::string>& players = testPlayers().empty() ? usual : testPlayers();
        for (const std::string& player : players) {
            const std::string program = findProgram(player, programSearchPath());
            if (program.empty()) continue;
            runProgram(program, {soundFile.bytes()}, ProgramOutput::Discarded);
            return;
        }
    } catch (const std::bad_alloc&) {
        // no sound then
    }
}

void setSoundPlayersForTesting(const std::vector<std::string>& players) {
    testPlayers() = players;
}

}  // namespace platform

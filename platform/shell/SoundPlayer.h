#pragma once
// Playing a sound file in the background: the file is handed to the first installed player
// (paplay, then aplay), which runs on its own with its output discarded. Nothing happens when no
// player is installed or the player cannot start; the caller never waits and never learns.
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"

namespace platform {

void playSoundInBackground(const NativePath& soundFile);

// The players tried, in order (full paths or names looked for in $PATH). Tests set their own; an
// empty list puts the usual ones back.
void setSoundPlayersForTesting(const std::vector<std::string>& players);

}  // namespace platform

#pragma once
// The terminal's interrupt (Ctrl-C) as a request to stop the batch: while it is watched, the first
// interrupt is only noted, for the progress window's poll to answer as Stop; a second one ends the
// program as usual.
namespace platform {

void watchInterrupt();
// Puts the usual handling back and forgets a noted interrupt.
void stopWatchingInterrupt();
bool interruptRequested();

// A request to end the program (SIGTERM, and SIGINT) while the main window's loop runs: noted, so that
// the loop ends and the program shuts down as after Exit.
void watchTermination();
void stopWatchingTermination();
bool terminationRequested();

}  // namespace platform

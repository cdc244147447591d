#pragma once
// The program's life: start-up, the work its command line asks for, and shutdown.
//
// Start-up installs the XML error handler, builds the translator registries, reads the preferences and
// the language choice, and sets up the folders; a failure there is reported on standard error and ends
// the program with status 1. Then the command line decides: the registration switches, the files to
// convert, or, with neither, the guided tour (first start) and the main window until Exit or SIGTERM;
// without a display and without VOSTRANDIMEKO_WINDOWS, a short usage and status 2. The exit status is 0
// when every file converted and 1 when any failed or was refused or the batch ended early.
#include <string>
#include <vector>

constexpr int kExitConverted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// arguments: the command line after the program's name.
int runApplication(const std::vector<std::string>& arguments);

// Ends the program after the work in hand: saves the preferences and sets the quit flag.
void quitApplication();
bool quitRequested();

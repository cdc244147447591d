#pragma once
// Starting other programs: opening a document with the desktop's default application, or with a
// chosen one, and running a program with its arguments. Programs are started directly (posix_spawn),
// never through a shell: every argument reaches the program as it is, blanks, quotes and '$' included.
// A started program runs on its own, in a session of its own; the launcher does not wait for it, and
// collects the ones that have ended at its next start, so none lingers as a zombie.
//
// Results are the error numbers callers test for: 0 when the program started, 2 a missing program or
// document, 3 a missing folder on the way, 5 no right to run it, 8 no resources to start it (no
// memory, too many processes), 11 a file that is not a program, 206 a path too long, or the problem
// of a path that cannot name a file (FileSystem.h).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"

namespace platform {

namespace error {
constexpr std::int16_t kNotEnoughResources = 8;
constexpr std::int16_t kNotAProgram = 11;
}  // namespace error

// Where the program's own output goes.
enum class ProgramOutput { Inherited, Discarded };

// Runs the program with the arguments (the program's name is passed before them). A program named
// without a '/' is looked for in $PATH.
std::int16_t runProgram(const std::string& program, const std::vector<std::string>& arguments,
                        ProgramOutput output = ProgramOutput::Inherited);
// Opens a document or a folder with the desktop's default application for it: the desktop opener
// (xdg-open) with the path as its one argument. 2 when nothing is at the path.
std::int16_t openWithDesktop(const NativePath& path);
// Runs the application with the document's path as its one argument.
std::int16_t openWithApplication(const NativePath& application, const NativePath& document);

// What the system's shell-execute call answers for a start with this result: a value above 32 for
// success, 0 when resources ran out, otherwise an error number below 32 (2 file not found, 3 path not
// found, 5 access denied, 11 bad format; 31 no application).
std::int32_t shellExecuteAnswer(std::int16_t launchResult);

// The desktop opener: the test's stand-in when one is set, else xdg-open from $PATH (the bare name
// when it is not installed, so starting it answers 2).
std::string desktopOpener();
// Tests name a program of their own in place of xdg-open; an empty text puts xdg-open back.
void setDesktopOpenerForTesting(const std::string& path);

// Waits until every program this process started has ended (tests that read what one wrote).
void waitForLaunchedPrograms();

}  // namespace platform

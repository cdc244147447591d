#pragma once
// The command line: every argument names a file or folder to convert, except the two registration
// switches, which are recognised only as whole arguments (a path that contains "/install" is a path).
#include <string>
#include <vector>

class ConversionLauncher;

enum class RegistrationSwitch { none, install, remove };

// The first registration switch among the arguments; "/install" wins over "/remove".
RegistrationSwitch registrationSwitch(const std::vector<std::string>& arguments);

// Converts the files and folders the arguments name (relative paths from the working folder) in one
// batch. Answers the number of arguments that could not be taken as a path (too long to name a file);
// they are reported on the way and count as failed.
int convertCommandLineFiles(const std::vector<std::string>& arguments, ConversionLauncher& launcher);

#pragma once
// What the program writes to make the desktop offer it for its file types, and takes away again: its
// desktop entry in the user's applications folder ($XDG_DATA_HOME/applications, ~/.local/share by
// default) and its place as the default application in the user's mimeapps.list ($XDG_CONFIG_HOME,
// ~/.config by default). Everything else in those files and folders is left as it was.
//
// Results: 0, or the error of reading or writing a file (SystemError.h).
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The folder of the user's desktop entries, ending with '/'.
std::string userApplicationsFolder();
// The user's mimeapps.list.
std::string userMimeAppsFile();

// Writes the entry under the name (for example "vostrandimeko.desktop"), replacing the file whole.
std::int16_t writeDesktopEntry(std::string_view desktopId, std::string_view text);
// Deletes the entry only when one of its lines is exactly ownerLine, the line that marks the entries
// the program wrote itself; a missing entry is no failure.
std::int16_t deleteOwnDesktopEntry(std::string_view desktopId, std::string_view ownerLine);

// The desktop entries the user's mimeapps.list names as the default for the type, as written
// ("a.desktop;b.desktop;"); empty when none.
std::string userDefaultApplications(std::string_view mimeType);
// Puts the entry first among the type's defaults; the ones named before stay behind it, so that
// taking it away again gives the type back to them.
std::int16_t addDefaultApplication(std::string_view mimeType, std::string_view desktopId);
// Takes the entry out of the type's defaults, and the type's line when nothing else is left in it.
std::int16_t removeDefaultApplication(std::string_view mimeType, std::string_view desktopId);

}  // namespace platform

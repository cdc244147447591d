#pragma once
// The program's folders and data files. Every folder is a PascalWString ending in the separator.
//
// On this build the folders the program writes into are the user's: the preferences file, the language
// choice and the first-run marker live in the per-user application-data folder (XDG_CONFIG_HOME), since
// the program's own folder is read-only once installed. The program's folder keeps the data shipped
// with it ("Help", "Sounds", "Targets") and the two markers a person may place there by hand
// ("Vostrandimeko.foo", "Vostrandimeko.bar").
#include <cstdint>
#include <string>

#include "foundation/text/PascalWString.h"

namespace uistring {
constexpr std::uint16_t kPreferencesFileName = 10702;  // "Vostrandimeko (3).ini"
constexpr std::uint16_t kLanguageFileName = 10703;     // "Vostrandimeko.lng"
constexpr std::uint16_t kRecentFilesFile = 10705;     // "Vostrandimeko.lst"
constexpr std::uint16_t kDiagnosticMarker = 10706;     // "Vostrandimeko.foo"
constexpr std::uint16_t kExportSettingsFile = 10707;   // "Vostrandimeko.bar"
constexpr std::uint16_t kFirstRunMarker = 10716;       // "Vostrandimeko.1st"
constexpr std::uint16_t kHelpFolder = 10722;           // "Help"
constexpr std::uint16_t kSoundsFolder = 10723;         // "Sounds"
constexpr std::uint16_t kLogsFolder = 10724;           // "Vostrandimeko logs"
constexpr std::uint16_t kConvertedFilesFolder = 10725;  // "Vostrandimeko converted files"
}  // namespace uistring

// The per-user application-data folder; nothing is created.
PascalWString applicationDataFolder();
// The user's Documents folder; nothing is created.
PascalWString documentsFolder();
// The folder holding the program.
PascalWString programFolder();
// The program's folder followed by the sub-folder whose name is the UI string, and a separator.
PascalWString appSubFolder(std::uint16_t nameId);

// Documents + "Vostrandimeko logs", made when missing. Raises CFail when it cannot be made (20: a file
// stands in its place, which is kept); folderSetUpFailurePath() (foundation/files/AppFolders.h) names it.
void setUpLogsFolder();
const PascalWString& logsFolder();
// Documents + "Vostrandimeko converted files", made when missing, computed anew at every call. When it
// cannot be made, the Documents folder itself.
PascalWString convertedFilesFolder();

// The pictures of the main window and the guided tour: the program's folder + "Demo Images/".
PascalWString demoImagesFolder();
// The sample documents shipped with the program: the program's folder + "Test Files/".
PascalWString sampleDocumentsFolder();

// The full path of a file of the folder whose name is the UI string.
std::u16string filePath(const PascalWString& folder, std::uint16_t nameId);
// Whether a file or folder exists at the path.
bool itemExists(const std::u16string& path);

// The language chosen in the Language menu (0 when none was, or the file cannot be read).
std::int16_t readLanguageFile();
// Stores the choice as the file's whole content (its two bytes, low first); false when it cannot.
bool writeLanguageFile(std::int16_t languageChoice);
// The recent-files list of the diagnostic mode, "Vostrandimeko.lst", beside the other per-user files.
std::u16string recentFilesFilePath();
// Whether "Vostrandimeko.foo" is in the program's folder.
std::int16_t diagnosticMarkerPresent();
// Makes the first-run marker anew (an empty file); a failure leaves no marker and is not reported.
void writeFirstRunMarker();
bool firstRunMarkerPresent();

// The program's full path and its base name cut at the first '.', kept at start-up for the file-type
// registration and the RTF writer's document comment.
struct ProgramPaths {
    std::string fullPath;
    std::string baseName;
};
const ProgramPaths& programPaths();

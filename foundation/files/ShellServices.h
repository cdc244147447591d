#pragma once
// Work handed to the desktop: the application associated with an extension, the preferred application
// from the target-applications lists, opening an address in the browser, opening documents with their
// own application or a chosen one, an application's friendly name, playing a sound, the three browse
// dialogs, and three small file-name functions.
//
// Results are 16-bit codes, 0 for success. None of these functions lets a failure escape: whatever
// fails inside is answered as its code (FailureCode.h), a lack of memory as 12, or as 8 by the
// functions that open something (the shell's own code for it).
//
// Locations come and go as a name and a folder (the folder ending in the separator). Programs are
// started directly, never through a shell, so a document's path reaches the application as one
// argument exactly as it is (platform/shell/Launcher.h).
//
// Where the text crosses to the system, the wide-call flag (WideApiFlag.h) chooses the form: the wide
// form takes paths of any length that fits a PascalWString, the 8-bit form at most 511 bytes of UTF-8
// (a longer path answers 206). The registry is always read in the 8-bit form.
#include <cstdint>

#include "foundation/files/FileSpec.h"
#include "foundation/text/PascalWString.h"

// The target-applications lists: files in the program's "Targets" folder, one for each output family.
constexpr std::uint16_t kTargetsFolderStringId = 10727;     // "Targets"
constexpr std::uint16_t kWordProcessingTargetsStringId = 10717;  // "rtf-x86.txt"
constexpr std::uint16_t kSpreadsheetTargetsStringId = 10718;     // "csv-x86.txt"
// A target list larger than this is not read.
constexpr std::int32_t kTargetListMaximumBytes = 1 << 20;
// A registry value a target line names is read with room for this many bytes, its terminating 0
// included; a longer value cannot be read and the line is passed over.
constexpr std::int32_t kTargetValueCapacity = 1024;
// The browser command is read with room for 256 bytes in the 8-bit form and 128 units in the wide
// form, the terminating 0 included; a longer command answers 234 (more data than room).
constexpr std::int32_t kBrowserCommandBytes = 256;
constexpr std::int32_t kBrowserCommandUnits = 128;
// The longest text an association query answers, in characters (units, or bytes in the 8-bit form).
constexpr std::int32_t kAssociationTextLimit = 255;
// The longest extension an association query takes, without the dot.
constexpr std::int32_t kExtensionLimit = 14;

namespace shellresult {
constexpr std::int16_t kNoAssociation = 1155;
constexpr std::int16_t kMoreData = 234;
constexpr std::int16_t kNotFound = 2;
constexpr std::int16_t kFileTypeFailed = 32003;
}  // namespace shellresult

// The executable the desktop opens files with this extension with (8-bit text without the dot, at
// most 14 characters). Opens nothing. 0, or 1155 when there is none (the outputs are then unchanged),
// 206 when its path does not fit. type and creator are accepted and not used.
std::int16_t findAssociatedApplication(std::uint32_t type, std::uint32_t creator, const char* extension,
                                       PascalWString& applicationName, PascalWString& applicationFolder);

// The first application that a target-applications list (a file of the program's "Targets" folder)
// names, through keys of the registry's HKEY_CLASSES_ROOT. The list holds 8-bit lines, each ended by a
// carriage return: '#' first makes a comment; any other line is a label, ';' and a key path. The first
// line whose key exists and whose default value can be read names the application: the value is its
// full path in double quotes followed by anything ("\"/usr/bin/app\" --option \"%1\""), or, without a
// quote at its start, the full path alone. Bytes after the last carriage return are not read. 0 when
// found, else 2 with the outputs unchanged.
std::int16_t findTargetApplications(const char16_t* fileName, PascalWString& applicationName,
                                    PascalWString& applicationFolder);

// Opens the address with the default web browser: the command line of the registry's
// "http\shell\open\command" when a user set one (see BrowserCommand.h), else the desktop opener. 0,
// or the code of the failure (a start that the system answers with 0 gives 8).
std::int16_t openInBrowser(const PascalWString& url);
// What a shell-execute answer means to the callers: 0 (out of resources) gives 8, 1 to 31 are error
// numbers and stay, 32 and above are success (0).
std::int16_t shellExecuteResult(std::int32_t answer);

// Opens a document or folder with the desktop's default application. 0, or the failure's code.
std::int16_t shellOpen(const PascalWString& fullPath);
// Opens each file of the list (one heap block of FileSpec records; their number is the block's size
// over the record's) with the desktop's default application for it; stops at the first that fails,
// the files before it having been opened. An empty or null list opens nothing. 0, or the failure's code.
std::int16_t openFiles(const FileSpec* fileList);
// The same, each file opened with the application (folder + name) with the file's path as its one
// argument.
std::int16_t openFilesWithApplication(const PascalWString& applicationName, const PascalWString& applicationFolder,
                                      const FileSpec* fileList);

// The application's friendly name (the Name of the desktop entry that runs it, at most 255 units) into
// text, a buffer of `capacity` units, cut on a character boundary before the 0 unit. When the desktop
// knows none: the application's file name without its extension, and 1155. 22 when text is null or
// the capacity below 1.
std::int16_t applicationDisplayName(const PascalWString& applicationName, const PascalWString& applicationFolder,
                                    char16_t* text, std::int32_t capacity);

// Plays folder + name in the background and returns at once. Always 0.
std::int16_t playSoundFile(const PascalWString& name, const PascalWString& folder);

// The browse dialogs for a folder, an application and a file or folder: 0 with the choice split into
// name and folder, or -9999 when the user cancelled (the outputs are then unchanged). title is the
// dialog's title, or null for the usual one. The window system in force shows them (a folder comes
// back with an empty name); without one, every dialog answers as cancelled.
std::int16_t chooseFolder(PascalWString& name, PascalWString& folder, const char16_t* title);
std::int16_t chooseApplication(PascalWString& name, PascalWString& folder, const char16_t* title);
std::int16_t chooseFileOrFolder(PascalWString& name, PascalWString& folder, const char16_t* title, std::int32_t unused);

// Stands where a file-name chooser could: reads nothing, changes nothing, answers 0.
std::int16_t returnZero(PascalWString& name, PascalWString& folder, const void* unused, std::int32_t unused2,
                        std::int32_t unused3);

// Clears reference; with an empty name it becomes a copy of the folder (0), otherwise it stays empty
// and the answer is 22.
std::int16_t makeFolderReference(const PascalWString& name, const PascalWString& folder, PascalWString& reference);

// The file's type and creator ('????'), its name in UTF-8 and its extension in capitals ("???" when it
// has none), each cut on a character boundary to its buffer's capacity in bytes, the 0 byte included
// (CFile::getTypeAndExtension). 0, or 32003 when anything fails.
std::int16_t fileTypeAndExtension(const PascalWString& name, const PascalWString& folder, std::uint32_t& type,
                                  std::uint32_t& creator, char* fileName, std::int32_t fileNameCapacity, char* extension,
                                  std::int32_t extensionCapacity);

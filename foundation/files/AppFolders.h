#pragma once
// The program's own folders as PascalWStrings ending in the separator: the temporary-files folder,
// the program's folder (with an optional sub-folder) and the user's Desktop.
//
// A folder whose path does not fit a PascalWString raises CFail 206 rather than being cut (a cut path
// names another folder).
#include <cstdint>

#include "foundation/text/PascalWString.h"

// The temporary-files folder's own name, inside the system's cache folder.
constexpr const char16_t* kTemporaryFilesFolderName = u"Vostrandimeko temporary files";

// Computes the temporary-files folder and creates it (and a missing cache folder above it) when it
// does not exist. Raises CFail with the code when it cannot: 20 when a file stands in its place (the
// file is kept), 206 when the path does not fit. folderSetUpFailurePath() then names the folder.
void setUpTemporaryFilesFolder();
// The temporary-files folder; set up on first use when start-up has not done it.
const PascalWString& temporaryFilesFolder();
// The folder whose set-up failed last (empty when none did), for the message to the user.
const PascalWString& folderSetUpFailurePath();

// Makes the folder (a path ending in the separator) and the missing folders above it. 0 when it
// exists afterwards; otherwise the code (20 when a file stands in its place, which is kept), with the
// folder that could not be made in folderSetUpFailurePath().
std::int16_t setUpFolder(const PascalWString& folderPath);

// The program's folder followed, when a name is given, by that name and a separator. The text lives
// in one shared string, overwritten by the next call.
const PascalWString* appFolder(const char16_t* subFolderName);

// Reads the user's Desktop folder; start-up calls it once.
void setUpDesktopFolder();
// The Desktop folder; read on first use when start-up has not done it.
const PascalWString& desktopFolder();

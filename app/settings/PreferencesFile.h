#pragma once
// The preferences record's file: "Vostrandimeko (3).ini" in the per-user application-data folder,
// exactly the record's kPreferencesBytes bytes (engine/Preferences.h gives the layout).
//
// It is read defensively: a file of another size, or one whose texts do not fit their fields (a
// PascalWString length beyond its capacity, an 8-bit text without its 0 byte), is set aside under the
// same name with ".damaged" added, and the record keeps its defaults. It is written whole under a
// temporary name and then renamed over the old file, so an interrupted save never leaves half a record.
#include <cstdint>
#include <string>

#include "engine/Preferences.h"

enum class PreferencesFileState {
    missing,   // no file: the defaults stay
    read,      // the record was read from the file
    setAside,  // the file was damaged and renamed; the defaults stay
    unreadable,  // the file could not be read; the defaults stay and the file is left alone
};

struct PreferencesFileResult {
    PreferencesFileState state;
    std::u16string setAsidePath;  // where a damaged file went
};

// The file's full path.
std::u16string preferencesFilePath();
// Whether the bytes are a sound record: the right size, and every text within its field.
bool preferencesBytesAreSound(const std::uint8_t* bytes, std::int64_t length);
// Reads the file over the record (which holds the defaults).
PreferencesFileResult readPreferencesFile(Preferences& preferences);
// Writes the record; makes the application-data folder when it is missing. 0, or the failure's code.
std::int16_t savePreferences(const Preferences& preferences);
// For each family whose open mode is not resolved: 2 when a target-applications list names an
// application (kept in the family's appName and applicationFolder), else 1.
void resolveOpenModes(Preferences& preferences);

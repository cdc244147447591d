#pragma once
// The folder a family's converted file goes to, asked by the export engine for each output file.
#include <cstdint>

#include "engine/Preferences.h"
#include "foundation/text/PascalWString.h"

// Asks the user for a folder: 0 with the choice split into name and parent folder, else the failure's
// code (-9999 when cancelled). title: the prompt, or null for the usual one.
using FolderChooser = std::int16_t (*)(PascalWString& name, PascalWString& folder, const char16_t* title);

// The folder by the family's "Save files in" mode, ending in a separator, in a shared buffer; null for
// the same folder as the original. Mode 2 asks first; a folder that does not exist is asked for again
// (its drive or name in the prompt), the answer going to the current destination and the mode becoming
// 1. A cancelled question raises its code, which ends the file. chooser null: the desktop's browser.
const PascalWString* resolveOutputFolder(FamilyPreferences** familyHandle, FolderChooser chooser = nullptr);

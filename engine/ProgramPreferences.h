#pragma once
// The program's one preferences record. The importers' export choices point into its families'
// "Convert to" texts, and the conversion task and the engines read it. It starts with the defaults of
// clearPreferences; the application replaces it with what its preferences file holds.
#include "engine/Preferences.h"

extern Preferences gPreferences;

#pragma once
// The program's answer to where converted files go: the family's "Save files in" choice (asking for a
// folder when the preferences say so) and the converted-files folder in Documents.
#include "engine/export/output/OutputFolders.h"

OutputFolders& programOutputFolders();

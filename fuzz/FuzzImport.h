#pragma once
// One import of a file in the fuzzing folder through the import engine, with an importer table whose
// every entry is made by the given factory (the importers under test, stand-ins for the others). A file
// that is refused or fails does so alone, as in a batch.
#include "engine/translators/TranslatorDescriptor.h"

namespace fuzzimport {

void importFile(const char* name, TranslatorFactory makeImporter);

}  // namespace fuzzimport

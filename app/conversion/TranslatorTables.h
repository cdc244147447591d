#pragma once
// The program's two translator tables: each descriptor bound to the factory of its translator, in the
// order detection walks them, ended by the null row. The registries are built over these.
#include "engine/translators/TranslatorDescriptors.h"

extern TranslatorEntry importerTable[importer::kCount + 1];
extern TranslatorEntry exporterTable[exporter::kCount + 1];

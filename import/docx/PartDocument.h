#pragma once
// A parsed package part, released with its tree when its holder goes.
#include <libxml/tree.h>

#include <memory>

struct PartDocumentRelease {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

using PartDocument = std::unique_ptr<xmlDoc, PartDocumentRelease>;

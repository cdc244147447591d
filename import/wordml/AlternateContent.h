#pragma once
// Markup-compatibility blocks (mc:AlternateContent) offer one content in several forms: mc:Choice
// branches that need extensions the importer does not understand, and an mc:Fallback branch in the
// plain vocabulary. The importer reads the fallback only: every choice is taken out of the tree before
// any walk sees it, so a text box or picture never arrives twice.
#include <libxml/tree.h>

// Unlinks and frees every mc:Choice element below the node (the node itself included).
void dropAlternateChoices(xmlNode* node);

#pragma once
// Markup-compatibility blocks (mc:AlternateContent) offer one content in several forms: mc:Choice
// branches that need extensions the importer does not understand, and an mc:Fallback branch in the
// plain vocabulary. The importer reads the fallback only: before any walk sees the tree, every block is
// replaced by its fallback's content, so a text box or picture never arrives twice and a run or
// paragraph inside a fallback is found where the block stood.
#include <libxml/tree.h>

// Replaces every mc:AlternateContent element below the node (the node itself excluded) by the children
// of its first mc:Fallback, or by nothing when it has none; its choices are freed.
void keepAlternateFallbacks(xmlNode* node);

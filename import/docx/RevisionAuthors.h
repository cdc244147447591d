#pragma once
// The authors of a Word 2007 document's revisions and comments, gathered into the block's author table
// before any story is read, so that each revision record can name its author by position. A .docx
// marks each kind of revision with an element of its own; a comment carries its author too.
#include <libxml/tree.h>

struct XParamBlock;

// From first along its siblings, depth first: each revision or comment element registers its "author"
// (any namespace) and is not descended into; every other node is.
void collectRevisionAuthors(xmlNode* first, XParamBlock* block);

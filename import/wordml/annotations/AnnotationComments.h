#pragma once
// Word 2003 documents keep each comment inline, in the run that marks its place: an aml:annotation of
// type "Word.Comment" whose aml:content holds the comment's paragraphs. The content becomes the
// comment's story, and the annotation's run the comment's mark in the text.
#include <libxml/tree.h>

class TNodesArray;

// Whether the element is an aml:annotation of type "Word.Comment".
bool isAnnotationComment(const xmlNode* element);
// Appends the aml:content of every comment annotation from first along its siblings and below them, in
// document order.
void collectAnnotationComments(TNodesArray& comments, xmlNode* first);

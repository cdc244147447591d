#pragma once
// Reading a WordprocessingML document into a libxml2 tree, and taking text out of it.
//
// The parser runs without network access, without loading a DTD and without substituting entities; the
// library's errors are only recorded while it runs (model/XmlErrors.h), so a failure is raised by us
// after the call. Text is taken from text and CDATA nodes only: an entity reference is never expanded.
#include <libxml/tree.h>

#include <cstdint>
#include <string>

// Parses the bytes. Answers the tree, or null with *problem telling what the parser reported (a
// document that is not well-formed, cut short, or whose entities expand without end).
xmlDoc* parseWordDocument(const char* bytes, std::int32_t size, std::string* problem);

// The UTF-8 text below the node in document order. Pretty-printing puts white space between elements;
// a text node of white space alone is document text only when it lies in a w:t.
std::string runTextContent(const xmlNode* node);

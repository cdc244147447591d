#pragma once
// Reading a WordprocessingML document into a libxml2 tree, and taking text out of it.
//
// The parser runs without network access, without loading a DTD and without substituting entities; the
// library's errors are only recorded while it runs (model/storage/XmlErrors.h), so a failure is raised by us
// after the call. Text is taken from text and CDATA nodes only: an entity reference is never expanded.
#include <libxml/tree.h>

#include <cstdint>
#include <string>

// Parses the bytes, keeping only the fallback branch of markup-compatibility blocks (AlternateContent.h).
// Answers the tree, or null with *problem telling what the parser reported (a
// document that is not well-formed, cut short, or whose entities expand without end).
xmlDoc* parseWordDocument(const char* bytes, std::int32_t size, std::string* problem);

// The UTF-8 text below the node in document order. Pretty-printing puts white space between elements;
// a text node of white space alone is document text only when it lies in a w:t.
std::string runTextContent(const xmlNode* node);

// The text a reader sees in a run, or in the runs below a simple field (withRuns): its w:t and
// w:delText, in document order. Nothing below a picture, object, text box or binary data is run text
// (a text box is a story of its own), nor are field instructions; without withRuns a run nested in the
// node is left to be read as a run of its own.
std::string visibleRunText(const xmlNode* node, bool withRuns);

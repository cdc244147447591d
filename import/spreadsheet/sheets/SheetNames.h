#pragma once
// Name tests shared by the two passes over a worksheet part, which see names and namespace URIs as the
// parser gives them rather than as tree nodes.
#include <libxml/xmlerror.h>

#include <string>

// True when the element is in the SpreadsheetML namespace (transitional or strict) or in none, and,
// when name is given, has that local name (name rule).
bool isSheetElement(const char* localName, const char* uri, const char* name);
// The parser's message with its line, for the reason a part fails.
std::string describeXmlError(const xmlError* error);

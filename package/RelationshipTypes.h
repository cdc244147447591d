#pragma once
// What a related part is to the part that names it, as the relationship's type says. Packages name the
// same kind with the transitional URIs (".../officeDocument/2006/relationships/styles") or the strict
// ones ("http://purl.oclc.org/ooxml/officeDocument/relationships/styles"), and some producers with
// variants of the domain; a type is therefore matched by its last segments, which name the kind.
#include <string_view>

enum class PartKind {
    officeDocument,      // the package's main part
    coreProperties,      // title, author, dates
    extendedProperties,  // application, counts
    theme,
    fontTable,
    settings,
    webSettings,
    styles,
    numbering,
    footnotes,
    endnotes,
    comments,
    sharedStrings,       // a workbook's strings
};

// True when the relationship type names a part of the kind.
bool isRelationshipOfKind(std::string_view type, PartKind kind);

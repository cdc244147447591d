#include "package/xml/XmlNamespaces.h"

#include <cstring>

#include "foundation/text/NameCompare.h"

namespace {

struct KnownNamespace {
    const char* prefix;
    const char* uri;
};

// The namespaces the converter's readers ask for by prefix.
constexpr KnownNamespace kKnownNamespaces[] = {
    {"w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main"},
    {"w", "http://purl.oclc.org/ooxml/wordprocessingml/main"},
    {"w", "http://schemas.microsoft.com/office/word/2003/wordml"},
    {"wx", "http://schemas.microsoft.com/office/word/2003/auxHint"},
    {"r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"},
    {"r", "http://purl.oclc.org/ooxml/officeDocument/relationships"},
    {"a", "http://schemas.openxmlformats.org/drawingml/2006/main"},
    {"a", "http://purl.oclc.org/ooxml/drawingml/main"},
    {"wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"},
    {"wp", "http://purl.oclc.org/ooxml/drawingml/wordprocessingDrawing"},
    {"pic", "http://schemas.openxmlformats.org/drawingml/2006/picture"},
    {"pic", "http://purl.oclc.org/ooxml/drawingml/picture"},
    {"m", "http://schemas.openxmlformats.org/officeDocument/2006/math"},
    {"m", "http://purl.oclc.org/ooxml/officeDocument/math"},
    {"v", "urn:schemas-microsoft-com:vml"},
    {"o", "urn:schemas-microsoft-com:office:office"},
    {"w10", "urn:schemas-microsoft-com:office:word"},
    {"x", "http://schemas.openxmlformats.org/spreadsheetml/2006/main"},
    {"x", "http://purl.oclc.org/ooxml/spreadsheetml/main"},
    {"mc", "http://schemas.openxmlformats.org/markup-compatibility/2006"},
    {"cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties"},
    {"dc", "http://purl.org/dc/elements/1.1/"},
    {"dcterms", "http://purl.org/dc/terms/"},
    {"xsi", "http://www.w3.org/2001/XMLSchema-instance"},
};

// What a namespace resolves to: the conventional prefix of a known URI, or kUnknownUri.
const char kUnknownUri[] = "";

const char* resolveUri(const char* uri) {
    for (const auto& known : kKnownNamespaces) {
        if (std::strcmp(known.uri, uri) == 0) return known.prefix;
    }
    return kUnknownUri;
}

// Element names are matched millions of times in a long document, against a handful of namespace
// declarations: each declaration's URI is looked up once and the answer kept in the declaration itself
// (libxml2 leaves its _private to the application and zeroes it when it makes one).
const char* conventionalPrefix(const xmlNs* ns) {
    if (ns->_private != nullptr) return static_cast<const char*>(ns->_private);
    const char* prefix = resolveUri(reinterpret_cast<const char*>(ns->href));
    const_cast<xmlNs*>(ns)->_private = const_cast<char*>(prefix);
    return prefix;
}

}  // namespace

bool namespaceMatchesPrefix(const xmlNs* ns, const char* prefix) {
    if (!ns || !prefix) return false;
    if (ns->href) {
        const char* conventional = conventionalPrefix(ns);
        if (conventional != kUnknownUri) return sameName(conventional, prefix);
    }
    // A namespace we do not know: fall back on the prefix it was written with.
    return ns->prefix && sameName(reinterpret_cast<const char*>(ns->prefix), prefix);
}

#pragma once
// A child element that the document parameters cannot do without ("FONTS", "FONT007", a style's
// "styleForm" ...): the parent's first child element of exactly that name, held by a stream for the
// scope of the holder (the element stays in the document).
//
// An absent element is a damaged or incomplete storage, not a lack of memory: it raises CFail 22 in unit
// "BEngineExp", so that the document-parameter reader can tell the two apart (it reads on after neither,
// but only a lack of memory fails the file).
#include <source_location>

#include "model/storage/CStream.h"

class RequiredElement {
public:
    RequiredElement(CStream& parent, const char* name, std::source_location where = std::source_location::current());
    RequiredElement(const RequiredElement&) = delete;
    RequiredElement& operator=(const RequiredElement&) = delete;

    CStream& operator*() { return stream; }
    CStream* operator->() { return &stream; }

private:
    CStream stream{nullptr, nullptr, 0};
};

// Whether the element carries an attribute of that name.
bool hasAttribute(CStream& element, const char* name);

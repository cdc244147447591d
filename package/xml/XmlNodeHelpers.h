#pragma once
// Plain helpers over libxml2 tree nodes that every XML reader uses. None raises a failure: absence
// is answered with null, 0 or a presence flag of 0. Element names follow the name rule
// (compareNames); attribute names are exact. A prefix argument names a namespace (XmlNamespaces.h);
// null means any namespace, or none.
#include <libxml/tree.h>

#include <cstdint>
#include <initializer_list>
#include <optional>

// The attribute's value (entities substituted) as a new library text, freed with xmlFree; or null.
xmlChar* xmlGetAttr(const xmlNode* element, const char* name);
xmlChar* xmlGetAttrNs(const xmlNode* element, const char* prefix, const char* name);

// 1 for "true", "t", "on", "1", "yes" (name rule), else 0.
std::int16_t xmlGetAttrBool(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// The value in a shared 2049-byte buffer overwritten by the next call; null when absent. A value longer
// than 2048 bytes cannot be handed out whole and counts as absent (present 0), so no caller takes a
// null for a value it was promised.
const char* xmlGetAttrString(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// The value's decimal integer (parseCheckedInteger); 0 when absent. A value outside the 32-bit range
// counts as absent: the answer is 0 with present 0, so the caller keeps its default.
std::int32_t xmlGetAttrInt(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// parseDouble of the value; 0 when absent or not a number.
double xmlGetAttrDouble(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// A W3C date-time ("2026-12-10", "2026-12-10T14:05:00Z", with an optional zone offset) as seconds
// since 1970-01-01 UTC, held within 32 bits; 0 when absent or not a date.
std::int32_t xmlGetAttrDate(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);

// The attributes named are tried in order without a prefix; the first present gives the answer. With
// none present the answer is 0 (null) and present is 0; with no names present is left alone.
std::int16_t xmlGetFirstAttrBool(const xmlNode* element, std::int16_t* present, std::initializer_list<const char*> names);
const char* xmlGetFirstAttrString(const xmlNode* element, std::int16_t* present, std::initializer_list<const char*> names);
std::int32_t xmlGetFirstAttrInt(const xmlNode* element, std::int16_t* present, std::initializer_list<const char*> names);

// The node's text content (for an element, all its descendant text) as one byte per character
// (code points above 255 and malformed bytes become '?'), in a new block released with
// freeMemory; null when there is none.
char* xmlGetText(const xmlNode* node);
// The decimal integer the node's raw text starts with; 0 when there is none.
std::int32_t xmlGetTextInt(const xmlNode* node);

// The element's "AutoUniqueTag" number; an element without one is given a random one (32767 and up),
// written onto it, so later calls answer the same number.
std::int32_t xmlGetUniqueTag(xmlNode* element);
// The boolean "val" attribute; 1 when it is absent.
std::int16_t xmlGetToggle(const xmlNode* element);
// Sets the mask bits in flags when xmlGetToggle answers 1, clears them otherwise.
void xmlSetFlagFromVal(const xmlNode* element, std::uint32_t* flags, std::uint32_t mask);

// Decimal (or upper-case hexadecimal when hexadecimal is 1) digits after an optional leading '-',
// up to length bytes or the first non-digit, accumulated in 64 bits; no value when the number lies
// outside the signed 32-bit range, 0 when there are no digits.
std::optional<std::int32_t> parseCheckedInteger(const char* text, std::int32_t length, std::int16_t hexadecimal);
// parseCheckedInteger, with 0 for a number out of range.
std::int32_t parseInteger(const char* text, std::int32_t length, std::int16_t hexadecimal);
// A decimal floating-point number in the C locale's spelling ("2.5e3"), whatever locale the process
// runs in; leading white space and '+' allowed; 0 when the text does not start with a number.
double parseDouble(const char* text);

#pragma once
// Plain helpers over libxml2 tree nodes that every XML reader uses. None raises a failure: absence
// is answered with null, 0 or a presence flag of 0. Element names follow the name rule
// (compareNames); attribute names are exact. A prefix argument names a namespace (XmlNamespaces.h);
// null means any namespace, or none.
#include <libxml/tree.h>

#include <cstdint>
#include <optional>

// The attribute's value (entities substituted) as a new library text, freed with xmlFree; or null.
xmlChar* xmlGetAttr(const xmlNode* element, const char* name);
xmlChar* xmlGetAttrNs(const xmlNode* element, const char* prefix, const char* name);

// 1 for "true", "t", "on", "1", "yes" (name rule), else 0.
std::int16_t xmlGetAttrBool(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// The value in a shared 2049-byte buffer overwritten by the next call; null when absent or longer
// than 2048 bytes (present is then still 1).
const char* xmlGetAttrString(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// The value's decimal integer (parseCheckedInteger); 0 when absent. A value outside the 32-bit range
// counts as absent: the answer is 0 with present 0, so the caller keeps its default.
std::int32_t xmlGetAttrInt(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// parseDouble of the value; 0 when absent or not a number.
double xmlGetAttrDouble(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// A W3C date-time ("2026-12-10", "2026-12-10T14:05:00Z", with an optional zone offset) as seconds
// since 1970-01-01 UTC, held within 32 bits; 0 when absent or not a date.
std::int32_t xmlGetAttrDate(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);

// Decimal (or upper-case hexadecimal when hexadecimal is 1) digits after an optional leading '-',
// up to length bytes or the first non-digit, accumulated in 64 bits; no value when the number lies
// outside the signed 32-bit range, 0 when there are no digits.
std::optional<std::int32_t> parseCheckedInteger(const char* text, std::int32_t length, std::int16_t hexadecimal);
// parseCheckedInteger, with 0 for a number out of range.
std::int32_t parseInteger(const char* text, std::int32_t length, std::int16_t hexadecimal);
// A decimal floating-point number in the C locale's spelling ("2.5e3"), whatever locale the process
// runs in; leading white space and '+' allowed; 0 when the text does not start with a number.
double parseDouble(const char* text);

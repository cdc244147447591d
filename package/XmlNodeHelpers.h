#pragma once
// Plain helpers over libxml2 tree nodes that every XML reader uses. None raises a failure: absence
// is answered with null, 0 or a presence flag of 0. Element names follow the name rule
// (compareNames); attribute names are exact. A prefix argument names a namespace (XmlNamespaces.h);
// null means any namespace, or none.
#include <libxml/tree.h>

#include <cstdint>

// The attribute's value (entities substituted) as a new library text, freed with xmlFree; or null.
xmlChar* xmlGetAttr(const xmlNode* element, const char* name);
xmlChar* xmlGetAttrNs(const xmlNode* element, const char* prefix, const char* name);

// 1 for "true", "t", "on", "1", "yes" (name rule), else 0.
std::int16_t xmlGetAttrBool(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// The value in a shared 2049-byte buffer overwritten by the next call; null when absent or longer
// than 2048 bytes (present is then still 1).
const char* xmlGetAttrString(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// parseInteger of the value in radix 10; 0 when absent.
std::int32_t xmlGetAttrInt(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// strtod of the value; 0 when absent or not a number.
double xmlGetAttrDouble(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);
// A W3C date-time ("2026-12-10", "2026-12-10T14:05:00Z", with an optional zone offset) as seconds
// since 1970-01-01 UTC, held within 32 bits; 0 when absent or not a date.
std::int32_t xmlGetAttrDate(const xmlNode* element, const char* prefix, const char* name, std::int16_t* present);

// Decimal (or upper-case hexadecimal when hexadecimal is 1) digits after an optional leading '-',
// up to length bytes or the first non-digit; wraps in 32 bits like the files' own writers do.
std::int32_t parseInteger(const char* text, std::int32_t length, std::int16_t hexadecimal);

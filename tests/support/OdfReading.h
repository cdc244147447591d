#pragma once
// Reading what LibreOffice wrote: a member of an ODF package and ODF lengths. Header-only, for the
// oracle programs that already link minizip.
#include <minizip/unzip.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace testsupport {

// A member of a zip file, or an empty text.
inline std::string zipMember(const std::string& path, const char* member) {
    unzFile zip = unzOpen(path.c_str());
    if (zip == nullptr) return "";
    std::string bytes;
    if (unzLocateFile(zip, member, 0) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char piece[8192];
        int n = 0;
        while ((n = unzReadCurrentFile(zip, piece, sizeof piece)) > 0) bytes.append(piece, static_cast<std::size_t>(n));
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return bytes;
}

// An ODF length ("2.54cm", "1in", "72pt", "25.4mm") in twips; NaN for another unit.
inline double twipsOf(const std::string& length) {
    char* end = nullptr;
    const double value = std::strtod(length.c_str(), &end);
    const std::string unit = end != nullptr ? end : "";
    if (unit == "in") return value * 1440.0;
    if (unit == "cm") return value * 1440.0 / 2.54;
    if (unit == "mm") return value * 1440.0 / 25.4;
    if (unit == "pt") return value * 20.0;
    return NAN;
}

}  // namespace testsupport

#pragma once
// The bytes an RTF picture group carries for one picture: its own bytes after the header its kind skips,
// or, for a kind written as PNG, the PNG its bytes were re-encoded as. A picture that cannot be
// re-encoded is not writable: the writer leaves it out rather than write its bytes under a word that
// does not describe them. A picture with no bytes past its header is writable, with no data.
#include <cstdint>
#include <vector>

#include "export/rtf/pictures/RTFPictureKind.h"

class CPicture;

class RTFPictureData {
public:
    // Lacking memory raises CFail 12 in unit "BL_RTF(exp)"; a picture the conversion refuses is not a
    // failure, it just has no data.
    RTFPictureData(const CPicture& picture, const RTFPictureKind& kind);

    bool writable() const { return isWritable; }
    const std::uint8_t* bytes() const { return converted.empty() ? source : converted.data(); }
    std::int32_t length() const { return converted.empty() ? sourceLength : static_cast<std::int32_t>(converted.size()); }

private:
    const std::uint8_t* source = nullptr;
    std::int32_t sourceLength = 0;
    std::vector<std::uint8_t> converted;
    bool isWritable = false;
};

#include "export/rtf/head/RTFTableEntryName.h"

#include "export/rtf/head/RTFNameText.h"
#include "foundation/FailureCode.h"

std::string rtfTableEntryName(const char* field, std::size_t room) {
    const std::string escaped = rtfEscapedField(field, room);
    if (escaped.find(';') == std::string::npos) return escaped;
    return raisingOutOfMemory(__LINE__, "BL_RTF(exp)", [&] {
        std::string out;
        out.reserve(escaped.size() + 8);
        for (char byte : escaped) {
            if (byte == ';') {
                out += "\\'3b";
            } else {
                out += byte;
            }
        }
        return out;
    });
}

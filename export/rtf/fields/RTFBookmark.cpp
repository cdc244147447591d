// The start or end of a bookmark, named by the text of its mark run.
#include <string>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFNameText.h"

namespace {

constexpr std::int16_t kBookmarkStart = 28;
constexpr std::int16_t kBookmarkEnd = 29;

}  // namespace

void CRTFFile::writeBookmark(const char16_t* name, std::int32_t count, std::int16_t kind) {
    // A mark run of one unit carries no name.
    if (name == nullptr || count < 2) return;
    if (kind != kBookmarkStart && kind != kBookmarkEnd) return;
    const std::string escaped = rtfEscapedName(std::u16string_view(name, static_cast<std::size_t>(count)));
    writeFormat("{\\*\\%s %s}", kind == kBookmarkStart ? "bkmkstart" : "bkmkend", escaped.c_str());
}

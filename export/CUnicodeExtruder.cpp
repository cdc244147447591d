#include "export/CUnicodeExtruder.h"

#include "model/story/StoryKinds.h"

namespace {

constexpr const char* kUnit = "BL_Unicode(exp)";
// Units from here up are text; below it only tabs and line structure are written.
constexpr char16_t kFirstTextUnit = 28;
constexpr char16_t kCR = 13;
constexpr char16_t kLF = 10;

bool endsLine(char16_t unit) {
    return (unit >= storycode::kLineBreak && unit <= storycode::kSectionBreak) || unit == storycode::kParagraphEnd ||
           unit == storycode::kCellEnd;
}

}  // namespace

CUnicodeExtruder::CUnicodeExtruder(CFile* file) : pending(kUnit), file(file) {}

void CUnicodeExtruder::writeRun(const char16_t* units, std::int32_t length) {
    for (std::int32_t index = 0; index < length; ++index) {
        const char16_t unit = units[index];
        if (unit >= kFirstTextUnit || unit == storycode::kTab) {
            pending.put(unit);
        } else if (endsLine(unit)) {
            pending.put(kCR);
            pending.put(kLF);
        }
    }
}

void CUnicodeExtruder::flush() {
    pending.flush(file);
}

#include "platform/text/TextCase.h"

#include <locale.h>
#include <wctype.h>

namespace platform {
namespace {

// The case tables of the C.UTF-8 locale cover all of Unicode, whatever locale the process runs in.
locale_t unicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

char32_t foldCase(char32_t codePoint) {
    if (codePoint < 0x80) return (codePoint >= 'A' && codePoint <= 'Z') ? codePoint + 32 : codePoint;
    const locale_t locale = unicodeLocale();
    if (!locale) return codePoint;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(codePoint), locale));
}

}  // namespace platform

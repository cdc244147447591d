#pragma once
// The language of the user interface: the locale of the user's messages (LC_ALL, else LC_MESSAGES,
// else LANG: the first that is set decides) as a Windows language id, from a table of the common
// locales ("fr_FR" 1036, "de_DE" 1031, "ja_JP" 1041, "en_US" 1033, "en_GB" 2057, ...). A locale whose
// territory the table lacks takes its language's main id ("fr_SN" 1036).
#include <cstdint>
#include <string_view>

namespace platform {

// The id of a locale name such as "fr_FR.UTF-8" or "de_AT@euro"; 0 for "C", "POSIX" and locales
// that the table does not know.
std::uint16_t windowsLanguageIdOfLocale(std::string_view locale);

// The id of the user's message locale; 0 when none is set or it is not known.
std::uint16_t userInterfaceLanguage();

}  // namespace platform

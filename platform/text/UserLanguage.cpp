#include "platform/text/UserLanguage.h"

#include <cstdlib>
#include <string>

namespace platform {
namespace {

struct LocaleId {
    std::string_view locale;  // "ll_TT", or "ll" for the language's main id
    std::uint16_t id;
};

constexpr LocaleId kLocaleIds[] = {
    // languages, each with its main id
    {"af", 1078}, {"ar", 1025}, {"be", 1059}, {"bg", 1026}, {"bn", 1093}, {"ca", 1027}, {"cs", 1029},
    {"cy", 1106}, {"da", 1030}, {"de", 1031}, {"el", 1032}, {"en", 1033}, {"es", 3082}, {"et", 1061},
    {"eu", 1069}, {"fa", 1065}, {"fi", 1035}, {"fr", 1036}, {"gl", 1110}, {"he", 1037}, {"hi", 1081},
    {"hr", 1050}, {"hu", 1038}, {"hy", 1067}, {"id", 1057}, {"is", 1039}, {"it", 1040}, {"ja", 1041},
    {"ka", 1079}, {"kk", 1087}, {"ko", 1042}, {"lt", 1063}, {"lv", 1062}, {"mk", 1071}, {"ms", 1086},
    {"nb", 1044}, {"nl", 1043}, {"nn", 2068}, {"no", 1044}, {"pl", 1045}, {"pt", 1046}, {"ro", 1048},
    {"ru", 1049}, {"sk", 1051}, {"sl", 1060}, {"sq", 1052}, {"sr", 10266}, {"sv", 1053}, {"sw", 1089},
    {"ta", 1097}, {"th", 1054}, {"tr", 1055}, {"uk", 1058}, {"ur", 1056}, {"vi", 1066}, {"zh", 2052},
    // language and territory, where the id differs from the language's main one
    {"ar_EG", 3073}, {"de_AT", 3079}, {"de_CH", 2055}, {"de_LI", 5127}, {"de_LU", 4103},
    {"en_AU", 3081}, {"en_CA", 4105}, {"en_GB", 2057}, {"en_IE", 6153}, {"en_IN", 16393},
    {"en_NZ", 5129}, {"en_ZA", 7177}, {"es_AR", 11274}, {"es_CL", 13322}, {"es_CO", 9226},
    {"es_MX", 2058}, {"es_US", 21514}, {"fr_BE", 2060}, {"fr_CA", 3084}, {"fr_CH", 4108},
    {"fr_LU", 5132}, {"it_CH", 2064}, {"nl_BE", 2067}, {"pt_PT", 2070}, {"sv_FI", 2077},
    {"zh_HK", 3076}, {"zh_SG", 4100}, {"zh_TW", 1028},
};

std::uint16_t idOf(std::string_view locale) {
    for (const LocaleId& entry : kLocaleIds) {
        if (entry.locale == locale) return entry.id;
    }
    return 0;
}

}  // namespace

std::uint16_t windowsLanguageIdOfLocale(std::string_view locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t underscore = locale.find('_');
    std::string language(locale.substr(0, underscore));
    for (char& c : language) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    if (language.size() < 2 || language.size() > 3) return 0;  // also "C" and "POSIX"
    if (underscore != std::string_view::npos) {
        std::string territory(locale.substr(underscore + 1));
        for (char& c : territory) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        }
        if (const std::uint16_t id = idOf(language + "_" + territory); id != 0) return id;
    }
    return idOf(language);
}

std::uint16_t userInterfaceLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return windowsLanguageIdOfLocale(value);
    }
    return 0;
}

}  // namespace platform

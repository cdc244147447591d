#include <gtest/gtest.h>

#include <stdlib.h>

#include <optional>
#include <string>

#include "platform/text/UserLanguage.h"

namespace {

TEST(UserLanguage, LocalesMapToWindowsLanguageIds) {
    const struct {
        const char* locale;
        std::uint16_t id;
    } cases[] = {
        {"fr_FR.UTF-8", 1036}, {"fr_CA.UTF-8", 3084}, {"fr_SN", 1036},      {"de_DE@euro", 1031},
        {"de_AT.ISO-8859-1", 3079}, {"ja_JP.eucJP", 1041}, {"en_US.UTF-8", 1033}, {"en_GB", 2057},
        {"EN_gb.utf8", 2057},  {"zh_TW.UTF-8", 1028}, {"zh_CN.GB18030", 2052}, {"pt_PT", 2070},
        {"pt", 1046},          {"es_ES", 3082},       {"it", 1040},          {"C", 0},
        {"C.UTF-8", 0},        {"POSIX", 0},          {"", 0},               {"xx_YY", 0},
        {"toolong_XX", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::windowsLanguageIdOfLocale(c.locale), c.id) << c.locale;
}

// Sets the locale variables for one test and puts the old values back.
class LocaleVariables : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            const char* value = ::getenv(kNames[i]);
            if (value) saved[i] = value;
            ::unsetenv(kNames[i]);
        }
    }
    void TearDown() override {
        for (int i = 0; i < 3; ++i) {
            if (saved[i]) {
                ::setenv(kNames[i], saved[i]->c_str(), 1);
            } else {
                ::unsetenv(kNames[i]);
            }
        }
    }

    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved[3];
};

TEST_F(LocaleVariables, TheFirstVariableThatIsSetDecides) {
    EXPECT_EQ(platform::userInterfaceLanguage(), 0) << "none set";
    ::setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(platform::userInterfaceLanguage(), 1036);
    ::setenv("LC_MESSAGES", "de_DE.UTF-8", 1);
    EXPECT_EQ(platform::userInterfaceLanguage(), 1031);
    ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(platform::userInterfaceLanguage(), 1041);
    ::setenv("LC_ALL", "", 1);
    EXPECT_EQ(platform::userInterfaceLanguage(), 1031) << "an empty variable is not set";
    ::setenv("LC_MESSAGES", "C", 1);
    EXPECT_EQ(platform::userInterfaceLanguage(), 0) << "C decides, and names no language";
}

}  // namespace

#include <gtest/gtest.h>

#include "model/params/LanguageEncoding.h"

namespace {

struct EncodingCase {
    std::int32_t languageId;
    std::uint32_t encoding;
};

TEST(LanguageEncoding, EachLanguageGoesWithItsEncoding) {
    const EncodingCase cases[] = {
        {1025, 1286}, {1026, 1281}, {1029, 1281}, {1038, 1281}, {1045, 1281}, {1048, 1281}, {1050, 1281},
        {1051, 1281}, {2074, 1281}, {1028, 1059}, {1032, 1283}, {1037, 1285}, {1039, 1046}, {1041, 1056},
        {1042, 1058}, {1049, 1282}, {1054, 1053}, {1055, 1284}, {1065, 140},  {2052, 1057}, {1033, 1280},
        {0, 1280},    {-1, 1280},
        // Taken as a signed 16-bit id: 65536 + 1025 is 1025.
        {66561, 1286},
    };
    for (const auto& c : cases) EXPECT_EQ(languageEncoding(c.languageId), c.encoding) << c.languageId;
}

}  // namespace

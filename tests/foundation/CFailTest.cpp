#include <gtest/gtest.h>

#include <string>

#include "foundation/CFail.h"

namespace {

struct NameCase {
    const char* given;
    const char* kept;  // null: no name
};

TEST(CFail, KeepsCodeLineAndTheUnitAfterTheLastColon) {
    const NameCase cases[] = {
        {"BArray", "BArray"},
        {"A:B:BArray", "BArray"},
        {"Disk:Sources:BArray", "BArray"},
        {"BStory:", ""},
        {nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const CFail failure(12, 441, c.given);
        EXPECT_EQ(failure.error, 12);
        EXPECT_EQ(failure.line, 441);
        if (c.kept) {
            ASSERT_EQ(failure.fileName, failure.nameBuffer);
            EXPECT_STREQ(failure.fileName, c.kept);
        } else {
            EXPECT_EQ(failure.fileName, nullptr);
            EXPECT_STREQ(failure.nameBuffer, "");
        }
    }
}

TEST(CFail, KeepsLow16BitsAndCutsLongNames) {
    const std::string longName(400, 'x');
    const CFail failure(0x12345, 0x10007, longName.c_str());
    EXPECT_EQ(failure.error, 0x2345);
    EXPECT_EQ(failure.line, 7);
    EXPECT_EQ(std::string(failure.fileName), std::string(255, 'x'));
}

TEST(CFail, CopiesPointIntoTheirOwnBuffer) {
    const CFail original(22, 10, "BStory");
    const CFail copy(original);
    EXPECT_EQ(copy.fileName, copy.nameBuffer);
    EXPECT_STREQ(copy.fileName, "BStory");
}

TEST(Guards, RaiseTheirCodesWithTheCallersUnitAndLine) {
    try {
        throwIfNull(nullptr, 60, "BArray1");
        FAIL() << "no throw";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, 12);
        EXPECT_EQ(failure.line, 60);
        EXPECT_STREQ(failure.fileName, "BArray1");
    }
    try {
        throwIfNullObject(nullptr, 3, "BStory");
        FAIL() << "no throw";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, 22);
    }
    try {
        throwIfError(-9999, 5, "BCommon");
        FAIL() << "no throw";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, -9999);
    }
    int object = 0;
    EXPECT_NO_THROW(throwIfNull(&object, 1, "x"));
    EXPECT_NO_THROW(throwIfError(0, 1, "x"));
    EXPECT_NO_THROW(throwIfError(0x10000, 1, "x"));  // only the low 16 bits count
}

TEST(Guards, RethrowPassesTheSameFailureOn) {
    try {
        try {
            throwFail(32003, 77, "BL_XLML(imp)");
        } catch (const CFail&) {
            rethrowFailure();
        }
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, 32003);
        EXPECT_EQ(failure.line, 77);
        EXPECT_STREQ(failure.fileName, "BL_XLML(imp)");
    }
}

}  // namespace

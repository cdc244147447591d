#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"

namespace {

TEST(FailureCode, AnswersTheCodeOfWhatTheWorkRaised) {
    bool ran = false;
    EXPECT_EQ(failureCode([&] { ran = true; }), 0);
    EXPECT_TRUE(ran);
    EXPECT_EQ(failureCode([] { throwFail(206, __LINE__, "Test"); }), 206);
    EXPECT_EQ(failureCode([] { throw std::bad_alloc(); }), 12);
    // A CFail raised for no memory and a refused standard allocation read the same.
    EXPECT_EQ(failureCode([] { throwIfNull(nullptr, __LINE__, "Test"); }), 12);
}

TEST(FailureCode, WorkThatAnswersACodeHasItAnswered) {
    EXPECT_EQ(failureCode([] { return std::int16_t{1155}; }), 1155);
    EXPECT_EQ(failureCode([] { return 0; }), 0);
    EXPECT_EQ(failureCode([]() -> std::int16_t { throwFail(22, __LINE__, "Test"); }), 22);
}

TEST(FailureCode, AFaultThatIsNoFailurePassesOn) {
    EXPECT_THROW(failureCode([] { throw std::logic_error("a fault"); }), std::logic_error);
}

}  // namespace

#pragma once
// The frame every oracle suite shares: its documents are written and handed to LibreOffice once, before
// its first test (starting LibreOffice costs seconds), kept for all its tests and dropped after the last.
// A suite skips itself where LibreOffice, or another program it names, is missing; it never passes
// without them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/OfficeOracle.h"

namespace testsupport {

// `Suite` is the suite's own class, so that each suite keeps its own work (suites derived from it share
// it); `Shared` holds that work with a `problem` text, empty when everything was written and read back;
// `Base` is the fixture the suite builds on.
template <typename Suite, typename Shared, typename Base = ::testing::Test>
class OracleSuite : public Base {
protected:
    static void TearDownTestSuite() { shared.reset(); }
    void SetUp() override {
        Base::SetUp();
        if (!OfficeOracle::available()) GTEST_SKIP() << "soffice (libreoffice-writer-nogui) is not installed";
        if (const std::string absent = missing(); !absent.empty()) GTEST_SKIP() << absent;
        if (!shared) {
            shared = std::make_unique<Shared>();
            prepare(*shared);
        }
        ASSERT_TRUE(shared->problem.empty()) << shared->problem;
    }

    // What else the suite needs and does not find, said for the skip; empty when nothing is missing.
    virtual std::string missing() const { return {}; }
    // Writes the suite's documents and has them read back, saying in work.problem what went wrong.
    virtual void prepare(Shared& work) = 0;

    static inline std::unique_ptr<Shared> shared;
};

}  // namespace testsupport

#include "app/FailureReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WindowQuestions.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"

namespace {

// Message windows that record what they were asked to show and press a chosen button.
class PressingWindows : public MessageWindows {
public:
    std::int16_t showMessage(const char16_t* text, const char16_t* detail, std::uint32_t flags) override {
        texts.push_back(utf16ToUtf8String(text));
        details.push_back(detail != nullptr ? utf16ToUtf8String(detail) : "<none>");
        shownFlags.push_back(flags);
        return press;
    }
    void showNotification(const char16_t*, std::int16_t) override {}

    std::int16_t press = 0;
    std::vector<std::string> texts;
    std::vector<std::string> details;
    std::vector<std::uint32_t> shownFlags;
};

class FailureReportTest : public ::testing::Test {
protected:
    void SetUp() override { setReportWindows(&windows); }
    void TearDown() override { setReportWindows(nullptr); }
    PressingWindows windows;
};

TEST_F(FailureReportTest, ButtonsAnswerOneThreeTwoAndAnythingElseAsItCame) {
    const struct {
        std::int16_t pressed;
        std::int32_t answer;
    } cases[] = {{6203, 1}, {6204, 3}, {6205, 2}, {0, 0}, {6102, 6102}};
    for (const auto& c : cases) {
        windows.press = c.pressed;
        EXPECT_EQ(reportFailureText(nullptr, u"Go on?", 9), c.answer) << c.pressed;
    }
}

TEST_F(FailureReportTest, DetailLineOnlyWithAFailure) {
    const CFail failure(32003, 417, "C:BEngine");
    const PascalWString name = makePascal(u"report.docx");
    reportFailureResource(&failure, 10109, 1, name);
    reportFailureText(nullptr, u"%d files, 100%% done", 2, 3);
    ASSERT_EQ(windows.texts.size(), 2u);
    EXPECT_EQ(windows.texts[0],
              "Could not convert the file 'report.docx' because it is inaccessible. It is probably being used by "
              "another application.");
    EXPECT_EQ(windows.details[0], "error 32003 at BEngine:417");
    EXPECT_EQ(windows.texts[1], "3 files, 100% done");
    EXPECT_EQ(windows.details[1], "<none>");
    EXPECT_EQ(windows.shownFlags[1], 2u);
}

TEST_F(FailureReportTest, EngineMessagesKeepTheirPercentSignsAndQuestionsAreNoUnlessYes) {
    WindowQuestions questions;
    const CFail failure(22, 9, "BEngineImp");
    questions.showMessage(&failure, 10111, 1, u"Could not convert '100%d.docx'");
    EXPECT_EQ(windows.texts.back(), "Could not convert '100%d.docx'");
    EXPECT_EQ(windows.details.back(), "error 22 at BEngineImp:9");

    const struct {
        std::int16_t pressed;
        std::int16_t answer;
    } cases[] = {{6203, 1}, {6204, 0}, {0, 0}};
    for (const auto& c : cases) {
        windows.press = c.pressed;
        std::int16_t box = 0;
        EXPECT_EQ(questions.showConfirmation(10138, u"Open them all?", 1, &box), c.answer) << c.pressed;
    }
}

TEST(FailureReportWithoutWindows, ShowsNothingAndAnswersNone) {
    setReportWindows(nullptr);
    EXPECT_EQ(reportFailureText(nullptr, u"Nobody sees this", 1), 0);
    EXPECT_EQ(mainWindowHandle(), nullptr);
}

}  // namespace

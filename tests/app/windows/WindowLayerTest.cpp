// The windows on the headless window system: their layout, buttons and answers, the progress window's
// protocol, and the path of a batch stopped by a person.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/FailureReport.h"
#include "app/windows/CConfirmWindow.h"
#include "app/windows/CMessageWindow.h"
#include "app/windows/CNotificationWindow.h"
#include "app/windows/CProgWindow.h"
#include "app/windows/CReportWindow.h"
#include "app/windows/DialogTemplateText.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/ShellServices.h"
#include "picture/BitmapHandle.h"
#include "platform/windows/HeadlessWindowSystem.h"
#include "tests/app/conversion/StopDuringBatch.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PictureFixtures.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::HeadlessWindowSystem;

// Calls the check with each modal dialog while it is shown.
class DialogWatcher : public platform::WindowObserver {
public:
    std::function<void(platform::Dialog*, const std::string&)> check;
    std::vector<std::string> shown;
    void dialogShown(platform::Dialog* dialog, const std::string& name) override {
        shown.push_back(name);
        if (check) check(dialog, name);
    }
};

class WindowLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setWindowSystem(&windows);
        windows.setObserver(&watcher);
    }
    void TearDown() override {
        windows.setObserver(nullptr);
        platform::setWindowSystem(nullptr);
    }

    platform::PixelRect rect(platform::Dialog* dialog, std::uint16_t id) { return windows.itemRect(dialog, id); }

    HeadlessWindowSystem windows;
    DialogWatcher watcher;
};

TEST_F(WindowLayerTest, EveryLayoutReadsAndABadLineIsNamed) {
    for (const char* name : {"MessageWindow", "NotificationWindow", "ReportWindow", "AboutWindow", "ConfirmWindow",
                             "ProgWindow"}) {
        const auto form = loadDialogTemplate(name);
        ASSERT_TRUE(form.has_value()) << name;
        EXPECT_EQ(form->name, name);
        EXPECT_FALSE(form->controls.empty()) << name;
    }
    std::string problem;
    EXPECT_FALSE(parseDialogTemplate("dialog X 10 10 \"T\"\nbutton 1 2 3 4 \"unclosed\n", &problem));
    EXPECT_EQ(problem, "line 2: button 1 2 3 4 \"unclosed");
    EXPECT_FALSE(parseDialogTemplate("dialog X 10 10 \"T\"\nslider 1 2 3 4 5\n", &problem));
    const auto quoted = parseDialogTemplate("# c\ndialog X 10 20 \"T\"\ntext 7 1 2 3 4 \"say \\\"hi\\\"\\r\"\n");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->controls.at(0).text, "say \"hi\"\r");
}

TEST_F(WindowLayerTest, MessageWindowShowsTheButtonsOfItsFlagsAndFollowsTheTextDown) {
    struct Case {
        std::uint32_t flags;
        bool withDetail;
        bool second;
        bool third;
        const char* first;
        const char* secondText;
        platform::IconName icon;
        const char* title;
    };
    const Case cases[] = {
        {2, false, false, false, "OK", "Cancel", platform::IconName::information, "Message"},
        {1, true, false, false, "OK", "Cancel", platform::IconName::stop, "Message"},
        {42, false, true, false, "Yes", "No", platform::IconName::information, "Message"},
        {18, false, false, true, "OK", "Cancel", platform::IconName::information, "Message"},
        {(10172U << 16) | 0x4A, false, true, false, "OK", "Cancel", platform::IconName::information, "Canceling"},
        {0, false, false, false, "OK", "Cancel", platform::IconName::program, "Message"},
    };
    // Long enough to wrap over several lines.
    const std::u16string text(400, u'w');
    for (const Case& c : cases) {
        watcher.check = [&](platform::Dialog* dialog, const std::string&) {
            EXPECT_EQ(windows.itemVisible(dialog, 6204), c.second) << c.flags;
            EXPECT_EQ(windows.itemVisible(dialog, 6205), c.third) << c.flags;
            EXPECT_EQ(windows.itemVisible(dialog, 6202), c.withDetail) << c.flags;
            EXPECT_EQ(windows.itemText(dialog, 6203), c.first) << c.flags;
            EXPECT_EQ(windows.itemText(dialog, 6204), c.secondText) << c.flags;
            EXPECT_EQ(windows.itemIcon(dialog, 6200), c.icon) << c.flags;
            EXPECT_EQ(windows.title(dialog), c.title) << c.flags;
            const platform::PixelRect textRect = rect(dialog, 6201);
            EXPECT_GT(textRect.height(), HeadlessWindowSystem::kLineHeight) << "the text wraps";
            const std::int32_t above = c.withDetail ? rect(dialog, 6202).bottom : textRect.bottom;
            if (c.withDetail) {
                EXPECT_EQ(rect(dialog, 6202).top, textRect.bottom + 16);
            }
            for (const std::uint16_t button : {6203, 6204, 6205}) EXPECT_EQ(rect(dialog, button).top, above + 16);
            EXPECT_EQ(windows.clientRect(dialog).height(), rect(dialog, 6203).bottom + 16);
        };
        windows.queueAnswer("MessageWindow", {6203});
        EXPECT_EQ(showMessage(text.c_str(), c.withDetail ? u"error 22 at BEngine:3" : nullptr, c.flags), 6203);
    }
    EXPECT_EQ(watcher.shown.size(), std::size(cases));
}

TEST_F(WindowLayerTest, FailureReportMapsTheButtonsAndAClosedWindowAnswersNothing) {
    WindowLayer layer;
    setReportWindows(&layer);
    struct Case {
        std::vector<std::uint16_t> clicks;
        std::int32_t answer;
    };
    // A click on a hidden button does nothing: the window then closes unanswered.
    const Case cases[] = {{{6203}, 1}, {{6204}, 3}, {{6205}, 2}, {{}, 0}, {{6201}, 0}};
    for (const Case& c : cases) {
        windows.queueAnswer("", c.clicks);
        EXPECT_EQ(reportFailureText(nullptr, u"Question %d?", 0x18 | 2, 7), c.answer);
    }
    windows.queueAnswer("", {6205});
    EXPECT_EQ(reportFailureText(nullptr, u"Two buttons", 0x8 | 2), 0) << "the third is hidden";
    setReportWindows(nullptr);
}

TEST_F(WindowLayerTest, AMessageWithNoWindowToShowItGoesToStandardError) {
    // No window system yet (or any more), and no report windows: the text is not lost.
    platform::setWindowSystem(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(showMessage(u"Before the display.\rSecond line", u"error 5 at BFile:9", 1), 0);
    const CFail failure(22, 3, "BEngine");
    EXPECT_EQ(reportFailureText(&failure, u"After the windows: %d", 1, 4), 0);
    showNotification(u"The summary.", 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Before the display.\nSecond line\nerror 5 at BFile:9\nAfter the windows: 4\nerror 22 at BEngine:3\n"
              "The summary.\n");
}

TEST_F(WindowLayerTest, ConfirmationKeepsTheCallersDontAskFlag) {
    struct Case {
        const char* what;
        std::int16_t flagBefore;
        std::int16_t offer;
        std::vector<std::uint16_t> clicks;
        std::int16_t answer;
        std::int16_t flagAfter;
        bool shown;
    };
    const Case cases[] = {
        {"yes", 0, 1, {4102}, 1, 0, true},
        {"no", 0, 1, {4103}, 0, 0, true},
        {"box ticked, then no", 0, 1, {4104, 4103}, 0, 1, true},
        {"box ticked twice, then yes", 0, 1, {4104, 4104, 4102}, 1, 0, true},
        {"closed", 0, 1, {}, 0, 0, true},
        {"not asked again", 1, 1, {4102}, 5, 1, false},
        {"box not offered", 0, 0, {4104, 4103}, 0, 0, true},
    };
    for (const Case& c : cases) {
        watcher.shown.clear();
        std::int16_t flag = c.flagBefore;
        if (c.shown) windows.queueAnswer("ConfirmWindow", c.clicks);
        watcher.check = [&](platform::Dialog* dialog, const std::string&) {
            EXPECT_EQ(windows.itemVisible(dialog, 4104), c.offer == 1) << c.what;
            const std::int32_t below = rect(dialog, 4101).bottom + 16;
            for (const std::uint16_t id : {4102, 4103, 4104}) EXPECT_EQ(rect(dialog, id).top, below) << c.what;
        };
        EXPECT_EQ(askConfirmationText(&flag, 5, c.offer, u"Convert and open 13 files?"), c.answer) << c.what;
        EXPECT_EQ(flag, c.flagAfter) << c.what;
        EXPECT_EQ(watcher.shown.size(), c.shown ? 1U : 0U) << c.what;
    }
}

TEST_F(WindowLayerTest, NotificationOffersShowFilesOnlyWhenAsked) {
    for (const std::int16_t showFiles : {0, 1}) {
        watcher.check = [&](platform::Dialog* dialog, const std::string&) {
            EXPECT_EQ(windows.itemVisible(dialog, 6103), showFiles == 1);
            EXPECT_EQ(windows.itemText(dialog, 6101), "One file was converted.");
            EXPECT_EQ(rect(dialog, 6102).top, rect(dialog, 6101).bottom + 16);
        };
        windows.queueAnswer("NotificationWindow", {6102});
        showNotification(u"One file was converted.", showFiles);
    }
    EXPECT_EQ(watcher.shown, (std::vector<std::string>{"NotificationWindow", "NotificationWindow"}));
}

TEST_F(WindowLayerTest, ReportWindowShowsTheFailureAndItsMailNamesIt) {
    const CFail failure(-108, 41, "BStory");
    watcher.check = [&](platform::Dialog* dialog, const std::string&) {
        EXPECT_EQ(windows.itemText(dialog, 6602), "error -108 at BStory:41");
    };
    for (const std::uint16_t button : {6603, 6604}) {
        windows.queueAnswer("ReportWindow", {button});
        EXPECT_EQ(showFailureReport(failure), button);
    }
    EXPECT_EQ(showFailureReport(failure), 0) << "closed";
    EXPECT_EQ(failureReportMailAddress(failure),
              "mailto:support@vostrandimeko.example?subject=Vostrandimeko%20X86%20failure&body=Error%20-108%20has%20"
              "ocurred%20at%20BStory:41.%0D%0A%0D%0AThanks!");
}

// A window on which the base operations are tried.
class PlainWindow : public CWindow {
public:
    PlainWindow() : CWindow("ProgWindow", nullptr) {}
    ~PlainWindow() override { platform::windowSystem()->destroyDialog(dialog); }
};

TEST_F(WindowLayerTest, PackedPositionsSizesAndCentring) {
    PlainWindow window;
    const std::uint32_t place = window.getItemPosition(5203);
    window.moveItem(5203, place);
    EXPECT_EQ(window.getItemPosition(5203), place);
    window.moveItem(5203, place + 10);
    EXPECT_EQ(packedTop(window.getItemPosition(5203)), packedTop(place) + 10);
    EXPECT_EQ(packedLeft(window.getItemPosition(5203)), packedLeft(place));

    const platform::PixelRect client = windows.clientRect(window.dialogHandle());
    window.setClientSize(300);
    EXPECT_EQ(windows.clientRect(window.dialogHandle()).height(), 300);
    EXPECT_EQ(windows.clientRect(window.dialogHandle()).width(), client.width());
    window.setClientSize(packPoint(400, 0));
    EXPECT_EQ(windows.clientRect(window.dialogHandle()).width(), 400);
    EXPECT_EQ(windows.clientRect(window.dialogHandle()).height(), 300);

    // Centred on the screen; one larger than the work area ends 2 pixels inside its bottom and right.
    window.center();
    const platform::PixelRect centred = windows.windowRect(window.dialogHandle());
    EXPECT_EQ(centred.left, (HeadlessWindowSystem::kScreenWidth - 400) / 2);
    window.setClientSize(packPoint(2000, 1500));
    window.center();
    const platform::PixelRect big = windows.windowRect(window.dialogHandle());
    const platform::PixelRect area = windows.workArea(nullptr);
    EXPECT_EQ(big.right, area.right - 2);
    EXPECT_EQ(big.bottom, area.bottom - 2);
}

TEST_F(WindowLayerTest, TextsCrossWithinTheirBounds) {
    PlainWindow window;
    window.setItemNumber(5201, -42);
    EXPECT_EQ(window.getItemNumber(5201), -42);
    std::u16string longText(300, u'x');
    longText[253] = u'\xD83D';  // a surrogate pair across the 254-unit bound
    longText[254] = u'\xDE00';
    window.setItemText(5203, longText.c_str());
    PascalWString read;
    window.getItemPString(5203, read);
    EXPECT_EQ(read.length(), 253) << "cut before the pair, never inside it";
    char narrow[kItemText8Bytes];
    window.setItemText8(5203, std::string(300, 'a').c_str());
    EXPECT_EQ(std::string(window.getItemText8(5203, narrow)).size(), 255U);
    char untouched[kItemText8Bytes] = "kept";
    EXPECT_EQ(window.selectComboText(5203, "absent"), -1);
    EXPECT_STREQ(window.getComboText(5203, untouched), "kept");
}

TEST_F(WindowLayerTest, PictureFileShowsAndAMissingOneChangesNothing) {
    testsupport::TemporaryFolder folder;
    const auto png = picturefixtures::pngPicture(12, 7);
    ASSERT_TRUE(testsupport::writeBytes(folder.file("p.png"), std::string_view(reinterpret_cast<const char*>(png.data()), png.size())));
    const auto jpeg = picturefixtures::jpegPicture(5, 3);
    ASSERT_TRUE(testsupport::writeBytes(folder.file("p.jpg"), std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size())));
    PlainWindow window;
    const PascalWString folderName = makePascal(utf8ToUtf16String(folder.path()));
    window.setItemPicture(5205, makePascal(u"p.png"), folderName);
    EXPECT_EQ(windows.itemBitmapSize(window.dialogHandle(), 5205), std::make_pair(12U, 7U));
    window.setItemPicture(5205, makePascal(u"missing.png"), folderName);
    EXPECT_EQ(windows.itemBitmapSize(window.dialogHandle(), 5205), std::make_pair(12U, 7U));
    window.setItemPicture(5205, makePascal(u"p.jpg"), folderName);
    EXPECT_EQ(windows.itemBitmapSize(window.dialogHandle(), 5205), std::make_pair(5U, 3U));
    const std::uint8_t notAPicture[] = {'n', 'o', 'p', 'e'};
    EXPECT_EQ(loadBitmapHandle(notAPicture, 4), nullptr);
}

TEST_F(WindowLayerTest, ProgressWindowBoundsItsLinesAndKeepsStopUntilCleared) {
    CProgWindow progress;
    platform::Dialog* dialog = progress.dialogHandle();
    EXPECT_TRUE(windows.dialogVisible(dialog));
    progress.setBar(5, 0);
    EXPECT_EQ(windows.itemProgress(dialog, 5205), std::make_pair(0, 1)) << "a total of 0 is an empty bar";
    progress.setBar(30, 60);
    EXPECT_EQ(windows.itemProgress(dialog, 5205), std::make_pair(30, 60));
    progress.setCount(0);
    progress.decrementCount();
    EXPECT_EQ(windows.itemText(dialog, 5201), "-1");

    // 252 units, then characters of two units each: the 255-unit bound falls inside one of them.
    const PascalWString name = makePascal(std::u16string(250, u'n'));
    std::string faces;
    for (int i = 0; i < 20; ++i) faces += "\xF0\x9F\x98\x80";
    const UniFormatValue values[] = {name, faces.c_str()};
    progress.setFileLine(10208 /* "%h\n(%s)" */, values);
    EXPECT_EQ(utf8ToUtf16String(windows.itemText(dialog, 5203)).size(), 254U) << "cut before the pair";
    EXPECT_EQ(progress.poll(), 0);
    windows.postClick(dialog, 5204);
    EXPECT_EQ(progress.poll(), 1);
    EXPECT_EQ(progress.poll(), 1) << "Stop stays until cleared";
    progress.clearStop();
    EXPECT_EQ(progress.poll(), 0);
}

TEST_F(WindowLayerTest, BrowseDialogsAnswerTheChoiceOrCancelled) {
    PascalWString name = makePascal(u"unchanged");
    PascalWString folder = makePascal(u"unchanged/");
    EXPECT_EQ(chooseFileOrFolder(name, folder, nullptr, 0), -9999);
    EXPECT_EQ(name, makePascal(u"unchanged"));
    windows.queueBrowseChoice("/home/ann/report.docx");
    EXPECT_EQ(chooseFileOrFolder(name, folder, nullptr, 0), 0);
    EXPECT_EQ(name, makePascal(u"report.docx"));
    EXPECT_EQ(folder, makePascal(u"/home/ann/"));
    windows.queueBrowseChoice("/home/ann/Converted");
    EXPECT_EQ(chooseFolder(name, folder, u"Where?"), 0);
    EXPECT_EQ(name, makePascal(u""));
    EXPECT_EQ(folder, makePascal(u"/home/ann/Converted/"));
}

TEST_F(WindowLayerTest, StopPressedOnTheSecondFileEndsTheBatch) {
    windows.setObserver(nullptr);
    testsupport::TemporaryFolder folder;
    testsupport::StopOnSecondFile observer;
    observer.onDialog = [&](platform::Dialog* dialog, const std::string&) { windows.postClick(dialog, 6102); };
    const int status = testsupport::runStopDuringBatch(observer, folder);
    testsupport::expectStoppedOnSecondFile(observer, folder, status);
}

}  // namespace

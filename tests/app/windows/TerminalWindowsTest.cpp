#include "app/TerminalWindows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/XmlErrorHandler.h"
#include "engine/translators/DetectionFlag.h"
#include "model/storage/XmlErrors.h"
#include "platform/process/Interrupt.h"

#include <csignal>

namespace {

// A stream whose text the test reads back.
class CapturedStream {
public:
    CapturedStream() : file(std::tmpfile()) {}
    ~CapturedStream() { std::fclose(file); }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;

    std::FILE* stream() const { return file; }
    std::string text() const {
        std::fflush(file);
        std::rewind(file);
        std::string all;
        for (int c; (c = std::fgetc(file)) != EOF;) all += static_cast<char>(c);
        return all;
    }

private:
    std::FILE* file;
};

TEST(TerminalWindowsTest, MessagesGoToErrorsAndNoticesToOutputWithoutWaiting) {
    CapturedStream output;
    CapturedStream errors;
    TerminalWindows windows(output.stream(), errors.stream(), false);
    EXPECT_EQ(windows.showMessage(u"A fatal error.\r\r'bad'", u"error 22 at BEngine:3", 42), 0);
    windows.showNotification(u"One file was converted successfully.\n\n", 1);
    EXPECT_EQ(errors.text(), "A fatal error.\n\n'bad'\nerror 22 at BEngine:3\n");
    EXPECT_EQ(output.text(), "One file was converted successfully.\n");
}

TEST(TerminalWindowsTest, ProgressIsALinePerFileOffATerminalAndOneUpdatingLineOnIt) {
    for (const bool onTerminal : {false, true}) {
        CapturedStream output;
        CapturedStream errors;
        TerminalWindows windows(output.stream(), errors.stream(), onTerminal);
        ProgressWindow* window = windows.openProgressWindow();
        ASSERT_NE(window, nullptr);
        window->setCaption(10202);
        window->setCount(2);
        for (const char16_t* fileName : {u"a.docx", u"a.docx", u"b.xlsx"}) {
            const PascalWString name = makePascal(fileName);
            const UniFormatValue values[] = {name, "Word 2007"};
            window->setPhase(10204);
            window->setFileLine(10208, values);
        }
        windows.showMessage(u"Stopped.", nullptr, 2);
        windows.closeProgressWindow(window);
        const std::string shown = errors.text();
        if (onTerminal) {
            // One line rewritten in place, ended before the message, which keeps a line of its own.
            const std::size_t message = shown.find("\nStopped.\n");
            ASSERT_NE(message, std::string::npos) << shown;
            EXPECT_EQ(shown.find('\n'), message) << shown;
            EXPECT_NE(shown.rfind("\rFiles remaining to be converted: 2  Reading: b.xlsx (Word 2007)"), std::string::npos)
                << shown;
        } else {
            EXPECT_EQ(shown, "a.docx\nb.xlsx\nStopped.\n");
        }
        EXPECT_EQ(output.text(), "");
    }
}

TEST(TerminalWindowsTest, InterruptIsTheStopButton) {
    for (const bool onTerminal : {false, true}) {
        CapturedStream output;
        CapturedStream errors;
        TerminalWindows windows(output.stream(), errors.stream(), onTerminal);
        ProgressWindow* window = windows.openProgressWindow();
        platform::watchInterrupt();
        EXPECT_EQ(window->poll(), 0);
        std::raise(SIGINT);
        EXPECT_EQ(window->poll(), 1) << onTerminal;
        platform::stopWatchingInterrupt();
        windows.closeProgressWindow(window);
    }
}

TEST(XmlErrorHandlerTest, RecordsFatalErrorsOutsideDetectionAndNeverThrows) {
    installXmlErrorHandler();
    takeXmlFatalError();
    const std::string broken = "<a><b></a>";
    const auto parse = [&] {
        xmlDocPtr document = xmlReadMemory(broken.data(), static_cast<int>(broken.size()), nullptr, nullptr, 0);
        if (document != nullptr) xmlFreeDoc(document);
    };
    parse();
    XmlFatalError taken = takeXmlFatalError();
    EXPECT_TRUE(taken.reported);
    EXPECT_FALSE(taken.message.empty());
    EXPECT_NE(taken.message.back(), '\n');
    EXPECT_FALSE(takeXmlFatalError().reported) << "taking clears the record";

    {
        DetectionScope probing;
        parse();
    }
    EXPECT_FALSE(takeXmlFatalError().reported) << "detection probes quietly";
}

}  // namespace

// Reporting a file that could not be converted: a line in the batch's report log, its code in the
// file's result entry and, in a batch that is not quiet (a batch of one file), a message by its code,
// after which the batch ends. In a quiet batch the same text is the file's line on the asker's list of
// failed files, so the person sees which files failed and why without opening a log.
#include "engine/task/CImportTask.h"
#include "engine/task/ReportLog.h"
#include "engine/task/UserQuestions.h"
#include "engine/translators/ForeignTypes.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/encoding/CharsetText.h"
#include "foundation/text/TextFormat.h"

namespace {
constexpr const char* kUnit = "BEngine";
constexpr std::uint16_t kFailedLine = 10061;       // "# The file '%s' could not be converted (%d %d@%s)\n"
constexpr std::uint16_t kNoConvertorLine = 10062;  // "# No appropriate convertor was found for the file '%s'\n"
constexpr std::uint16_t kForeignTypeMessage = 10105;
constexpr std::uint16_t kUnknownFormatMessage = 10107;
constexpr std::uint16_t kInaccessibleMessage = 10109;
constexpr std::uint16_t kFailedMessage = 10111;
constexpr std::uint16_t kRefusedMessage = 10119;        // "Could not convert the file '%h' because %u."
constexpr std::uint16_t kNotOpenedMessage = 30005;      // "The file '%h' was converted, but ... could not be opened."
constexpr std::uint16_t kNotOpenedLine = 30006;
constexpr std::uint32_t kErrorIcon = 1;
constexpr std::int32_t kMessageUnits = 1024;

void logFailure(CFile& log, const FileSpec& file, const CFail& failure) {
    char name[512];
    uniPascalToText(file.name, name);
    if (failure.error == result::kErrUnknownFormat) {
        printResourceLine(log, kNoConvertorLine, name);
    } else {
        printResourceLine(log, kFailedLine, name, static_cast<int>(failure.error), static_cast<int>(failure.line),
                          failure.fileName != nullptr ? failure.fileName : "");
    }
}

// The message for the failure's code, or 0 for a code that shows nothing.
std::uint16_t messageFor(std::int16_t code, const char* foreignText) {
    switch (code) {
    case result::kErrCancelled:
    case result::kStopQuietly:
        return 0;
    case result::kErrUnknownFormat:
        return foreignText != nullptr ? kForeignTypeMessage : kUnknownFormatMessage;
    case result::kErrInaccessible:
        return kInaccessibleMessage;
    default:
        return kFailedMessage;
    }
}

void formatFailure(char16_t (&text)[kMessageUnits], const FileSpec& file, std::uint16_t messageId,
                   const char* foreignText, const std::u16string& reason) {
    if (messageId == kForeignTypeMessage) {
        formatUniResource(text, messageId, file.name, foreignText);
    } else if (messageId == kRefusedMessage) {
        formatUniResource(text, messageId, file.name, reason.c_str());
    } else {
        formatUniResource(text, messageId, file.name);
    }
}

void showFailure(UserQuestions* asker, const FileSpec& file, const CFail& failure, std::uint16_t messageId,
                 const char* foreignText, const std::u16string& reason) {
    char16_t text[kMessageUnits];
    formatFailure(text, file, messageId, foreignText, reason);
    reportFailure(asker, &failure, messageId, kErrorIcon, text);
}
}  // namespace

void CImportTask::reportFileFailure(const FileSpec& file, const CFail& failure, std::int16_t quiet,
                                    std::int32_t resultIndex) {
    ++task.failedFiles;
    if (task.reportLog != nullptr) logFailure(*task.reportLog, file, failure);
    if (task.resultList != nullptr) {
        if (FileSpec* entry = task.resultList->fileSpecAt(resultIndex)) entry->importResult = failure.error;
    }
    const char* foreignText = failure.error == result::kErrUnknownFormat ? foreignTypeText(file.name) : nullptr;
    const std::uint16_t messageId = failure.error == result::kErrInaccessible && !refusalReason.empty()
                                        ? kRefusedMessage
                                        : messageFor(failure.error, foreignText);
    if (quiet == 1) {
        if (failure.error == result::kStopQuietly) throwFail(result::kStopQuietly, __LINE__, kUnit);
        if (messageId != 0 && task.asker != nullptr) {
            char16_t text[kMessageUnits];
            formatFailure(text, file, messageId, foreignText, refusalReason);
            task.asker->noteFailedFile(&failure, text);
        }
        return;
    }
    if (failure.error == result::kErrCancelled) return;
    if (messageId != 0) showFailure(task.asker, file, failure, messageId, foreignText, refusalReason);
    throwFail(result::kStopQuietly, __LINE__, kUnit);
}

// The converted file stays converted: the message says so rather than that the conversion failed.
void CImportTask::reportOpenFailure(const FileSpec& file, const CFail& failure) {
    if (task.reportLog != nullptr) {
        char name[512];
        uniPascalToText(file.name, name);
        printResourceLine(*task.reportLog, kNotOpenedLine, name, static_cast<int>(failure.error),
                          static_cast<int>(failure.line), failure.fileName != nullptr ? failure.fileName : "");
    }
    char16_t text[kMessageUnits];
    formatFailure(text, file, kNotOpenedMessage, nullptr, std::u16string());
    if (task.quiet != 1) {
        reportFailure(task.asker, &failure, kNotOpenedMessage, kErrorIcon, text);
    } else if (task.asker != nullptr) {
        task.asker->noteFailedFile(&failure, text);
    }
}

void CImportTask::keepRefusalReason(const char16_t* reason) {
    refusalReason = reason != nullptr ? std::u16string(reason) : std::u16string();
}

#include "app/conversion/BatchSummary.h"

#include <gtest/gtest.h>

#include "app/conversion/ConversionLauncher.h"
#include "app/conversion/TranslatorTables.h"
#include "engine/translators/CTranslator.h"
#include "foundation/encoding/Utf8Codec.h"

namespace {

struct SummaryCase {
    const char* what;
    std::int32_t words;
    std::int32_t sheets;
    std::int16_t wordSaveMode;
    std::int16_t wordFallbacks;
    const char* expected;
};

TEST(BatchSummaryTest, SentencesForOneFileSeveralFilesBothFamiliesAndTheFallbackFolder) {
    CTranslator exporters(exporterTable, TranslatorDirection::exporters);
    const SummaryCase cases[] = {
        {"one file", 1, 0, kSaveBesideOriginal, 0,
         "One file was converted successfully.\n\nOne Word Processing file was converted to RTF format.\n\n"
         "It was saved in the same folder as the original file."},
        {"several files", 3, 0, kSaveBesideOriginal, 0,
         "3 files were converted successfully.\n\n3 Word Processing files were converted to RTF format.\n\n"
         "They were saved in the same folders as the original files."},
        {"both families", 1, 2, kSaveBesideOriginal, 0,
         "3 files were converted successfully.\n\nOne Word Processing file was converted to RTF format.\n\n"
         "It was saved in the same folder as the original file.\r\r2 Spreadsheet files were converted to CSV "
         "format.\n\nThey were saved in the same folders as the original files."},
        {"the one file fell back", 1, 0, kSaveBesideOriginal, 1,
         "One file was converted successfully.\n\nOne Word Processing file was converted to RTF format.\n\n"
         "It could not be saved beside the original file and was saved in the folder 'Vostrandimeko converted "
         "files' instead."},
        {"every file fell back", 2, 0, kSaveBesideOriginal, 2,
         "2 files were converted successfully.\n\n2 Word Processing files were converted to RTF format.\n\n"
         "They could not be saved beside the original files and were saved in the folder 'Vostrandimeko "
         "converted files' instead."},
        {"some files fell back", 2, 0, kSaveBesideOriginal, 1,
         "2 files were converted successfully.\n\n2 Word Processing files were converted to RTF format.\n\n"
         "They were saved in the same folders as the original files."},
        {"a specific folder", 2, 0, kSaveInSpecificFolder, 0,
         "2 files were converted successfully.\n\n2 Word Processing files were converted to RTF format.\n\n"
         "They were saved in the folder 'Converted'."},
        {"chosen while converting, a whole disk", 1, 0, kSaveChooseWhileConverting, 0,
         "One file was converted successfully.\n\nOne Word Processing file was converted to RTF format.\n\n"
         "It was saved on the disk '/media/stick/'."},
        {"the converted-files folder", 1, 0, kSaveInConvertedFilesFolder, 0,
         "One file was converted successfully.\n\nOne Word Processing file was converted to RTF format.\n\n."},
    };
    for (const SummaryCase& c : cases) {
        Preferences preferences;
        clearPreferences(preferences);
        preferences.wordProcessing.saveMode = c.wordSaveMode;
        preferences.wordProcessing.fallbackCount = c.wordFallbacks;
        assignCString(preferences.wordProcessing.storedName, "Converted");
        assignCString(preferences.wordProcessing.currentDrive, "/media/stick/");
        EXPECT_EQ(utf16ToUtf8String(batchSummary(preferences, c.words, c.sheets, &exporters)), c.expected) << c.what;
    }
}

TEST(BatchSummaryTest, FallbackNoticeAndLogFileName) {
    EXPECT_EQ(utf16ToUtf8String(fallbackNotice(1)),
              "One converted file could not be saved in its destination folder and was saved in the folder "
              "'Vostrandimeko converted files' instead.");
    EXPECT_EQ(utf16ToUtf8String(fallbackNotice(2)),
              "2 converted files could not be saved in their destination folder and were saved in the folder "
              "'Vostrandimeko converted files' instead.");

    std::tm time{};
    time.tm_year = 2009 - 1900;
    time.tm_mon = 5;  // June
    time.tm_mday = 3;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 7;
    EXPECT_EQ(utf16ToUtf8String(logFileName(time)), "20090603-090507.log");
}

}  // namespace

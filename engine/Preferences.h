#pragma once
// The user's settings: one record held by the application, kept in a file of exactly
// kPreferencesBytes bytes. The file's layout is fixed (every field keeps its offset and width, integers
// little-endian, PascalWStrings as 256 units); the record in memory is written to it and read from it
// field by field through one table, never copied as a block.
//
// Two families share one layout: word processing and spreadsheets. Each names the exporter its
// documents go to ("Convert to"), where the converted files are saved and whether they are opened.
#include <cstdint>

#include "foundation/text/PascalWString.h"

constexpr std::int32_t kPreferencesBytes = 10540;
constexpr std::int32_t kFamilyPreferencesBytes = 4166;
constexpr int kConvertToBytes = 64;
constexpr int kStoryOptionCount = 20;

// saveMode
constexpr std::int16_t kSaveBesideOriginal = 0;
constexpr std::int16_t kSaveInSpecificFolder = 1;
constexpr std::int16_t kSaveChooseWhileConverting = 2;
constexpr std::int16_t kSaveInConvertedFilesFolder = 3;
// openMode
constexpr std::int16_t kOpenNotResolved = -1;  // resolved from the target applications at start-up
constexpr std::int16_t kOpenNever = 0;
constexpr std::int16_t kOpenWithDefaultApplication = 1;
constexpr std::int16_t kOpenWithSpecificApplication = 2;
// logMode
constexpr std::int16_t kNoLogFiles = 0;
constexpr std::int16_t kLogInDefaultFolder = 1;
constexpr std::int16_t kLogInSpecificFolder = 2;
// notifyFlags
constexpr std::uint16_t kNotifyPlaySound = 0x0001;
constexpr std::uint16_t kNotifyShowSummary = 0x0002;

struct FamilyPreferences {
    char convertTo[kConvertToBytes];  // the exporter's name, NUL-terminated
    std::int16_t saveMode;
    PascalWString storedDrive;   // the drive root when a whole drive was chosen
    PascalWString storedName;    // name of the chosen folder
    PascalWString storedParent;  // its parent folder, with separator
    std::int16_t openMode;
    PascalWString appName;            // file name of the chosen application
    PascalWString applicationFolder;  // its folder
    PascalWString currentDrive;       // destination of the current batch
    PascalWString currentName;
    std::int16_t fallbackCount;  // files of this batch that went to the converted-files folder
    PascalWString currentParent;
};

struct Preferences {
    std::int16_t unusedAtStart;
    std::int16_t mainWindowOption;  // state of main-window control 5001
    std::int16_t dumpParamBlocks;
    std::int16_t showIntermediateXml;
    std::int16_t showFinalDocument;
    std::int16_t noAskContextMenu;
    std::int16_t noAskDefaultApp;
    std::int16_t noAskManyFiles;
    std::int16_t noAskOtherFiles;
    std::int16_t otherFilesAnswer;
    std::int16_t dateNames;
    std::int16_t diagnosticCopy;
    FamilyPreferences wordProcessing;
    FamilyPreferences spreadsheet;
    std::int16_t logMode;
    PascalWString logFolderName;
    std::uint16_t notifyFlags;  // other bits are kept as they are
    PascalWString logFolderParent;
    PascalWString soundName;
    PascalWString soundsFolder;  // set at every start to the program's sounds folder
    std::int16_t unusedAfterSoundsFolder;
    std::int16_t storyOptions[kStoryOptionCount];  // indexed by the export engine's story code
    std::uint8_t unusedBeforePlacement[78];
    std::int16_t placementSaved;
    std::int16_t windowTop;
    std::int16_t windowLeft;
    std::int16_t windowHeight;
    std::int16_t windowWidth;
    std::int16_t unusedAtEnd;
};

// How one field is kept in the file.
enum class PreferenceValue { int16, uint16, int16Array, bytes, text, pascalText, family };

struct PreferenceField {
    const char* name;
    std::int32_t offset;  // in the file, from the start of the record (or of the family block)
    std::int32_t width;   // bytes in the file
    PreferenceValue value;
    void* (*member)(void* record);  // the field in memory, in a Preferences or a FamilyPreferences
};

// The rows of the record and of a family block, in file order; together they cover every byte.
extern const PreferenceField preferenceFields[];
extern const std::int32_t preferenceFieldCount;
extern const PreferenceField familyPreferenceFields[];
extern const std::int32_t familyPreferenceFieldCount;

// A new record: every byte zero, "Convert to" "RTF" for word processing and "CSV" for spreadsheets,
// both open modes not yet resolved.
void clearPreferences(Preferences& preferences);
void copyPreferences(Preferences& destination, const Preferences& source);

// The record in its file form: exactly kPreferencesBytes bytes.
void encodePreferences(const Preferences& preferences, std::uint8_t (&bytes)[kPreferencesBytes]);
// Reads a record from its file form. Anything other than kPreferencesBytes bytes answers 22 and leaves
// the record alone. Texts are kept within their fields: a stored length beyond a PascalWString's
// capacity is cut to it, and every 8-bit text ends with a 0 byte.
std::int16_t decodePreferences(const std::uint8_t* bytes, std::int32_t length, Preferences& preferences);

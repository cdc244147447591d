#pragma once
// The preferences window: for each output family (word processing, spreadsheets) the format, where
// converted files go and what opens them; the log files; the sound and the alert after a batch; and
// which questions the program may ask. It edits a copy of the record and puts it back whole only when
// the user accepts, with "OK" or, when the caller gave a place for it, "This time only".
#include <cstdint>
#include <memory>

#include "app/windows/CWindow.h"
#include "engine/Preferences.h"

class CTranslator;

namespace prefwindow {
constexpr std::uint16_t kOk = 4000;
constexpr std::uint16_t kCancel = 4001;
constexpr std::uint16_t kThisTimeOnly = 4002;
constexpr std::uint16_t kTabs = 4003;
constexpr std::uint16_t kWordProcessingFirst = 4004;
constexpr std::uint16_t kSpreadsheetFirst = 4013;
// Offsets from a family's first id.
constexpr std::uint16_t kConvertTo = 1;
constexpr std::uint16_t kSaveIn = 3;
constexpr std::uint16_t kDestination = 4;
constexpr std::uint16_t kOpenConverted = 5;
constexpr std::uint16_t kOpenWithLabel = 6;
constexpr std::uint16_t kOpenWith = 7;
constexpr std::uint16_t kApplication = 8;
constexpr std::uint16_t kKeepLogs = 4022;
constexpr std::uint16_t kLogLabel = 4023;
constexpr std::uint16_t kLogIn = 4024;
constexpr std::uint16_t kLogFolder = 4025;
constexpr std::uint16_t kOpenLogFolder = 4026;
constexpr std::uint16_t kPlaySound = 4028;
constexpr std::uint16_t kDisplayAlert = 4029;
constexpr std::uint16_t kSounds = 4030;
constexpr std::uint16_t kFirstWarningsControl = 4031;
constexpr std::uint16_t kAskDefaultApp = 4032;
constexpr std::uint16_t kAskContextMenu = 4034;
constexpr std::uint16_t kAskManyFiles = 4035;
constexpr std::uint16_t kAskOtherFiles = 4036;
constexpr std::uint16_t kLastControl = 4036;
}  // namespace prefwindow

class CPrefWindow : public CWindow {
public:
    // Runs the window on the record; returns when it has ended. The exporters fill "Convert to:".
    CPrefWindow(Preferences& record, std::int16_t* oneTimeFlag, const CTranslator* exporters);
    ~CPrefWindow() override = default;

    std::int32_t init() override;
    std::int32_t initMenu(CommandEvent& event) override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    virtual std::int16_t pickApplication(PascalWString& name, PascalWString& folder);
    virtual std::int16_t pickFolder(PascalWString& name, PascalWString& folder, PascalWString* drive);
    virtual void fillSounds();
    virtual void showDestination(const FamilyPreferences& family, std::uint16_t label);
    virtual void showApplication(const FamilyPreferences& family, std::uint16_t label);
    virtual void showLogFolder();
    virtual void showTab();

    bool accepted() const { return wasAccepted; }

private:
    void initFamily(FamilyPreferences& family, std::uint16_t first);
    void familyCommand(FamilyPreferences& family, std::uint16_t first, std::uint16_t offset, std::uint16_t code);
    void takeSelectedSound();
    void setNotifyFlag(std::uint16_t flag, bool set);

    Preferences& record;
    std::unique_ptr<Preferences> copy;
    std::int16_t* oneTimeFlag;
    const CTranslator* exporters;
    std::int16_t done = 0;
    std::int16_t acceptedNow = 0;
    bool wasAccepted = false;
};

// Runs the preferences window on the record (null: the application's) and saves the preferences
// afterwards unless it was closed with "This time only" (settings meant for one conversion are not
// kept). Answers whether it was accepted; *thisTimeOnly, when given, whether with "This time only".
bool showPreferences(Preferences* record, std::int16_t* thisTimeOnly, const CTranslator* exporters);

#pragma once
// The language of the user interface. Every UI string comes from the one resource module in force
// (ResourceModule.h): the program's own English table at start, or a language file that replaces it.
// Language files lie in the folder "languages" beside the program, one per language, named after the
// language id OR 0x400 in lower-case hexadecimal: "lang40c.strings" for French (12 or 1036),
// "lang407.strings" for German, "lang411.strings" for Japanese.
//
// The application makes one CMUI at start-up and calls loadLanguageDLL once, before the first window
// opens, with the choice of its Language menu (0 the system's language, 9 English, 12 French, 7 German,
// 17 Japanese). A file that is missing or cannot be read is not reported: the English texts stay.
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/CBase.h"
#include "foundation/language/ResourceModule.h"

// The language choice that keeps the program's own texts.
constexpr std::int16_t kEnglishLanguageChoice = 9;
// The language id when the system tells none.
constexpr std::uint16_t kDefaultUILanguage = 1033;
constexpr const char16_t* kLanguagesFolderName = u"languages";
// "lang%x" + this is a language file's name.
constexpr const char* kLanguageFileSuffix = ".strings";
// Where the registry keeps the user's resource locale (hexadecimal text), under HKEY_CURRENT_USER.
constexpr const char* kResourceLocaleKey = "Control Panel\\Desktop\\ResourceLocale";
// The resource locale is read with room for this many bytes, its terminating 0 included.
constexpr std::int32_t kResourceLocaleCapacity = 16;

class CMUI : public CBase {
public:
    // Nothing is loaded; the program's own texts are in force.
    CMUI();
    // Puts the program's own texts back when a language file is in force, then lets the file go, so
    // no text is ever read from a module that is gone.
    ~CMUI() override;
    CMUI(const CMUI&) = delete;
    CMUI& operator=(const CMUI&) = delete;

    // Puts the texts of the language in force: first the program's own, then, unless the choice is 9
    // (English), the language file of the id (0: getUILanguage's). Only the exact value 9 means
    // English; 1033 looks for "lang409.strings".
    virtual void loadLanguageDLL(std::int16_t languageId);
    // The user's interface language: the language of the message locale (LC_ALL, LC_MESSAGES, LANG),
    // else the registry's resource locale, else 1033.
    virtual std::uint16_t getUILanguage();

    // The language file in force, null when the program's own texts are.
    const ResourceModule* languageLibrary() const { return library.get(); }

private:
    std::shared_ptr<const ResourceModule> library;
};

// The path of the language file of a language id: "<program folder>languages/lang%x.strings", with
// the id OR 0x400. Raises CFail 206 when the program's folder does not fit a path.
std::string languageFilePath(std::uint16_t languageId);

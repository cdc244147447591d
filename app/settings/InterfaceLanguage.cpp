#include "app/InterfaceLanguage.h"

#include "foundation/CMUI.h"
#include "import/spreadsheet/FormatStrings.h"

void chooseInterfaceLanguage(CMUI& languageServices, std::int16_t languageChoice) {
    languageServices.loadLanguageDLL(languageChoice);
    loadFormatStrings();
}

#include "app/settings/InterfaceLanguage.h"

#include "foundation/language/CMUI.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"

void chooseInterfaceLanguage(CMUI& languageServices, std::int16_t languageChoice) {
    languageServices.loadLanguageDLL(languageChoice);
    loadFormatStrings();
}

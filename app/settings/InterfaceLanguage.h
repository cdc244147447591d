#pragma once
// Putting an interface language in force: the UI strings of the choice (CMUI::loadLanguageDLL), then
// every table the program fills from them once, such as the month and day names and built-in number
// formats of spreadsheet cells. Start-up calls it with the saved choice; the Language menu calls it
// again when the user picks another language.
#include <cstdint>

class CMUI;

void chooseInterfaceLanguage(CMUI& languageServices, std::int16_t languageChoice);

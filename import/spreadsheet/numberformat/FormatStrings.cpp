#include "import/spreadsheet/numberformat/FormatStrings.h"

#include <array>
#include <string>

#include "foundation/language/UIStrings.h"

namespace {
constexpr std::uint16_t kFirstBuiltInFormatString = 20000;
constexpr std::uint16_t kFirstMonthNameString = 20110;
constexpr std::uint16_t kFirstDayNameString = 20130;

struct FormatStringTables {
    std::array<std::u16string, kBuiltInFormatCount> builtInFormats;
    std::array<std::u16string, 12> months;
    std::array<std::u16string, 7> days;
    bool loaded = false;
};

FormatStringTables& tables() {
    static FormatStringTables instance;
    return instance;
}

std::u16string loadString(std::uint16_t id) {
    char16_t buffer[kLoadStringSize];
    return loadUniText(buffer, id);
}

// The program's own module is in force from the start, so a table read before the application loads
// the strings holds the English texts.
const FormatStringTables& loadedTables() {
    if (!tables().loaded) loadFormatStrings();
    return tables();
}
}  // namespace

void loadFormatStrings() {
    FormatStringTables& t = tables();
    for (std::uint16_t id = 0; id < kBuiltInFormatCount; ++id)
        t.builtInFormats[id] = loadString(static_cast<std::uint16_t>(kFirstBuiltInFormatString + id));
    for (std::uint16_t month = 0; month < t.months.size(); ++month)
        t.months[month] = loadString(static_cast<std::uint16_t>(kFirstMonthNameString + month));
    for (std::uint16_t day = 0; day < t.days.size(); ++day)
        t.days[day] = loadString(static_cast<std::uint16_t>(kFirstDayNameString + day));
    t.loaded = true;
}

std::u16string_view builtInFormatCode(std::uint16_t formatId) {
    if (formatId >= kBuiltInFormatCount) return {};
    return loadedTables().builtInFormats[formatId];
}

std::u16string_view monthName(int month) {
    if (month < 1 || month > 12) return {};
    return loadedTables().months[static_cast<std::size_t>(month - 1)];
}

std::u16string_view dayName(int weekday) {
    if (weekday < 0 || weekday > 6) return {};
    return loadedTables().days[static_cast<std::size_t>(weekday)];
}

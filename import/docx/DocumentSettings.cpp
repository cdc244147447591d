#include "import/docx/DocumentSettings.h"

#include <cstdint>
#include <limits>

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

struct ValueWord {
    const char* word;
    std::int16_t code;
};

constexpr ValueWord kViewModes[] = {{"none", 0},   {"print", 1},  {"outline", 2},
                                    {"masterPages", 3}, {"normal", 4}, {"web", 5}};
constexpr ValueWord kZoomKinds[] = {{"none", 0}, {"fullPage", 1}, {"bestFit", 2}, {"textFit", 3}};
constexpr const char* kCompressingSpacings[] = {"compressPunctuation", "compressPunctuationAndJapaneseKana"};

// A zoom of 0% or less means nothing; the upper bound is the field's.
constexpr std::int32_t kSmallestZoom = 1;
constexpr std::int32_t kLargestField = std::numeric_limits<std::int16_t>::max();

constexpr std::int16_t kAlignBordersAndEdges = 1;
constexpr std::int16_t kBorderSkipsHeader = 4;
constexpr std::int16_t kBorderSkipsFooter = 8;
constexpr std::int16_t kEvenAndOddHeaders = 2;

// The code of the value word of the attribute; false when the attribute is absent or names no word.
template <std::size_t N>
bool wordCode(const xmlNode* element, const char* attribute, const ValueWord (&words)[N], std::int16_t* code) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, attribute, &present);
    if (value == nullptr) return false;
    for (const ValueWord& word : words) {
        if (compareNames(value, word.word) == 0) {
            *code = word.code;
            return true;
        }
    }
    return false;
}

// An on/off setting: its "val", on when there is none.
bool isOn(const xmlNode* element) {
    std::int16_t present = 0;
    const std::int16_t value = xmlGetAttrBool(element, nullptr, "val", &present);
    return present == 0 || value != 0;
}

void setBits(std::int16_t& bits, std::int16_t mask, bool on) {
    bits = static_cast<std::int16_t>(on ? (bits | mask) : (bits & ~mask));
}

// The integer attribute when it lies within [lowest, kLargestField].
bool fieldNumber(const xmlNode* element, const char* attribute, std::int32_t lowest, std::int16_t* number) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetAttrInt(element, nullptr, attribute, &present);
    if (present == 0 || value < lowest || value > kLargestField) return false;
    *number = static_cast<std::int16_t>(value);
    return true;
}

void readLanguage(const xmlNode* element, const char* attribute, std::string* language) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, attribute, &present);
    if (value != nullptr && language != nullptr) *language = value;
}

using SettingAction = void (*)(xmlNode* element, const SettingsTargets& targets);

struct Setting {
    const char* name;
    SettingAction action;
};

const Setting kSettings[] = {
    {"view", [](xmlNode* e, const SettingsTargets& t) { wordCode(e, "val", kViewModes, &t.head->viewMode); }},
    {"zoom",
     [](xmlNode* e, const SettingsTargets& t) {
         fieldNumber(e, "percent", kSmallestZoom, &t.head->viewScale);
         wordCode(e, "val", kZoomKinds, &t.head->viewZoom);
     }},
    {"mirrorMargins", [](xmlNode* e, const SettingsTargets& t) { t.head->mirrorMargins = isOn(e) ? 1 : 0; }},
    {"alignBordersAndEdges",
     [](xmlNode* e, const SettingsTargets& t) { setBits(t.head->borderOptions, kAlignBordersAndEdges, isOn(e)); }},
    {"bordersDontSurroundHeader",
     [](xmlNode* e, const SettingsTargets& t) { setBits(t.head->borderOptions, kBorderSkipsHeader, isOn(e)); }},
    {"bordersDoNotSurroundHeader",
     [](xmlNode* e, const SettingsTargets& t) { setBits(t.head->borderOptions, kBorderSkipsHeader, isOn(e)); }},
    {"bordersDontSurroundFooter",
     [](xmlNode* e, const SettingsTargets& t) { setBits(t.head->borderOptions, kBorderSkipsFooter, isOn(e)); }},
    {"bordersDoNotSurroundFooter",
     [](xmlNode* e, const SettingsTargets& t) { setBits(t.head->borderOptions, kBorderSkipsFooter, isOn(e)); }},
    {"trackRevisions", [](xmlNode* e, const SettingsTargets& t) { t.head->trackRevisions = isOn(e) ? 1 : 0; }},
    {"defaultTabStop", [](xmlNode* e, const SettingsTargets& t) { fieldNumber(e, "val", 0, &t.head->defaultTabWidth); }},
    {"evenAndOddHeaders",
     [](xmlNode* e, const SettingsTargets& t) { t.head->headers = isOn(e) ? kEvenAndOddHeaders : 0; }},
    {"doNotShadeFormData", [](xmlNode* e, const SettingsTargets& t) { t.head->doNotShadeFormData = isOn(e) ? 1 : 0; }},
    {"characterSpacingControl",
     [](xmlNode* e, const SettingsTargets& t) {
         std::int16_t present = 0;
         const char* value = xmlGetAttrString(e, nullptr, "val", &present);
         for (const char* word : kCompressingSpacings) {
             if (value != nullptr && compareNames(value, word) == 0) t.head->characterSpacingControl = 1;
         }
     }},
    {"footnotePr",
     [](xmlNode* e, const SettingsTargets& t) {
         if (t.readNotes && t.footnotes != nullptr) t.readNotes(e, t.footnotes);
     }},
    {"endnotePr",
     [](xmlNode* e, const SettingsTargets& t) {
         if (t.readNotes && t.endnotes != nullptr) t.readNotes(e, t.endnotes);
     }},
    {"compat",
     [](xmlNode* e, const SettingsTargets& t) {
         if (t.compatibilityMode == nullptr) return;
         for (xmlNode* setting = e->children; setting != nullptr; setting = setting->next) {
             std::int16_t present = 0;
             const char* name = xmlGetAttrString(setting, nullptr, "name", &present);
             if (xmlIsElement(setting, "w", "compatSetting") && name != nullptr &&
                 compareNames(name, "compatibilityMode") == 0)
                 fieldNumber(setting, "val", 0, t.compatibilityMode);
         }
     }},
    {"themeFontLang",
     [](xmlNode* e, const SettingsTargets& t) {
         readLanguage(e, "val", t.latinLanguage);
         readLanguage(e, "eastAsia", t.eastAsianLanguage);
         readLanguage(e, "bidi", t.complexScriptLanguage);
     }},
};

}  // namespace

void readDocumentSettings(const xmlNode* root, const SettingsTargets& targets) {
    if (root == nullptr || targets.head == nullptr) return;
    for (xmlNode* child = root->children; child != nullptr; child = child->next) {
        for (const Setting& setting : kSettings) {
            if (xmlIsElement(child, "w", setting.name)) {
                setting.action(child, targets);
                break;
            }
        }
    }
}

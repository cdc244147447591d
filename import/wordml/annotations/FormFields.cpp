// The form field of a complex field: the w:ffData beside its field-begin character, read into the
// form-field record of the run's character record. A check box, a text input and a drop-down list
// each give the run their field type (3, 4 and 5); a complex field without w:ffData keeps type 2.
//
// Texts are kept only when they fit their field whole (one byte stays for the terminating zero); a
// longer text is dropped, never cut. A drop-down list keeps its first 12 entries that fit.
#include <cstdint>
#include <cstring>

#include "foundation/FieldMask.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "import/wordml/properties/XFormBits.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr std::int16_t kCheckBoxField = 3;
constexpr std::int16_t kTextInputField = 4;
constexpr std::int16_t kDropDownField = 5;

// Copies the "val" text into the field when it fits with its terminating zero; answers whether it did.
template <std::size_t N>
bool copyValue(const xmlNode* element, char (&field)[N]) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, "val", &present);
    if (value == nullptr) return false;
    const std::size_t length = std::strlen(value);
    if (length >= N) return false;
    std::memcpy(field, value, length + 1);
    return true;
}

// The integer "val" into the field when present and within 16 bits.
void copyShortValue(const xmlNode* element, std::int16_t& field) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetAttrInt(element, nullptr, "val", &present);
    if (present != 0 && value >= INT16_MIN && value <= INT16_MAX) field = static_cast<std::int16_t>(value);
}

void readCheckBox(const xmlNode* checkBox, XffData& data) {
    for (const xmlNode* child = checkBox->children; child != nullptr; child = child->next) {
        // Both are on/off elements: present without "val" they are on, as the producers write a
        // checked box.
        if (xmlIsElement(child, "w", "checked")) {
            if (xmlGetToggle(child) == 1) data.cb_checked = 1;
        } else if (xmlIsElement(child, "w", "default")) {
            if (xmlGetToggle(child) == 1) data.cb_defaultState = 1;
        } else if (xmlIsElement(child, "w", "size")) {
            copyValue(child, data.cb_checkBoxSize);
        } else if (xmlIsElement(child, "w", "sizeAuto")) {
            if (xmlGetToggle(child) == 1) data.cb_checkBoxSizeAuto = 1;
        }
    }
}

void readDropDownList(const xmlNode* list, XffData& data) {
    std::int16_t entries = 0;
    for (const xmlNode* child = list->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "defaultIndex")) {
            copyShortValue(child, data.dd_defaultIndex);
        } else if (xmlIsElement(child, "w", "result")) {
            copyShortValue(child, data.dd_resultValue);
        } else if (xmlIsElement(child, "w", "listEntry") && entries < kDropDownEntries) {
            if (copyValue(child, data.dd_listEntry[entries])) ++entries;
        }
    }
    data.dd_listEntryNum = entries;
}

void readTextInput(const xmlNode* input, XffData& data) {
    for (const xmlNode* child = input->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "maxLength")) {
            copyValue(child, data.ti_maxLength);
        } else if (xmlIsElement(child, "w", "type")) {
            std::int16_t present = 0;
            if (const char* type = xmlGetAttrString(child, nullptr, "val", &present))
                data.ti_type = static_cast<std::int16_t>(lookupTextInputType(type));
        } else if (xmlIsElement(child, "w", "default")) {
            copyValue(child, data.ti_defaultText);
        } else if (xmlIsElement(child, "w", "format")) {
            copyValue(child, data.ti_format);
        }
    }
}

constexpr std::int16_t kNotRead = -1;

// One child of w:ffData; answers the field type it gives, 0 for none, kNotRead for a child that
// is not read (help and status texts, anything unknown).
std::int16_t readFormFieldChild(const xmlNode* child, XffData& data) {
    if (xmlIsElement(child, "w", "calcOnExit")) {
        if (xmlGetToggle(child) == 1) data.calcOnExit = 1;
    } else if (xmlIsElement(child, "w", "checkBox")) {
        readCheckBox(child, data);
        return kCheckBoxField;
    } else if (xmlIsElement(child, "w", "ddList")) {
        readDropDownList(child, data);
        return kDropDownField;
    } else if (xmlIsElement(child, "w", "enabled")) {
        if (xmlGetToggle(child) == 1) data.enabled = 1;
    } else if (xmlIsElement(child, "w", "entryMacro")) {
        copyValue(child, data.entryMacro);
    } else if (xmlIsElement(child, "w", "exitMacro")) {
        copyValue(child, data.exitMacro);
    } else if (xmlIsElement(child, "w", "name")) {
        copyValue(child, data.name);
    } else if (xmlIsElement(child, "w", "textInput")) {
        readTextInput(child, data);
        return kTextInputField;
    } else {
        return kNotRead;
    }
    return 0;
}

}  // namespace

void CWordMLImporter::readFormField(xmlNode* field) {
    xmlNode* formField = xmlFindElement(field, "w", "ffData", 1);
    if (formField == nullptr) return;
    XForm& form = block->form;
    for (const xmlNode* child = formField->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        const std::int16_t fieldType = readFormFieldChild(child, form.ffData);
        if (fieldType == kNotRead) continue;
        setMaskBit(form.changeBits, xformbit::kFormField);
        if (fieldType == 0) continue;
        form.fieldType = fieldType;
        setMaskBit(form.changeBits, xformbit::kFieldType);
    }
}

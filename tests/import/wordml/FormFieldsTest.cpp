// Form fields of Word 2003 complex fields as they reach the storage: the field type and the form-field
// record of the run that holds the field's begin character.
#include <cstring>

#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class FormFieldsTest : public WordMLImportTest {
protected:
    // The character record of the first run of a paragraph holding one form field.
    XForm fieldBegin(const std::string& formField, const std::string& instruction = " FORMTEXT ") {
        const std::string body = "<w:p><w:r><w:fldChar w:fldCharType=\"begin\">" + formField +
                                 "</w:fldChar></w:r><w:r><w:instrText>" + instruction +
                                 "</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
                                 "<w:r><w:t>result</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>";
        EXPECT_EQ(import(wordDocument(body)), 0);
        const auto main = story();
        EXPECT_NE(main, nullptr);
        if (main == nullptr) return XForm{};
        EXPECT_EQ(main->textString().substr(0, 1), u"\x14") << "the field's begin character opens the story";
        return main->forms[0];
    }
};

std::string value(const char* element, const std::string& text) {
    return std::string("<w:") + element + " w:val=\"" + text + "\"/>";
}

TEST_F(FormFieldsTest, ACheckBoxKeepsItsStateSizeAndName) {
    const XForm form = fieldBegin(
        "<w:ffData>" + value("name", "Agree") + "<w:enabled/><w:calcOnExit w:val=\"off\"/>" +
        value("entryMacro", "OnEnter") + value("exitMacro", "OnLeave") + value("helpText", "ignored") +
        "<w:checkBox>" + value("size", "24") + "<w:sizeAuto w:val=\"off\"/><w:default w:val=\"on\"/><w:checked/>"
        "</w:checkBox></w:ffData>",
        " FORMCHECKBOX ");
    EXPECT_EQ(form.fieldType, 3);
    const XffData& data = form.ffData;
    EXPECT_STREQ(data.name, "Agree");
    EXPECT_EQ(data.enabled, 1);
    EXPECT_EQ(data.calcOnExit, 0) << "val off";
    EXPECT_STREQ(data.entryMacro, "OnEnter");
    EXPECT_STREQ(data.exitMacro, "OnLeave");
    EXPECT_STREQ(data.cb_checkBoxSize, "24");
    EXPECT_EQ(data.cb_checkBoxSizeAuto, 0);
    EXPECT_EQ(data.cb_defaultState, 1);
    EXPECT_EQ(data.cb_checked, 1) << "an on/off element without a value is on";
}

TEST_F(FormFieldsTest, ATextInputKeepsTheTextsThatFitWhole) {
    const XForm form = fieldBegin("<w:ffData><w:textInput>" + value("type", "date") + value("maxLength", "1000") +
                                  value("default", std::string(63, 'd')) + value("format", std::string(32, 'f')) +
                                  "</w:textInput></w:ffData>");
    EXPECT_EQ(form.fieldType, 4);
    const XffData& data = form.ffData;
    EXPECT_EQ(data.ti_type, 2) << "a date input";
    EXPECT_STREQ(data.ti_maxLength, "") << "four characters do not fit a maximum of three";
    EXPECT_EQ(std::strlen(data.ti_defaultText), 63u) << "63 characters fit";
    EXPECT_STREQ(data.ti_format, "") << "32 characters do not fit and are dropped, not cut";
}

TEST_F(FormFieldsTest, ADropDownListKeepsItsFirstTwelveEntriesThatFit) {
    std::string entries;
    for (int i = 1; i <= 14; ++i) {
        entries += value("listEntry", "entry" + std::to_string(i));
        if (i == 2) entries += value("listEntry", std::string(32, 'x'));
    }
    const XForm form = fieldBegin("<w:ffData><w:ddList>" + value("defaultIndex", "2") + value("result", "1") + entries +
                                      "</w:ddList></w:ffData>",
                                  " FORMDROPDOWN ");
    EXPECT_EQ(form.fieldType, 5);
    const XffData& data = form.ffData;
    EXPECT_EQ(data.dd_defaultIndex, 2);
    EXPECT_EQ(data.dd_resultValue, 1);
    ASSERT_EQ(data.dd_listEntryNum, 12);
    EXPECT_STREQ(data.dd_listEntry[1], "entry2");
    EXPECT_STREQ(data.dd_listEntry[2], "entry3") << "the entry of 32 characters is skipped, not counted";
    EXPECT_STREQ(data.dd_listEntry[11], "entry12");
}

TEST_F(FormFieldsTest, AComplexFieldWithoutFormDataStaysAComplexField) {
    const XForm form = fieldBegin("", " PAGE ");
    EXPECT_EQ(form.fieldType, 2);
    EXPECT_EQ(form.ffData.dd_listEntryNum, 0);
    EXPECT_STREQ(form.ffData.name, "");
}

}  // namespace
}  // namespace wordmltest

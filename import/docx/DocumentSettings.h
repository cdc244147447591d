#pragma once
// The document settings of a Word 2007 package ("word/settings.xml", root w:settings): the view and
// zoom, mirrored margins, the page-border options, revision tracking, the default tab stop, separate
// even and odd headers, unshaded form fields, compressed punctuation, the document-wide note formats and
// the theme-font languages and the layout version. Every other setting is passed over.
#include <libxml/tree.h>

#include <functional>
#include <string>

#include "model/records/XHead.h"
#include "model/records/section/XPage.h"

// Where the settings walk stores what the head does not hold.
struct SettingsTargets {
    XHead* head = nullptr;
    XFootnote* footnotes = nullptr;
    XFootnote* endnotes = nullptr;
    // Reads a w:footnotePr or w:endnotePr element into a note format; none passes them over.
    std::function<void(xmlNode*, XFootnote*)> readNotes;
    // The theme-font languages; an attribute that w:themeFontLang lacks leaves its text. None skips.
    std::string* latinLanguage = nullptr;
    std::string* eastAsianLanguage = nullptr;
    std::string* complexScriptLanguage = nullptr;
    // The version of Word whose layout the document asks for (w:compat's "compatibilityMode"). None skips.
    std::int16_t* compatibilityMode = nullptr;
};

// Walks the root's direct children. On/off settings read their "val" ("0", "false", "off" turn them
// off; no "val" is on); a number outside its field's range is ignored, never wrapped.
void readDocumentSettings(const xmlNode* root, const SettingsTargets& targets);

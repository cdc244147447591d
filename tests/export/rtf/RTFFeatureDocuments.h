#pragma once
// Small scripted documents, one per feature of the RTF body and head, written through the RTF exporter
// as the export engine would deliver them. Golden files pin their bytes; the oracle tests have
// LibreOffice and pandoc read them.
#include <functional>
#include <string>
#include <vector>

#include "tests/export/rtf/RTFTestSupport.h"

class CPicture;

namespace rtftest {

struct FeatureDocument {
    std::string name;  // also the golden file's name, without ".rtf"
    std::vector<Story> sideStories;
    Story mainStory;
    // Fills the document tables of the block before the document is played.
    std::function<void(XParamBlock&)> tables;
    // Table and graphic stories, delivered when the exporter asks for them.
    std::vector<Story> storedStories = {};
};

// characters, paragraphs, fields, notes, bookmarks, revision, list.
std::vector<FeatureDocument> featureDocuments();
// A paragraph of "(a) [b]" in one language (1025 Arabic, 1037 Hebrew), as the engine delivers it.
FeatureDocument bracketDocument(std::int16_t language);

// Layout documents, judged by LibreOffice's rendering. "picture-then-text": a paragraph that starts with
// the picture (kept by the caller; 1 inch by half an inch) and goes on with two runs of text, after a
// paragraph that starts with text. "field-result": a hyperlink field given as its start, instruction,
// separator, result "Example" and end, between "Go " and " now".
FeatureDocument pictureThenTextDocument(CPicture* picture);
FeatureDocument fieldResultDocument();

// Writes the document through a new RTF exporter with the clock pinned; answers the file's bytes, or
// an empty text when the exporter failed. The output goes to outputPath.
std::string writeFeatureDocument(const FeatureDocument& document, const std::string& outputPath);

}  // namespace rtftest

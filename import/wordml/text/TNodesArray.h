#pragma once
// The stories of one kind, gathered before any story is asked for. The import engine asks for the
// main story, then for headers, footers, comments and notes by a running index, then for graphics and
// tables; a WordprocessingML document keeps those stories scattered (headers inside section
// properties, notes inline in runs, text boxes inside shapes, tables anywhere), so each kind is
// gathered once into a list of TNodes in document order and handed out one by one.
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CBase.h"

class UniqueTags;

struct TNode : public CBase {
    xmlNode* node = nullptr;  // the element that becomes the story; it belongs to a tree, not to the node
    bool isTable = false;
    std::string shapeId;       // the shape holding a text box
    std::int32_t storyType = 0;  // headers and footers: 0 first page, 1 default ("odd"), 2 even
    std::int32_t storyMark = 0;  // the tag of the enclosing section, or of the table
};

class TNodesArray : public CBase {
public:
    // Every element of that name (prefix "w") from first along its siblings and below them; a match
    // is not searched further.
    void collectElements(xmlNode* first, const char* name);
    // Headers or footers ("hdr", "ftr") of Word 2003 sections: type "first", "odd" or "even", tied to
    // the tag of the enclosing w:sectPr. Other types, or one outside a section, are passed over.
    void collectHeadersFooters(xmlNode* first, const char* name, UniqueTags& tags);
    // Notes ("footnote", "endnote") without a "type" attribute (separators carry one).
    void collectNotes(xmlNode* first, const char* name);
    // VML shapes with an "id" that hold a v:textbox directly, and the text boxes of drawings' shapes
    // (drawingTextBoxName).
    void collectTextBoxes(xmlNode* first);
    // Tables, a table nested in a cell after its parent.
    // Tables nested deeper than kMaxTableNesting are not gathered: the writers follow no deeper.
    static constexpr int kMaxTableNesting = 24;
    void collectTables(xmlNode* first, UniqueTags& tags, int enclosingTables = 0);
    // One story element of a part read on its own (a Word 2007 header or footer), with its kind and mark.
    void appendStory(xmlNode* element, std::int32_t storyType, std::int32_t storyMark);

    // The next node not yet handed out, or null; keeps answering null at the end.
    const TNode* next();
    std::size_t count() const { return nodes.size(); }

private:
    TNode& append(xmlNode* element);

    std::vector<std::unique_ptr<TNode>> nodes;
    std::size_t cursor = 0;
};

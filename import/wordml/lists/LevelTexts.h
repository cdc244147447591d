#pragma once
// The texts of list levels that paragraphs name (the Word 2003 "wx:t"). A record's level text is a
// pointer that copies share; the importer owns each distinct text once here, so no record frees it
// and no text is freed twice. Equal texts share one block.
#include <string>
#include <unordered_set>

class LevelTexts {
public:
    // The stored text equal to the UTF-16 text; it lives as long as this object.
    const std::u16string& keep(std::u16string text);

private:
    std::unordered_set<std::u16string> texts;
};

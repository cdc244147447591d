#pragma once
// The name of one numbered item, made from its pattern and its index: a run element ("Form007"), a
// picture ("Picture000003"), an item of a hand-written row ("FFDDLIST003", "tab064", "row000") or a key
// ("XTblGrid_columnRightPos07"). A pattern may use the index twice, as the column pairs' key list
// "XColumn_columnWidth03 %d XColumn_columnSpace03 %d" does.
//
// The name lives in the object itself: making one never allocates, so readers that must never raise
// can build names. The buffer holds every pattern of the tables with any 32-bit index.
class IndexedName {
public:
    IndexedName(const char* pattern, int index);
    const char* c_str() const { return text; }

private:
    char text[64];
};

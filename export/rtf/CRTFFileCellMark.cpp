// The end-of-cell mark of a table: "\cell" inside a row; at the row's end the row's definition and
// "\row". In a nested table the words are "\nestcell" and "\nestrow}", the brace closing the group that
// the row definition opened for its properties.
#include <cstring>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "model/XRule.h"

std::int16_t CRTFFile::writeCellMark(const XRule& rule) {
    const bool nested = placer->tableDepth() > 1;
    const char* literal = nullptr;
    if (rule.lastCellOfRow == 1) {
        writeRowDefinition(rule.rows, 1);
        literal = nested ? "\\nestrow}" : "\\row";
    } else if (rule.cellOfRow == 1) {
        literal = nested ? "\\nestcell" : "\\cell";
    } else {
        // Not in a table: the mark is written as text.
        return 1;
    }
    writeFormat("%s", literal);
    return static_cast<std::int16_t>(std::strlen(literal));
}

#pragma once
// A table style's row properties: "\tsrowd" and the row and cell words of the fields whose change bits
// are set in the row set's own mask (the style's cell is its default cell). Written at the end of the
// paragraph properties of a record that carries a row set, in practice the table styles of the style
// sheet. Body rows are written whole by CRTFFile::writeRowDefinition instead.
class CRTFFile;
struct XRows;

void writeRTFRowProps(CRTFFile& out, const XRows& rows);

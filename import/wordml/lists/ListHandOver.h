#pragma once
// Hands the importer's list table to the parameter block: the definitions, instances and picture
// bullets become the block's three list arrays, in table order, with the ids as the document gave them.
//
// The block owns what it receives: every level text is copied into a block of its own (the table's
// texts stay with the importer) and every bullet's picture is cloned. A kind the table has none of, or
// that the block already holds, is left as the block has it. The block is consistent at every step, so
// when memory runs out (CFail 12) disposing it releases exactly what was handed over.
struct XParamBlock;
class TListDefsArray;

void handOverLists(const TListDefsArray& table, XParamBlock* block);

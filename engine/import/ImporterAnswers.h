#pragma once
// Checks of what an importer left in the parameter block, made before the engine uses it. An answer
// that does not fit what the engine holds fails the file with 22 (unit "BEngineImp") instead of being
// read past the task's buffers.
#include <cstdint>

struct XParamBlock;

// textLength within the task's text buffer (32767 units), and a buffer behind any text.
void checkTextAnswer(const XParamBlock& block);
// sheetCount at most 32767, the limit of the 16-bit sheet index.
void checkSheetCountAnswer(const XParamBlock& block);
// backgroundLength within the side buffer (1024 bytes; 0 or less: no background), and a buffer behind it.
void checkBackgroundAnswer(const XParamBlock& block);

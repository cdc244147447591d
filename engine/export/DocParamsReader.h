#pragma once
// Rebuilds a document's parameter block from the intermediate storage before the block is handed to an
// exporter: the document information and header settings, then the fonts, styles, lists, colours,
// authors, page background and theme the import engine stored.
#include <cstdint>

class CImportTask;
class CStream;
class ProgressWindow;
struct XParamBlock;

// Reads the children of the storage's document element into block, which it sets up first (whatever
// the block held is not disposed: pass a block that owns nothing). Answers 1 when every step was done
// and 0 when a Stop or a missing element ended the reading; the block then keeps what was read so far
// and is always set up, so the caller disposes it in either case. With a progress window every step
// shows its count in the status line and advances *progressCounter.
int readDocParams(CImportTask* task, CStream& documentElement, XParamBlock& block, ProgressWindow* progressWindow,
                  std::int32_t* progressCounter);

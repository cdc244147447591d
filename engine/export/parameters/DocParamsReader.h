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
// and 0 when a Stop, a missing element or damaged data ended the reading; the block then keeps what was
// read so far and is always set up, so the caller disposes it in either case. A lack of memory is not
// an end of reading but a failure of the file: it passes on as CFail 12, the block again set up and
// holding what was read. With a progress window every step shows its count in the status line and
// advances *progressCounter.
//
// The header settings and the mark reach the block only when every table was read: after an early end
// the block's head holds its defaults and its mark is empty.
int readDocParams(CImportTask* task, CStream& documentElement, XParamBlock& block, ProgressWindow* progressWindow,
                  std::int32_t* progressCounter);

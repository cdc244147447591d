#include "engine/export/DocParamsReader.h"

#include "engine/CImportTask.h"
#include "model/XParamBlock.h"

// Placeholder until the tables are read back: the block is set up with its defaults only.
int readDocParams(CImportTask* task, CStream&, XParamBlock& block, ProgressWindow*, std::int32_t*) {
    initXParamBlock(task, &block);
    return 0;
}

#include "engine/export/parameters/ParamBlockCopies.h"

XParamBlock* copyParamBlock(XParamBlock* destination, const XParamBlock* source) {
    // The block is a trivially copyable aggregate: its copy assignment copies every member, pointers by
    // value, and never clones what they point to.
    *destination = *source;
    return destination;
}

#include "engine/CBaseTranslator.h"

std::int32_t CBaseTranslator::dispatch(XParamBlock*) {
    return 1;
}

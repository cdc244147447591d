#include "package/CTheme.h"

const char* CTheme::themeFontName(std::int16_t /*code*/) const {
    return nullptr;
}

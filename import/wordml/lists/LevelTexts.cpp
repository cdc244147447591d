#include "import/wordml/lists/LevelTexts.h"

#include <utility>

#include "foundation/FailureCode.h"

const std::u16string& LevelTexts::keep(std::u16string text) {
    return raisingOutOfMemory(__LINE__, "BL_WordML(imp)", [&]() -> const std::u16string& {
        return *texts.insert(std::move(text)).first;
    });
}

#include "engine/task/ProgressWindow.h"

std::int32_t progressPercent(std::int32_t done, std::int32_t total) {
    if (total <= 0) return 0;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(done) * 100 / total);
}

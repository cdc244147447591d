#include "engine/task/TaskDescriptor.h"

#include <type_traits>

static_assert(std::is_trivially_copyable_v<TaskDescriptor>);

void setDefaultTaskDescriptor(TaskDescriptor& request) {
    request = TaskDescriptor{};
    request.uniqueNames = 1;
    request.deriveOutputName = 1;
    request.defaultPageSize = 2;
    request.importerIndex = -1;
    request.exporterIndex = -1;
}

void copyTaskDescriptor(TaskDescriptor& destination, const TaskDescriptor& source) {
    destination = source;
}

std::int32_t isWordProcessingKind(std::int16_t kindCode) {
    return kindCode == 2 || kindCode == 24 ? 1 : 0;
}

std::int32_t isSpreadsheetKind(std::int16_t kindCode) {
    return kindCode == 1 || kindCode == 5 ? 1 : 0;
}

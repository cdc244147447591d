#pragma once
// What a parameter block needs of the conversion task it is set up for: the task's two buffers, which
// every block of a batch shares, and the page size that new section records start from. The conversion
// task (engine/task/CImportTask.h) implements it; the model's tests use a double.
#include <cstdint>

// The text-run buffer holds 32767 UTF-16 units (a run never exceeds them), the side buffer 1024 bytes (the
// page-background text with its terminating 0).
constexpr std::int32_t kTaskTextBufferUnits = 32767;
constexpr std::int32_t kTaskSideBufferBytes = 1024;

class ParamBlockHost {
public:
    ParamBlockHost() = default;
    ParamBlockHost(const ParamBlockHost&) = delete;
    ParamBlockHost& operator=(const ParamBlockHost&) = delete;

    // Zero-fills both buffers.
    virtual void clearBuffers() = 0;
    // The text-run buffer, kTaskTextBufferUnits units.
    virtual char16_t* textBuffer() = 0;
    // The side buffer, kTaskSideBufferBytes bytes.
    virtual char* sideBuffer() = 0;
    // The page-size code of new section records: 1 the metric page, any other value the letter page.
    virtual std::int16_t defaultPageSize() const = 0;

protected:
    // Not deleted through this interface: the task's owner deletes the task itself.
    ~ParamBlockHost() = default;
};

#pragma once
// The start-up record of the picture library. This build's picture layer needs no start-up; the
// record is kept so that the application's start-up states what it asks of the library.
#include <cstdint>

struct GdiplusStartupInput {
    using DebugCallback = void (*)(int level, const char* message);

    GdiplusStartupInput(DebugCallback callback = nullptr, bool suppressBackgroundThread = false,
                        bool suppressExternalCodecs = false)
        : GdiplusVersion(1),
          DebugEventCallback(callback),
          SuppressBackgroundThread(suppressBackgroundThread ? 1 : 0),
          SuppressExternalCodecs(suppressExternalCodecs ? 1 : 0) {}

    std::uint32_t GdiplusVersion;
    DebugCallback DebugEventCallback;
    std::int32_t SuppressBackgroundThread;
    std::int32_t SuppressExternalCodecs;
};

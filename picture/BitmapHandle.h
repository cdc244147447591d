#pragma once
// A picture file's bytes made into the pixels a window's picture control shows. PNG, JPEG, GIF, TIFF
// and BMP pictures are read; the caller owns the answer.
#include <cstdint>
#include <memory>

#include "platform/windows/WindowSystem.h"

// The largest picture file a window reads whole.
constexpr std::uint32_t kMaxBitmapFileBytes = 64U << 20;

// The pixels, or null when the bytes are no picture that can be decoded.
std::unique_ptr<platform::Bitmap> loadBitmapHandle(const std::uint8_t* data, std::int32_t length);

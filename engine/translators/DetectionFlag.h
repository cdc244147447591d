#pragma once
// While detection runs, identify requests parse files that may not be documents at all; the XML error
// handler reads this flag and stays quiet while it is 1.
#include <cstdint>

extern std::int16_t detectionActive;

// Sets the flag for one detection and clears it on every way out, failures included.
class DetectionScope {
public:
    DetectionScope() { detectionActive = 1; }
    ~DetectionScope() { detectionActive = 0; }
    DetectionScope(const DetectionScope&) = delete;
    DetectionScope& operator=(const DetectionScope&) = delete;
};

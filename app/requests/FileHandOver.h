#pragma once
// A second start of the program with files hands them to the program that already runs on the desktop
// (its DDE service, DDEServer.h), one open command each, instead of converting them beside it.
#include <string>
#include <vector>

// How long a running program may take to answer one request before this start gives up on it.
constexpr int kHandOverTimeoutMilliseconds = 5000;

struct HandOverResult {
    int handedOver = 0;
    // The arguments, as given, that no running program took: none answered, one refused the command,
    // or the path cannot be carried by one. This start converts them itself.
    std::vector<std::string> left;
};

HandOverResult handOverFiles(const std::vector<std::string>& arguments);

#pragma once
// Sets (or, with a null value, removes) an environment variable for the life of the object and puts the
// old value back afterwards.
#include <cstdlib>
#include <optional>
#include <string>

namespace testsupport {

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) saved = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        if (saved) {
            ::setenv(name, saved->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }

private:
    const char* name;
    std::optional<std::string> saved;
};

}  // namespace testsupport

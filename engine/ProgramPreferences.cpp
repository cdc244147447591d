#include "engine/ProgramPreferences.h"

namespace {

Preferences defaultPreferences() {
    Preferences preferences;
    clearPreferences(preferences);
    return preferences;
}

}  // namespace

Preferences gPreferences = defaultPreferences();

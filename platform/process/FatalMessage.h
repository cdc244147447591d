#pragma once
// Where a failure during start-up is shown: standard error, until a window layer installs a
// message box of its own.
#include <functional>

namespace platform {

// Shows the text with an OK button only; answers the button pressed (1 = OK).
int showFatalMessage(const char* text);
void setFatalMessageHandler(std::function<int(const char*)> handler);

}  // namespace platform

#pragma once
// Where a message goes that no window can show (before the display is ready, after the windows are
// gone): standard error, a line for the text and one for the detail.
void writeToStandardError(const char16_t* text, const char16_t* detailText);

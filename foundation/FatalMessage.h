#pragma once
// Reports a failure during start-up, before any window exists: printf conventions, cut to 255
// characters, shown with an OK button only. Answers the button pressed.
int fatalMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

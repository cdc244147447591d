#pragma once
// The switches "/install" and "/remove": the program's file types in its own registry (the keys that
// tell the desktop how to open a .docx or .xlsx with this program and hand it over to a running one),
// and, for the desktop itself, the program's desktop entry and its place as the default application
// of the two document types. "/remove" takes away only what "/install" wrote.
#include <cstdint>
#include <string>

class CDDEServer;

constexpr const char* kDesktopEntryId = "vostrandimeko.desktop";
// The line that marks the desktop entry as the program's own, so that removing never deletes an entry
// the user or another program wrote under the same name.
constexpr const char* kDesktopEntryOwnerLine = "X-Vostrandimeko-Registered=true";

// Both answer 0, or a failure's error with problem telling what could not be written and why.
std::int16_t installFileTypes(CDDEServer& server, const std::string& programPath, std::string& problem);
std::int16_t removeFileTypes(CDDEServer& server, const std::string& programPath, std::string& problem);

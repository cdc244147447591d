#pragma once
// The program's handler for what the XML library reports outside the scoped captures of the storage and
// the importers (model/storage/XmlErrors.h): it only records, never throws through the library, and keeps the
// library from writing to the program's standard error. A fatal error is kept, with its message, for
// the code that called the parser, which raises after the call; while detection probes files
// (engine/translators/DetectionFlag.h) nothing is kept, since a file that is not XML is no failure then.
#include <cstdint>
#include <string>

// Installed by the start-up, before anything parses.
void installXmlErrorHandler();

struct XmlFatalError {
    bool reported = false;
    std::string message;  // the library's message, without its line end
};

// The fatal error recorded since the last call, which clears it.
XmlFatalError takeXmlFatalError();

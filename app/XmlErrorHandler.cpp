#include "app/XmlErrorHandler.h"

#include <libxml/xmlerror.h>

#include "engine/translators/DetectionFlag.h"

namespace {

XmlFatalError gFatalError;

void recordXmlError(void*, xmlErrorPtr error) {
    if (error == nullptr || error->level != XML_ERR_FATAL || detectionActive == 1) return;
    // Called from inside the library: nothing may escape, not even a lack of memory for the text.
    try {
        gFatalError.reported = true;
        gFatalError.message = error->message != nullptr ? error->message : "";
        while (!gFatalError.message.empty() && gFatalError.message.back() == '\n') gFatalError.message.pop_back();
    } catch (...) {
        gFatalError.message.clear();
    }
}

}  // namespace

void installXmlErrorHandler() {
    xmlSetStructuredErrorFunc(nullptr, &recordXmlError);
}

XmlFatalError takeXmlFatalError() {
    XmlFatalError taken = std::move(gFatalError);
    gFatalError = XmlFatalError{};
    return taken;
}

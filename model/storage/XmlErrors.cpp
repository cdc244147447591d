#include "model/storage/XmlErrors.h"

namespace {

// The capture in force: the entity loader has no context argument of its own.
XmlErrorCapture* gActiveCapture = nullptr;

}  // namespace

XmlErrorCapture::XmlErrorCapture()
    : outer(gActiveCapture),
      previousHandler(xmlStructuredError),
      previousContext(xmlStructuredErrorContext),
      previousLoader(xmlGetExternalEntityLoader()) {
    gActiveCapture = this;
    xmlSetStructuredErrorFunc(this, &XmlErrorCapture::record);
    xmlSetExternalEntityLoader(&XmlErrorCapture::refuseLoad);
}

XmlErrorCapture::~XmlErrorCapture() {
    xmlSetExternalEntityLoader(previousLoader);
    xmlSetStructuredErrorFunc(previousContext, previousHandler);
    gActiveCapture = outer;
}

void XmlErrorCapture::record(void* capture, xmlErrorPtr error) {
    auto* self = static_cast<XmlErrorCapture*>(capture);
    if (self == nullptr || error == nullptr || error->level < XML_ERR_ERROR) return;
    ++self->errors;
    if (error->level == XML_ERR_FATAL) self->fatal = true;
    if (!self->message.empty()) return;
    // Called from inside the library: nothing may escape, not even a lack of memory for the text.
    try {
        std::string text = "line " + std::to_string(error->line) + ": ";
        if (error->message != nullptr) text += error->message;
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        self->message = std::move(text);
    } catch (...) {
        self->message.clear();
    }
}

xmlParserInputPtr XmlErrorCapture::refuseLoad(const char*, const char*, xmlParserCtxtPtr) {
    if (gActiveCapture != nullptr) ++gActiveCapture->refused;
    return nullptr;
}

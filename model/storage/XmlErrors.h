#pragma once
// What the XML library reports while our code calls it. A failure must never unwind through the
// library's own frames, so during a call the library's error callback only records the problem here,
// and the caller looks at the record after the call returned and raises CFail itself.
//
// The capture also refuses every external resource (an external entity, an external DTD): while it is
// in force, the library's loader answers "not found" and counts the attempt, so a document can never
// make the program read a local file or reach the network.
//
// Usage:
//     XmlErrorCapture capture;
//     xmlDoc* document = xmlReadMemory(...);
//     if (document == nullptr || capture.hasFatalError()) throwFail(...);
#include <libxml/xmlerror.h>
#include <libxml/parser.h>

#include <cstdint>
#include <string>

class XmlErrorCapture {
public:
    // Installs the recorder and the refusing loader in place of whatever was installed.
    XmlErrorCapture();
    // Puts back what was installed before.
    ~XmlErrorCapture();
    XmlErrorCapture(const XmlErrorCapture&) = delete;
    XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

    // Errors and fatal errors reported (warnings aside).
    std::int32_t errorCount() const { return errors; }
    bool hasFatalError() const { return fatal; }
    // The first error's message with its line, "line 3: ..."; empty when there was none.
    const std::string& firstMessage() const { return message; }
    // External resources the library asked for and did not get.
    std::int32_t refusedLoads() const { return refused; }

private:
    static void record(void* capture, xmlErrorPtr error);
    static xmlParserInputPtr refuseLoad(const char* url, const char* id, xmlParserCtxtPtr context);

    std::int32_t errors = 0;
    std::int32_t refused = 0;
    bool fatal = false;
    std::string message;

    XmlErrorCapture* outer;
    xmlStructuredErrorFunc previousHandler;
    void* previousContext;
    xmlExternalEntityLoader previousLoader;
};

#pragma once
// An importer that answers each request from a script and records what it was asked. The registry makes
// importers through a factory that knows only the descriptor, so a test binds its script to a
// descriptor (ImporterScriptBinding); every importer made for that descriptor then reads the same
// script and writes to the same log, which outlive the importers (detection makes one per request).
//
// A request whose code has a scripted answer takes the next one for its code, then the code's standing
// answer; a request with neither gets the importer base's default answer.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/translators/CImporter.h"
#include "engine/translators/TranslatorDescriptor.h"
#include "tests/support/DescriptorBinding.h"

namespace testsupport {

// Leave the request's own code in `selector` ("absent", "no").
constexpr std::int16_t kKeepCode = 0x7FFF;

struct ImporterAnswer {
    std::int16_t answer = -1;      // written into `selector`, or kKeepCode
    std::u16string text;           // request 13: the chunk; request 1: the sheet name
    std::int16_t failure = 0;      // raise this code instead of answering
    std::u16string reason;         // left in `reasonText` before a failure
    std::int32_t sheetCount = -1;  // request 0: the sheets, when not -1
    std::int16_t cellOfRow = -1;   // request 13: the paragraph record's cellOfRow, when not -1
};

struct ImporterCall {
    std::int16_t selector;
    std::int16_t sheetIndex;
    std::int16_t storyNumber;
    std::int16_t detectionActive;  // the detection flag while the request ran
    std::string itemName;          // identify requests: the item's name
    bool fileOpen;                 // whether the importer held an input file
};

struct ImporterScript {
    void add(std::int16_t selector, ImporterAnswer answer) { answers[selector].push_back(std::move(answer)); }
    // The answer to every request of this code once its queue is empty.
    void always(std::int16_t selector, ImporterAnswer answer) { standing[selector] = std::move(answer); }
    std::vector<std::int16_t> selectors() const;

    std::map<std::int16_t, std::deque<ImporterAnswer>> answers;
    std::map<std::int16_t, ImporterAnswer> standing;
    std::vector<ImporterCall> calls;
    int made = 0;       // importers made for the script
    int destroyed = 0;  // importers destroyed
};

class ScriptedImporter : public CImporter {
public:
    ScriptedImporter(const TranslatorDescriptor* descriptor, ImporterScript& script);
    ~ScriptedImporter() override;

    std::int32_t dispatch(XParamBlock* block) override;

protected:
    void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) override;
    void handleSelector() override;

private:
    bool answerFromScript();
    ImporterScript& script;
};

// While it lives, the factory makes ScriptedImporters with the script for the descriptor.
using ImporterScriptBinding = DescriptorBinding<ImporterScript>;

// The factory for translator tables: a ScriptedImporter with the bound script, or a plain importer base
// (which accepts everything) when no script is bound.
CBaseTranslator* makeScriptedImporter(const TranslatorDescriptor* descriptor);

}  // namespace testsupport

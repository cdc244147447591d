#pragma once
// What the RTF writer's tests share: a temporary-files folder of their own (the emitter's body files go
// there), an emitter that records the operations it is asked for, and a request player that drives an
// exporter as the export engine does, delivering stored tables and text boxes on demand.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/translators/CExporter.h"
#include "export/rtf/CRTFExporter.h"
#include "export/rtf/CRTFFile.h"
#include "engine/export/stories/StoryOnDemand.h"
#include "model/params/XParamBlock.h"
#include "tests/support/TemporaryFolder.h"

namespace rtftest {

// Points the temporary-files folder into a fresh folder for the test's life.
class TemporaryFilesScope {
public:
    TemporaryFilesScope();
    ~TemporaryFilesScope();
    TemporaryFilesScope(const TemporaryFilesScope&) = delete;
    TemporaryFilesScope& operator=(const TemporaryFilesScope&) = delete;

    // The names of the files in the temporary-files folder.
    std::vector<std::string> files() const;
    const testsupport::TemporaryFolder& folder() const { return root; }

private:
    testsupport::TemporaryFolder root;
    std::string temporaryFiles;
};

// An emitter that logs each head and body operation by name ("text:" with the UTF-8 text, "code:" with
// the unit) and then does what the emitter does, so a document is still written.
class RecordingEmitter : public CRTFFile {
public:
    RecordingEmitter(XParamBlock* block, CFile* output, RTFStoryPlacer* placer, std::vector<std::string>& log,
                     std::string textBoxName);

    void writeText(const char16_t* units, std::int32_t count, std::int32_t textEncoding) override;
    void writeDocumentStart() override;
    void writeDocumentEnd() override;
    void finishHeader() override;
    void copyBody() override;
    void writeFontTable() override;
    void writeColorTable() override;
    void writeRevisionTable() override;
    void writeStyleSheet() override;
    void writeListTables() override;
    void writeInfo(const XHead& head) override;
    void writeBackground() override;
    void writeDocumentProperties(const XPage& firstSection, const XHead& head) override;
    std::int16_t openNoteGroup(std::int16_t storySelector) override;
    void closeNoteGroup() override;
    void writeSectionProps(const XPage& page, std::int16_t sectionKind) override;
    void writeParagraphProps(const XRule& rule, std::int16_t flags) override;
    void beginCharacterRun(const XForm& form, std::int16_t flags) override;
    void endCharacterRun(RTFFieldState& fields) override;
    // A picture (code 1) stands for a shape whose text box is the graphic story textBoxName.
    std::int16_t writeControlCode(char16_t code, const XForm& form, const XRule& rule, RTFFieldState& fields) override;
    void writeBookmark(const char16_t* name, std::int32_t count, std::int16_t kind) override;

private:
    std::vector<std::string>& log;
    std::string textBoxName;
};

// An RTF exporter whose emitters record into a log.
class RecordingRTFExporter : public CRTFExporter {
public:
    RecordingRTFExporter(std::vector<std::string>& log, std::string textBoxName = "");

protected:
    CRTFFile* makeEmitter(XParamBlock* sheetBlock, CFile* output) override;

private:
    std::vector<std::string>& log;
    std::string textBoxName;
};

// One text run: its text and what its records hold beyond the defaults.
struct Run {
    std::u16string text;
    std::function<void(XParamBlock&)> records;
};

// One stored story as the engine delivers it: its begin request and header fields, and its runs.
struct Story {
    std::int16_t selector;
    std::vector<Run> runs;
    std::int32_t type = 0;
    std::int32_t mark = 0;
    std::int32_t rows = 0;
    std::string name;
};

// Plays a document to an exporter through `dispatch`, as the export engine fills the block: the document
// parameters, the begin of the sheet (the output file created empty first), the side stories and the main
// story, the end of the sheet and of the document. Graphic and table stories are kept aside and delivered
// when the exporter asks for them, each in a block of its own.
class RequestPlayer : public StoryOnDemand {
public:
    RequestPlayer(CExporter& exporter, std::string outputPath);
    ~RequestPlayer();
    RequestPlayer(const RequestPlayer&) = delete;
    RequestPlayer& operator=(const RequestPlayer&) = delete;

    // Graphic and table stories, delivered on demand.
    std::vector<Story> storedStories;
    // Called before each text run is sent. A non-zero answer stops the document there as a failure
    // of the engine's own (a Stop) would; a test may also arm an allocation failure from here.
    std::function<std::int32_t(const Run&)> beforeRun;

    // Plays the whole document; answers the first non-zero answer of a request (the engine stops there)
    // or 0.
    std::int32_t play(const std::vector<Story>& sideStories, const Story& mainStory);
    std::int32_t send(std::int16_t selector, XParamBlock& requestBlock);
    std::int32_t playStory(const Story& story, XParamBlock& requestBlock);

    std::int16_t exportStoryByName(const char* name) override;
    std::int16_t exportStoryByMark(std::int32_t mark) override;

    XParamBlock block{};

private:
    std::int16_t deliverStored(const Story* story);
    CExporter& exporter;
    std::string outputPath;
    std::u16string runText;
};

// A run of the given text with default records.
Run text(const std::u16string& units);
// A one-unit anchor run whose character record carries txtType for the code and the given txtData.
Run anchor(char16_t code, std::int32_t data);

std::string utf8(const std::u16string& units);

}  // namespace rtftest

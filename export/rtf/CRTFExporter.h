#pragma once
// The RTF exporter: turns the export engine's requests into an RTF file through its emitter (CRTFFile)
// and one extruder per story (CRTFExtruder).
//
// The engine offers the side stories of a sheet first and the main story last. The exporter keeps every
// side story in its extruder and streams only the main story into the emitter, run by run. Where the
// main story reaches a place that a side story belongs to (a section's headers and footers, a note or
// comment reference, a table or text-box anchor), the emitter calls back into the exporter
// (RTFStoryPlacer), which replays the kept story there, or for tables and text boxes has the engine
// deliver the stored story at once (StoryOnDemand) and replays it in place. At the end of the sheet the
// emitter writes the document head in front of the body.
//
// Field and bookmark stories are refused. Nested tables are followed at most kTableLevels - 1 deep, and a
// table, text box, header or footer that is already being written is not entered again, so a story that
// refers to itself ends. A failed request (or an exporter disposed in the middle of a sheet) leaves no
// output file and no body file.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/translators/CExporter.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "foundation/files/FileSpec.h"
#include "model/records/section/XPage.h"

class CFile;
class CRTFExtruder;
class CRTFFile;
class CRTFGraphic;
class CRTFHdrFtr;
class CRTFTable;

class CRTFExporter : public CExporter, public RTFStoryPlacer {
public:
    static constexpr int kTableLevels = 24;

    explicit CRTFExporter(const TranslatorDescriptor* descriptor);
    ~CRTFExporter() override;

    std::int32_t dispatch(XParamBlock* requestBlock) override;

    // RTFStoryPlacer.
    void nextTableRow() override;
    std::int32_t tableRowIndex() override;
    std::int16_t tableDepth() override;
    std::int32_t tableRowCount() override;
    std::int16_t needsFacingHeaders(const XPage& page) override;
    void writeHeaders(const XPage& page, std::int16_t facing) override;
    void writeFooters(const XPage& page, std::int16_t facing) override;
    void writeHeader(std::int32_t mark, std::int16_t facing) override;
    void writeFooter(std::int32_t mark, std::int16_t facing) override;
    void writeNextComment() override;
    void writeNextFootnote() override;
    void writeNextEndnote() override;
    void writeGraphic(const char* name) override;
    void writeTable(std::int32_t mark) override;

protected:
    // The emitter of a sheet; tests give one that records its calls.
    virtual CRTFFile* makeEmitter(XParamBlock* sheetBlock, CFile* output);

    void beginSheet() override;
    void beginHeaderStory() override;
    void beginFooterStory() override;
    void beginCommentStory() override;
    void beginFootnoteStory() override;
    void beginEndnoteStory() override;
    void beginGraphicStory() override;
    void beginTableStory() override;
    void beginMainStory() override;
    void doText() override;
    void endHeaderStory() override;
    void endFooterStory() override;
    void endCommentStory() override;
    void endFootnoteStory() override;
    void endEndnoteStory() override;
    void endGraphicStory() override;
    void endTableStory() override;
    void endMainStory() override;
    void endSheet() override;

private:
    struct TableLevel {
        std::int32_t storyMark;
        std::int32_t rowCount;
        std::int32_t rowIndex;
    };
    using Extruders = std::vector<std::unique_ptr<CRTFExtruder>>;

    // Files a new extruder and makes it the one that takes the runs.
    template <typename Extruder, typename... Arguments>
    Extruder* keepStory(std::vector<std::unique_ptr<Extruder>>& stories, const Arguments&... arguments);
    void endSideStory();
    void writeHeaderOrFooter(std::vector<std::unique_ptr<CRTFHdrFtr>>& stories, const char* const words[3],
                             std::int32_t mark, std::int16_t facing);
    void writeNextNote(Extruders& notes);
    // Lets the engine deliver a story in place; the runs it sends go to a new extruder, after which the
    // extruder and block of the request being handled are current again.
    template <typename Delivery>
    bool deliverInPlace(Delivery&& delivery);
    void clearStories();
    // Disposes the emitter (and its body file) and deletes the sheet's output file.
    void abandonSheet();

    std::vector<std::unique_ptr<CRTFGraphic>> graphics;
    std::vector<std::unique_ptr<CRTFHdrFtr>> headers;
    std::vector<std::unique_ptr<CRTFHdrFtr>> footers;
    std::vector<std::unique_ptr<CRTFTable>> tables;
    std::unique_ptr<CRTFExtruder> mainExtruder;
    CRTFExtruder* currentExtruder = nullptr;
    TableLevel tableLevels[kTableLevels] = {};
    CRTFFile* emitter = nullptr;
    Extruders footnotes;
    Extruders endnotes;
    Extruders comments;
    XPage sectionRecord{};
    std::int16_t sawFirstRun = 0;
    std::int16_t depth = 0;
    std::vector<const char*> graphicsBeingWritten;  // names of the text boxes being written
    std::int16_t headerFooterDepth = 0;             // headers or footers being written
    std::int16_t dispatchDepth = 0;  // requests being handled, the nested ones included
    std::int16_t nestedFailure = 0;  // the first failure of a request nested in a delivery in place
    FileSpec sheetOutput{};
    bool sheetOpen = false;  // a sheet began and has not ended
};

// The RTF translator's factory: a new exporter, or null without memory.
CBaseTranslator* makeRTFExporter(const TranslatorDescriptor* descriptor);

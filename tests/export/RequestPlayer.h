#pragma once
// Plays a document to one exporter the way the export engine does: the document request, then for each
// sheet the begin-sheet request (its output file created empty beforehand), the main story's begin, its
// text runs and its end, and the end of the sheet; finally the end of the document.
//
// Runs are given as the engine has cut them from a story: UTF-16 text with the language of the run and,
// for an anchor, its code. For an exporter that does not take UTF-16 the player converts each run into
// the code page of its language, as the engine does, unless told to send the UTF-16 as it stands.
#include <cstdint>
#include <string>
#include <vector>

#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"

class CExporter;

namespace exporttest {

struct PlayedRun {
    std::u16string text;
    std::int16_t language = 1033;
    char16_t anchor = 0;  // the story code of an anchor run, 0 for text
    std::int16_t size = 240;  // tenths of a point: a change starts a new style run
    std::int32_t kind = 0;    // the run's txtData: 20 a field-text run, 28 and 29 a bookmark's mark
};

struct PlayedSheet {
    std::string fileName;  // the output file, in the player's folder
    std::vector<PlayedRun> runs;
};

enum class RunDelivery { asEngine, utf16 };

class RequestPlayer {
public:
    RequestPlayer(CExporter& exporter, std::string folder, RunDelivery delivery = RunDelivery::asEngine);
    ~RequestPlayer();
    RequestPlayer(const RequestPlayer&) = delete;
    RequestPlayer& operator=(const RequestPlayer&) = delete;

    // Creates every sheet's output file empty, as the engine does before the sheet begins.
    void createFiles(const std::vector<PlayedSheet>& sheets);
    // Sends the whole document to files already created; stops at the first request whose dispatch
    // fails and answers that result, else 0. Allocates nothing of its own while sending.
    std::int32_t sendDocument(const std::vector<PlayedSheet>& sheets);
    // createFiles, then sendDocument.
    std::int32_t play(const std::vector<PlayedSheet>& sheets);

    // One request; the answer left in the block is logged in `answers`.
    std::int32_t send(std::int16_t selector, std::int16_t storyNumber = storykind::kMain);
    std::int32_t sendRun(const PlayedRun& run);
    // Points the block at the sheet's file.
    void selectFile(const std::string& fileName);

    std::vector<std::int16_t> answers;
    XParamBlock block{};

private:
    void fillRun(const PlayedRun& run);

    CExporter& exporter;
    std::string folder;
    bool convertRuns;
    std::vector<char16_t> textBuffer;      // the task's run buffer: 32767 units
    std::vector<char16_t> conversionArea;  // the engine's conversion area: 65536 bytes
};

// The end request of a story kind (its begin code in export numbering + 12).
std::int16_t exportEndCode(std::int16_t storyNumber);

// The whole file as bytes; empty when it cannot be read.
std::string fileBytes(const std::string& path);
// Bytes as hexadecimal pairs, for failure messages.
std::string hex(const std::string& bytes);

}  // namespace exporttest

#include "tests/export/rtf/RTFTestSupport.h"

#include <cstring>
#include <filesystem>
#include <utility>

#include "engine/translators/TranslatorDescriptors.h"
#include "engine/translators/TranslatorRequest.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "foundation/files/AppFolders.h"
#include "foundation/text/PascalWString.h"
#include "model/story/StoryKinds.h"
#include "platform/files/Folders.h"
#include "tests/support/FileBytes.h"

namespace rtftest {

TemporaryFilesScope::TemporaryFilesScope() {
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, root.path());
    setUpTemporaryFilesFolder();
    temporaryFiles = root.file("Vostrandimeko temporary files/");
}

TemporaryFilesScope::~TemporaryFilesScope() {
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
}

std::vector<std::string> TemporaryFilesScope::files() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(temporaryFiles, error))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string utf8(const std::u16string& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size()) c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

RecordingEmitter::RecordingEmitter(XParamBlock* block, CFile* output, RTFStoryPlacer* placer,
                                   std::vector<std::string>& log, std::string textBoxName)
    : CRTFFile(block, output, placer), log(log), textBoxName(std::move(textBoxName)) {}

void RecordingEmitter::writeText(const char16_t* units, std::int32_t count, std::int32_t textEncoding) {
    log.push_back("text:" + utf8(std::u16string(units, static_cast<std::size_t>(count))));
    CRTFFile::writeText(units, count, textEncoding);
}

void RecordingEmitter::writeDocumentStart() {
    log.push_back("writeDocumentStart");
    CRTFFile::writeDocumentStart();
}

void RecordingEmitter::writeDocumentEnd() {
    log.push_back("writeDocumentEnd");
    CRTFFile::writeDocumentEnd();
}

void RecordingEmitter::finishHeader() {
    log.push_back("finishHeader");
}

void RecordingEmitter::copyBody() {
    log.push_back("copyBody");
    CRTFFile::copyBody();
}

void RecordingEmitter::writeFontTable() {
    log.push_back("writeFontTable");
}

void RecordingEmitter::writeColorTable() {
    log.push_back("writeColorTable");
}

void RecordingEmitter::writeRevisionTable() {
    log.push_back("writeRevisionTable");
}

void RecordingEmitter::writeStyleSheet() {
    log.push_back("writeStyleSheet");
}

void RecordingEmitter::writeListTables() {
    log.push_back("writeListTables");
}

void RecordingEmitter::writeInfo(const XHead&) {
    log.push_back("writeInfo");
}

void RecordingEmitter::writeBackground() {
    log.push_back("writeBackground");
}

void RecordingEmitter::writeDocumentProperties(const XPage& firstSection, const XHead& head) {
    log.push_back("writeDocumentProperties");
    CRTFFile::writeDocumentProperties(firstSection, head);
}

std::int16_t RecordingEmitter::openNoteGroup(std::int16_t storySelector) {
    const std::int16_t opened = CRTFFile::openNoteGroup(storySelector);
    if (opened == 1) log.push_back("openNoteGroup:" + std::to_string(storySelector));
    return opened;
}

void RecordingEmitter::closeNoteGroup() {
    log.push_back("closeNoteGroup");
    CRTFFile::closeNoteGroup();
}

void RecordingEmitter::writeSectionProps(const XPage& page, std::int16_t sectionKind) {
    log.push_back("writeSectionProps");
    CRTFFile::writeSectionProps(page, sectionKind);
}

void RecordingEmitter::writeParagraphProps(const XRule& rule, std::int16_t flags) {
    log.push_back("writeParagraphProps");
    CRTFFile::writeParagraphProps(rule, flags);
}

void RecordingEmitter::beginCharacterRun(const XForm& form, std::int16_t flags) {
    log.push_back("beginCharacterRun");
    CRTFFile::beginCharacterRun(form, flags);
}

void RecordingEmitter::endCharacterRun(RTFFieldState& fields) {
    log.push_back("endCharacterRun");
    CRTFFile::endCharacterRun(fields);
}

std::int16_t RecordingEmitter::writeControlCode(char16_t code, const XForm& form, const XRule& rule,
                                                RTFFieldState& fields) {
    log.push_back("code:" + std::to_string(static_cast<int>(code)));
    if (code == storycode::kPicture && !textBoxName.empty()) {
        placer->writeGraphic(textBoxName.c_str());
        return 0;
    }
    return CRTFFile::writeControlCode(code, form, rule, fields);
}

void RecordingEmitter::writeBookmark(const char16_t* name, std::int32_t count, std::int16_t kind) {
    log.push_back("bookmark:" + std::to_string(kind) + ":" + utf8(std::u16string(name, static_cast<std::size_t>(count))));
}

RecordingRTFExporter::RecordingRTFExporter(std::vector<std::string>& log, std::string textBoxName)
    : CRTFExporter(&exporterDescriptors[exporter::kRTF]), log(log), textBoxName(std::move(textBoxName)) {}

CRTFFile* RecordingRTFExporter::makeEmitter(XParamBlock* sheetBlock, CFile* output) {
    return new RecordingEmitter(sheetBlock, output, this, log, textBoxName);
}

Run text(const std::u16string& units) {
    return Run{units, nullptr};
}

Run anchor(char16_t code, std::int32_t data) {
    return Run{std::u16string(1, code), [code, data](XParamBlock& b) {
                   b.form.txtType = storycode::anchor(code, 0);
                   b.form.txtData = data;
               }};
}

RequestPlayer::RequestPlayer(CExporter& exporter, std::string outputPath)
    : exporter(exporter), outputPath(std::move(outputPath)) {
    initXParamBlock(nullptr, &block);
    const std::filesystem::path path(this->outputPath);
    assignCString(block.fileSpec.name, path.filename().string().c_str());
    assignCString(block.fileSpec.folder, (path.parent_path().string() + "/").c_str());
    setCurrentStoryOnDemand(this);
}

RequestPlayer::~RequestPlayer() {
    setCurrentStoryOnDemand(nullptr);
    disposeXParamBlock(&block);
}

std::int32_t RequestPlayer::send(std::int16_t selector, XParamBlock& requestBlock) {
    requestBlock.selector = selector;
    return exporter.dispatch(&requestBlock);
}

std::int32_t RequestPlayer::playStory(const Story& story, XParamBlock& requestBlock) {
    requestBlock.storyNumber = static_cast<std::int16_t>(story.selector - 1);
    requestBlock.storyType = story.type;
    requestBlock.storyMark = story.mark;
    requestBlock.storyRows = story.rows;
    std::memset(requestBlock.storyName, 0, sizeof requestBlock.storyName);
    std::memcpy(requestBlock.storyName, story.name.data(), std::min(story.name.size(), sizeof requestBlock.storyName - 1));
    if (std::int32_t answer = send(story.selector, requestBlock); answer != 0) return answer;
    if (requestBlock.selector != request::kAnswerYes) return 0;  // refused: no runs, no end
    for (const Run& run : story.runs) {
        std::u16string units = run.text;
        initXForm(&requestBlock.form);
        initXRule(&requestBlock.rule);
        initXPage(&requestBlock.page, 2);
        if (run.records) run.records(requestBlock);
        requestBlock.textBuffer = units.data();
        requestBlock.textLength = static_cast<std::int32_t>(units.size());
        requestBlock.storyNumber = static_cast<std::int16_t>(story.selector - 1);
        if (beforeRun)
            if (std::int32_t stop = beforeRun(run); stop != 0) return stop;
        if (std::int32_t answer = send(request::kSelText, requestBlock); answer != 0) return answer;
    }
    return send(static_cast<std::int16_t>(story.selector + request::kEndStoryOffset), requestBlock);
}

std::int32_t RequestPlayer::play(const std::vector<Story>& sideStories, const Story& mainStory) {
    std::int32_t answer = 0;
    // The engine creates the output file empty before the sheet begins.
    testsupport::writeBytes(outputPath, "");
    if ((answer = send(request::kSelDocument, block)) != 0) return answer;
    if ((answer = send(request::kSelBeginSheet, block)) != 0) return answer;
    for (const Story& story : sideStories)
        if ((answer = playStory(story, block)) != 0) return answer;
    if ((answer = playStory(mainStory, block)) != 0) return answer;
    if ((answer = send(request::kSelEndSheet, block)) != 0) return answer;
    return send(request::kSelEndDocument, block);
}

std::int16_t RequestPlayer::deliverStored(const Story* story) {
    if (story == nullptr) return 0;
    XParamBlock nested{};
    initXParamBlock(nullptr, &nested);
    const std::int32_t answer = playStory(*story, nested);
    disposeXParamBlock(&nested);
    return answer == 0 ? 1 : 0;
}

std::int16_t RequestPlayer::exportStoryByName(const char* name) {
    for (const Story& story : storedStories)
        if (story.selector == 9 && story.name == name) return deliverStored(&story);
    return 0;
}

std::int16_t RequestPlayer::exportStoryByMark(std::int32_t mark) {
    for (const Story& story : storedStories)
        if (story.selector == 10 && story.mark == mark) return deliverStored(&story);
    return 0;
}

}  // namespace rtftest

#include "tests/export/RequestPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/translators/CExporter.h"
#include "engine/translators/TranslatorDescriptor.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/encoding/CUnicode.h"
#include "foundation/files/CFile.h"
#include "model/params/LanguageEncoding.h"
#include "tests/support/FileBytes.h"

namespace exporttest {

namespace {

constexpr std::int32_t kMaxRunUnits = 32767;
constexpr std::int32_t kMaxConvertedBytes = 32767;

}  // namespace

RequestPlayer::RequestPlayer(CExporter& exporter, std::string folder, RunDelivery delivery)
    : exporter(exporter), folder(std::move(folder)), textBuffer(kMaxRunUnits), conversionArea(32768) {
    const TranslatorDescriptor* descriptor = exporter.translatorDescriptor();
    const bool takesUtf16 = descriptor != nullptr && (descriptor->flags1 & kUnicodeTextBit) != 0;
    convertRuns = delivery == RunDelivery::asEngine && !takesUtf16;
    initXParamBlock(nullptr, &block);
    block.textBuffer = textBuffer.data();
    answers.reserve(4096);
}

RequestPlayer::~RequestPlayer() {
    disposeXParamBlock(&block);
}

void RequestPlayer::createFiles(const std::vector<PlayedSheet>& sheets) {
    for (const PlayedSheet& sheet : sheets) ASSERT_TRUE(testsupport::writeBytes(folder + sheet.fileName, ""));
}

void RequestPlayer::selectFile(const std::string& fileName) {
    assignCString(block.fileSpec.name, fileName.c_str());
    assignCString(block.fileSpec.folder, folder.c_str());
}

std::int32_t RequestPlayer::send(std::int16_t selector, std::int16_t storyNumber) {
    block.selector = selector;
    block.storyNumber = storyNumber;
    const std::int32_t answer = exporter.dispatch(&block);
    answers.push_back(block.selector);
    return answer;
}

void RequestPlayer::fillRun(const PlayedRun& run) {
    initXForm(&block.form);
    block.form.txtLangVal = run.language;
    block.form.txtSize = run.size;
    block.form.txtData = run.kind;
    block.form.txtType = run.anchor != 0 ? storycode::anchor(run.anchor, 1) : 0;
    const auto units = static_cast<std::int32_t>(std::min<std::size_t>(run.text.size(), kMaxRunUnits));
    if (!convertRuns) {
        std::copy_n(run.text.data(), units, textBuffer.data());
        block.textBuffer = textBuffer.data();
        block.textEncoding = kUtf16TextEncoding;
        block.textLength = units;
        return;
    }
    // The engine converts each run on its own, into at most 32767 bytes of its conversion area.
    const auto encoding = static_cast<std::int32_t>(languageEncoding(selectLanguageByHint(block.form)));
    CUnicode converter(encoding, CUnicode::kFromUtf16);
    block.textLength = converter.convert(run.text.data(), 2 * units, conversionArea.data(), kMaxConvertedBytes);
    block.textBuffer = conversionArea.data();
    block.textEncoding = encoding;
}

std::int32_t RequestPlayer::sendRun(const PlayedRun& run) {
    fillRun(run);
    return send(request::kSelText);
}

std::int32_t RequestPlayer::sendDocument(const std::vector<PlayedSheet>& sheets) {
    std::int32_t answer = send(request::kSelDocument);
    for (std::size_t index = 0; answer == 0 && index < sheets.size(); ++index) {
        selectFile(sheets[index].fileName);
        block.sheetIndex = static_cast<std::int16_t>(index);
        answer = send(request::kSelBeginSheet);
        if (answer == 0) answer = send(exportBeginCode(storykind::kMain));
        for (const PlayedRun& run : sheets[index].runs) {
            if (answer != 0) break;
            answer = sendRun(run);
        }
        if (answer == 0) answer = send(exportEndCode(storykind::kMain));
        if (answer == 0) answer = send(request::kSelEndSheet);
    }
    if (answer == 0) answer = send(request::kSelEndDocument);
    return answer;
}

std::int32_t RequestPlayer::play(const std::vector<PlayedSheet>& sheets) {
    createFiles(sheets);
    return sendDocument(sheets);
}

std::int16_t exportEndCode(std::int16_t storyNumber) {
    return static_cast<std::int16_t>(exportBeginCode(storyNumber) + request::kEndStoryOffset);
}

std::string fileBytes(const std::string& path) {
    return testsupport::readBytes(path);
}

std::string hex(const std::string& bytes) {
    std::string text;
    char pair[4];
    for (const char byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02X ", static_cast<unsigned char>(byte));
        text += pair;
    }
    return text;
}

}  // namespace exporttest

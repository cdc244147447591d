#pragma once
// One exporter of the program, made through its factory, with a temporary folder for its output and a
// player that drives it.
#include <memory>
#include <string>
#include <vector>

#include "engine/translators/CExporter.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "tests/export/RequestPlayer.h"
#include "tests/support/TemporaryFolder.h"

namespace exporttest {

struct Writer {
    const char* name;  // for messages
    TranslatorFactory factory;
    int descriptorIndex;  // in exporterDescriptors
};

class WriterSession {
public:
    explicit WriterSession(const Writer& writer, RunDelivery delivery = RunDelivery::asEngine)
        : exporter(static_cast<CExporter*>(writer.factory(&exporterDescriptors[writer.descriptorIndex]))),
          player(*exporter, folder.path(), delivery) {}

    // Plays one sheet holding the runs as its main story and answers the output file's bytes.
    std::string writeStory(const std::vector<PlayedRun>& runs) {
        result = player.play({{"out", runs}});
        return fileBytes(folder.file("out"));
    }

    testsupport::TemporaryFolder folder;
    std::unique_ptr<CExporter> exporter;
    RequestPlayer player;
    std::int32_t result = -1;
};

// A run of text in a language; an anchor run of one unit.
inline PlayedRun text(std::u16string units, std::int16_t language = 1033) {
    return PlayedRun{std::move(units), language};
}
inline PlayedRun anchorRun(char16_t code) {
    return PlayedRun{std::u16string(1, code), 1033, code};
}

// The golden file's bytes; VDK_UPDATE_GOLDEN=1 rewrites it from the output (and fails, so that a rewrite
// is never a pass).
void expectGoldenBytes(const std::string& goldenName, const std::string& actual);

}  // namespace exporttest

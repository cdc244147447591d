#pragma once
// Our RTF files read back by LibreOffice in one call per format: each as flat ODF, asked with XPath,
// and as LibreOffice's plain text, a line each. Oracle suites keep one for all their tests, since
// starting LibreOffice costs seconds.
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FlatDocument.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"
#include "tests/support/TemporaryFolder.h"

namespace apptest {

struct OfficeReadBack {
    testsupport::TemporaryFolder folder;  // the RTF files and what LibreOffice made of them
    std::map<std::string, std::unique_ptr<testsupport::FlatDocument>> documents;  // by stem
    std::string problem;  // empty when every file was read back

    // Reads the RTF files (in `folder`, named stem + ".rtf", in the order of the stems) back.
    void read(const std::vector<std::string>& rtfFiles, const std::vector<std::string>& stems) {
        testsupport::OfficeOracle oracle;
        for (const char* format : {"fodt", "txt:Text (encoded):UTF8"}) {
            const testsupport::ProgramRun reading = oracle.convert(rtfFiles, format, folder.path());
            if (reading.exitStatus != 0) {
                problem = "LibreOffice failed: " + reading.messages;
                return;
            }
        }
        for (const std::string& stem : stems) {
            auto document = std::make_unique<testsupport::FlatDocument>(folder.file(stem + ".fodt"));
            if (!document->parsed()) problem += stem + ".fodt was not read back; ";
            documents[stem] = std::move(document);
        }
    }

    // LibreOffice's plain text of a document, a line each, without a byte-order mark and line ends.
    std::vector<std::string> lines(const std::string& stem) const {
        std::string text = testsupport::readBytes(folder.file(stem + ".txt"));
        if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        std::vector<std::string> result;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            result.push_back(line);
        }
        return result;
    }
};

// A suite whose documents are converted and read back once, before its first test: its prepare() puts
// the documents in the temporary folder, converts them and reads them back.
template <typename Suite>
using ReadBackSuite = testsupport::OracleSuite<Suite, OfficeReadBack, ProgramRunTest>;

}  // namespace apptest

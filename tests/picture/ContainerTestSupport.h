#pragma once
// Picture containers for the walk's tests: a WordprocessingML snippet parsed with every namespace a
// container uses, and a small unpacked package in the test's own folder whose relationships name the
// picture parts.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/PascalWString.h"
#include "package/CRelationshipsTable.h"
#include "package/xml/XmlElementSearch.h"
#include "tests/support/PictureFixtures.h"
#include "tests/support/TemporaryFolder.h"

namespace containertest {

using picturefixtures::Bytes;

inline std::string namespaces() {
    return " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
           " xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\""
           " xmlns:w10=\"urn:schemas-microsoft-com:office:word\""
           " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
           " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
           " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
           " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";
}

// The snippet inside a run of a document's body (or of a header with inHeader).
class Container {
public:
    explicit Container(const std::string& run, bool inHeader = false) {
        const std::string story = inHeader ? "<w:hdr" + namespaces() + "><w:p><w:r>" + run + "</w:r></w:p></w:hdr>"
                                           : "<w:document" + namespaces() + "><w:body><w:p><w:r>" + run +
                                                 "</w:r></w:p></w:body></w:document>";
        doc = xmlReadMemory(story.data(), static_cast<int>(story.size()), nullptr, nullptr, XML_PARSE_NONET);
    }
    ~Container() { xmlFreeDoc(doc); }
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // The first w:pict, w:drawing or w:object of the snippet.
    xmlNode* element() const {
        xmlNode* root = xmlDocGetRootElement(doc);
        for (const char* name : {"pict", "drawing", "object"}) {
            if (xmlNode* found = xmlFindElement(root, "w", name, 1)) return found;
        }
        return nullptr;
    }

private:
    xmlDoc* doc = nullptr;
};

inline std::string base64Of(const Bytes& bytes) {
    char* text = nullptr;
    std::int32_t length = 0;
    base64Encode(bytes.data(), static_cast<std::int32_t>(bytes.size()), &text, &length);
    std::string copy(text, static_cast<std::size_t>(length));
    freeMemory(text);
    return copy;
}

inline Bytes bytesOf(const std::uint8_t* data, std::int32_t length) {
    return data == nullptr ? Bytes{} : Bytes(data, data + length);
}

// An unpacked package whose main part's relationships name the given media parts by id.
class FolderPackage {
public:
    explicit FolderPackage(const std::vector<std::pair<std::string, Bytes>>& media) {
        const std::filesystem::path word = std::filesystem::path(folder.path()) / "pkg" / "word";
        std::filesystem::create_directories(word / "_rels");
        std::filesystem::create_directories(word / "media");
        std::string rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
        int number = 1;
        for (const auto& [id, bytes] : media) {
            const std::string target = "media/image" + std::to_string(number++) + ".bin";
            std::ofstream(word / target, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            rels += "<Relationship Id=\"" + id + "\" Type=\"t\" Target=\"" + target + "\"/>";
        }
        std::ofstream(word / "_rels" / "document.xml.rels") << rels << "</Relationships>";
        PascalWString name{};
        assignCString(name, "pkg");
        PascalWString where{};
        assignCString(where, folder.path().c_str());
        table.openPackage(&name, &where, "word", 1);
        table.loadRelationships("document.xml", 1);
    }

    CRelationshipsTable* relationships() { return &table; }

private:
    testsupport::TemporaryFolder folder;
    CRelationshipsTable table;
};

}  // namespace containertest

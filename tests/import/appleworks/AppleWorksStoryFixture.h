#pragma once
// A version-5 word-processing file of our own with what the plain samples lack: a labelled (listed)
// first paragraph, a footnote whose text stands in a zone of its own, and a picture anchored to the
// first page in the document's root drawing layer (zone 3, named by the record's u16 at 54).
#include <string>

#include "tests/import/appleworks/AppleWorksFileBuilder.h"

namespace awfixture {

inline std::string storiesDocument() {
    const appleworks::AppleWorksFamily& family = appleworks::kAppleWorks5;
    FileBuilder file{family};
    TextZoneParts main;
    main.text = "Listed item\rNoted\x02 text.\r";
    main.paragraphRuns = {{0, 0}, {12, 1}};
    main.entries = {{17, 0, 2}};
    main.pageStarts = {0};
    std::string listed(108, '\0');
    put16(listed, 6, 0x0300);  // defines its label and level
    listed[10] = 1;
    std::string plain(108, '\0');
    put16(plain, 6, 0x0300);
    file.zones = {textZone(family, main), textZone("\x07 The note's text."),
                  drawingZone(family, {pictureObject("PICTBYTES", 100, 100, 200, 300)})};
    file.recordFields = {{10, 792}, {12, 612}, {54, 3}};
    file.sections = rulerStyleSection({listed, plain});
    return file.build();
}

}  // namespace awfixture

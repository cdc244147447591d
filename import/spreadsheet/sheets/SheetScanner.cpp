#include "import/spreadsheet/sheets/SheetScanner.h"

#include <string>
#include <string_view>

#include "foundation/text/NameCompare.h"
#include "import/spreadsheet/sheets/PlainXmlScanner.h"
#include "import/spreadsheet/sheets/SheetByteWindow.h"
#include "import/spreadsheet/sheets/SheetExtentTracker.h"
#include "import/spreadsheet/sheets/SheetNames.h"

namespace {

// Hands the scanner's elements and texts to the extent tracker as the parser's pass would.
class ExtentEvents {
public:
    explicit ExtentEvents(SheetExtent* extent) : tracker(extent) {}

    void start(const PlainXmlName& name, const PlainXmlAttribute* attributes, int count) {
        using plainxml::same;
        if (!rootSeen) {
            rootSeen = true;
            rootIsSheet = isSheetNamespace(attributes, count);
        }
        char reference[32];
        bool hasReference = false;
        for (int index = 0; index < count; ++index) {
            const PlainXmlAttribute& attribute = attributes[index];
            if (attribute.name.local.size() != 1 || attribute.name.local[0] != 'r') continue;
            if (attribute.name.prefix.empty()) {
                if (!attribute.simple) throw PlainXmlUnsure{};
                hasReference = attribute.value.size() < sizeof reference;
                if (hasReference) plainxml::copyName(attribute.value, reference);
            } else if (!same(attribute.name.prefix, "xmlns")) {
                throw PlainXmlUnsure{};
            }
        }
        char local[plainxml::kLongestName + 1];
        plainxml::copyName(name.local, local);
        // A prefixed element is in whatever namespace its prefix names: only for the names the pass looks
        // at does that matter, and those are left to the parser.
        if (!name.prefix.empty()) {
            for (const char* watched : {"worksheet", "sheetData", "row", "c", "f"})
                if (compareNames(local, watched) == 0) throw PlainXmlUnsure{};
        }
        tracker.start(local, name.prefix.empty() && rootIsSheet, hasReference ? reference : nullptr);
    }
    void end() { tracker.end(); }
    void text(const char*, const char*, bool) { tracker.text(); }

    bool isWorksheet() const { return tracker.isWorksheet(); }

private:
    SheetExtentTracker tracker;
    bool rootSeen = false;
    bool rootIsSheet = true;
};

}  // namespace

SheetScan scanSheetExtent(SheetByteWindow& window, SheetExtent* extent, bool* isWorksheet) {
    *extent = SheetExtent{};
    *isWorksheet = false;
    if (window.size() <= 0) return SheetScan::kUnsure;
    try {
        ExtentEvents events(extent);
        PlainXmlScanner<ExtentEvents> scanner(window.bytes(), window.size(), events);
        scanner.begin();
        for (;;) {
            window.keepAhead(scanner);
            if (!scanner.step()) break;
        }
        // The root closed, but more than blanks may follow beyond the window.
        if (!window.holdsEnd()) throw PlainXmlUnsure{};
        *isWorksheet = events.isWorksheet();
        return SheetScan::kMeasured;
    } catch (const PlainXmlUnsure&) {
        *extent = SheetExtent{};
        return SheetScan::kUnsure;
    }
}

SheetScan scanSheetExtent(const char* bytes, std::int32_t size, SheetExtent* extent, bool* isWorksheet,
                          SheetWindowSize windowSize) {
    SheetByteWindow window(std::make_unique<MemoryByteStream>(bytes, size), windowSize);
    return scanSheetExtent(window, extent, isWorksheet);
}

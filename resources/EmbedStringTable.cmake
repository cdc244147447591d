# cmake -DINPUT=<table.txt> -DOUTPUT=<file.cpp> -P EmbedStringTable.cmake
# Writes a .cpp that holds the bytes of the string-table source, for programStringTableSource().
file(READ "${INPUT}" hex HEX)
string(REPEAT "[0-9a-f]" 32 sixteenBytes)
string(REGEX REPLACE "(${sixteenBytes})" "\\1\n    " hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}"
"// Generated at build time from resources/strings/english.txt; edit that file, not this one.
#include \"resources/ProgramStrings.h\"

namespace {

// The table's bytes and a 0 byte, so that an empty table still makes a valid array.
constexpr unsigned char kSource[] = {
    ${bytes}0x00};

}  // namespace

std::string_view programStringTableSource() {
    return {reinterpret_cast<const char*>(kSource), sizeof kSource - 1};
}
")

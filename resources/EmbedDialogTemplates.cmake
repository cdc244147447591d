# cmake -DINPUT_DIR=<dialogs folder> -DOUTPUT=<file.cpp> -P EmbedDialogTemplates.cmake
# Writes a .cpp that holds the text of every window layout (*.dialog), for dialogTemplateSource().
file(GLOB dialog_files "${INPUT_DIR}/*.dialog")
list(SORT dialog_files)
set(arrays "")
set(entries "")
set(index 0)
foreach(dialog_file IN LISTS dialog_files)
  get_filename_component(name "${dialog_file}" NAME_WE)
  file(READ "${dialog_file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "constexpr unsigned char kDialog${index}[] = {${bytes}0x00};\n")
  string(APPEND entries "    {\"${name}\", kDialog${index}, sizeof kDialog${index} - 1},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}"
"// Generated at build time from resources/dialogs/*.dialog; edit those files, not this one.
#include \"resources/DialogTemplates.h\"

#include <cstddef>

namespace {

${arrays}
struct Entry {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};

constexpr Entry kEntries[] = {
${entries}};

}  // namespace

std::string_view dialogTemplateSource(std::string_view name) {
    for (const Entry& entry : kEntries) {
        if (name == entry.name) return {reinterpret_cast<const char*>(entry.bytes), entry.size};
    }
    return {};
}
")

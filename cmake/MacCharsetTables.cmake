# Turns the charset tables of resources/charsets/ into C++ source, at build time.
#   cmake -DTABLE_DIR=<folder of *.txt> -DOUTPUT=<file.cpp> -P MacCharsetTables.cmake
# Each table file is named after its charset and gives the 128 bytes 0x80 to 0xFF, in order, one a line:
# "<byte> <code point> [decode-only]" in hexadecimal; lines starting with '#' are comments. Besides what each
# byte reads as, the output lists the characters that are written as upper-half bytes (every byte that is not
# decode-only), sorted for a binary search. A malformed table stops the build, so that a typo never becomes a
# wrong character at run time.

if(NOT TABLE_DIR OR NOT OUTPUT)
  message(FATAL_ERROR "MacCharsetTables.cmake needs TABLE_DIR and OUTPUT")
endif()

file(GLOB tables "${TABLE_DIR}/*.txt")
list(SORT tables)
if(NOT tables)
  message(FATAL_ERROR "no charset tables in ${TABLE_DIR}")
endif()

set(body "")
set(count 0)
foreach(table IN LISTS tables)
  get_filename_component(name "${table}" NAME_WE)
  file(STRINGS "${table}" lines)
  set(expected 128)  # the next byte, as a number
  set(units "")
  set(written "")    # "<code point><byte>" for each byte that a character is written as
  foreach(line IN LISTS lines)
    if(line MATCHES "^#" OR line MATCHES "^[ \t]*$")
      continue()
    endif()
    if(NOT line MATCHES "^([0-9A-F][0-9A-F])[ \t]+([0-9A-F][0-9A-F][0-9A-F][0-9A-F])([ \t]+decode-only)?[ \t]*$")
      message(FATAL_ERROR "${table}: malformed line '${line}'")
    endif()
    set(byte "${CMAKE_MATCH_1}")
    set(unit "${CMAKE_MATCH_2}")
    set(decodeOnly "${CMAKE_MATCH_3}")
    math(EXPR value "0x${byte}")
    if(NOT value EQUAL expected)
      message(FATAL_ERROR "${table}: byte ${byte} out of order")
    endif()
    math(EXPR expected "${expected} + 1")
    string(APPEND units "0x${unit}, ")
    if(NOT decodeOnly)
      math(EXPR codePoint "0x${unit}")
      if(codePoint LESS 128)
        message(FATAL_ERROR "${table}: byte ${byte} reads as ASCII, which is written below 0x80; mark it decode-only")
      endif()
      list(APPEND written "${unit}${byte}")
    endif()
  endforeach()
  if(NOT expected EQUAL 256)
    message(FATAL_ERROR "${table}: the bytes 0x80 to 0xFF must all be given")
  endif()

  # Fixed-width upper-case hexadecimal sorts as text in numeric order.
  list(SORT written)
  list(LENGTH written writtenCount)
  set(reverse "")
  set(previous "")
  foreach(entry IN LISTS written)
    string(SUBSTRING "${entry}" 0 4 unit)
    string(SUBSTRING "${entry}" 4 2 byte)
    if(unit STREQUAL previous)
      message(FATAL_ERROR "${table}: U+${unit} is written as two bytes; mark one of them decode-only")
    endif()
    set(previous "${unit}")
    string(APPEND reverse "{0x${unit}, 0x${byte}}, ")
  endforeach()

  string(APPEND body "    {\"${name}\",\n     {${units}},\n     {${reverse}},\n     ${writtenCount}},\n")
  math(EXPR count "${count} + 1")
endforeach()

file(WRITE "${OUTPUT}" "// Made at build time from resources/charsets/ by cmake/MacCharsetTables.cmake; edit the tables there.
#include \"platform/text/MacCharsetTable.h\"

namespace platform {

const MacCharsetTable kMacCharsetTables[] = {
${body}};

const std::size_t kMacCharsetTableCount = ${count};

}  // namespace platform
")

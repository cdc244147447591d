#pragma once
// The program's own string table (the English texts), compiled into the program from
// resources/strings/english.txt. Its text is read with parseStringTable (foundation/language/StringTableFormat.h).
#include <string_view>

std::string_view programStringTableSource();

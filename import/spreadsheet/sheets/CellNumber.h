#pragma once
// The number a cell's value stands for. A sheet's values are nearly all plain decimals ("1", "-0.25",
// "442433.81"); those are read straight from the queued text, the rest as parseDouble reads them (white
// space, '+', exponents, "inf"), with a unit beyond ASCII standing as '?'.
#include <string_view>

double readCellNumber(std::u16string_view text);

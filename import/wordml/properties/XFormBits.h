#pragma once
// Change bits of the character record that the WordprocessingML readers set (the n-th optional field
// of kXFormTable, model/records/character/XFormFields.cpp).
namespace xformbit {
constexpr int kRevision = 34;
constexpr int kFieldType = 35;
constexpr int kField = 36;
constexpr int kFormField = 37;
}  // namespace xformbit

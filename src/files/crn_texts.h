#pragma once

#include <array>
#include <string>

// The two clipboard texts made of the committed rows' CRNs. Rows 1..10 are
// at index 0..9; an empty CRN is a row without a committed section.
namespace kiremo::files {

using RowCrns = std::array<std::string, 10>;

// One CRN per line in row order; every CRN but row 10's is followed by
// CR LF. No committed row gives the empty text.
std::string CrnListText(const RowCrns& crns);

// A browser address that fills the add/drop page's boxes crn_id1, crn_id2,
// ... with the CRNs in row order.
std::string CrnScriptText(const RowCrns& crns);

}  // namespace kiremo::files

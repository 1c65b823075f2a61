#pragma once

#include <array>
#include <string>
#include <string_view>

#include "text/errors.h"

// The two clipboard texts made of the committed rows' CRNs. Rows 1..10 are
// at index 0..9; an empty CRN is a row without a committed section.
namespace kiremo::files {

using RowCrns = std::array<std::string, 10>;

// A CRN as the registration system gives it: five ASCII digits.
bool IsCrn(std::string_view text);

// A CRN that the add/drop script cannot carry: the message says whose, in
// Windows-1254.
class ScriptCrnError : public Error {
 public:
  using Error::Error;
};

// One CRN per line in row order; every CRN but row 10's is followed by
// CR LF. No committed row gives the empty text.
std::string CrnListText(const RowCrns& crns);

// A browser address that fills the add/drop page's boxes crn_id1, crn_id2,
// ... with the CRNs in row order. Each CRN goes into the script as a quoted
// string and only when it is made of digits alone, since the script runs on
// the registration page with the student's session: ScriptCrnError naming
// the first row whose CRN holds anything else.
std::string CrnScriptText(const RowCrns& crns);

}  // namespace kiremo::files

#pragma once

#include <ostream>

#include "generator/generator.h"

// What "kiremo-cli generate" prints after "Oluştur": the listed alternatives
// in the list's order, as text lines or as one JSON object.
namespace kiremo::cli {

struct GenerateReport {
  const generator::Generator& generator;
  const generator::Generation& generation;
  bool metrics = false;  // each alternative's metrics too
  bool complete = true;  // the search was not stopped
};

// {"count", "total", "complete", "alternatives", ["metrics",] "message"[,
// "explanation"]}: "total" is exact when "complete", otherwise what was
// found (or ranked) until the stop; "message" is the text of the last box in
// the window's first words, "explanation" is there when nothing fits.
void PrintJsonResult(std::ostream& out, const GenerateReport& report);

// The last box as "CAPTION: text" and the explanation, then the summary and
// one line per alternative.
void PrintTextResult(std::ostream& out, const GenerateReport& report);

}  // namespace kiremo::cli

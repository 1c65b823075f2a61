#include "generator/hour_window.h"

#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

std::optional<int> WholeNumber(std::string_view text) {
  try {
    return StrToInt(Trim(text));
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

// "<field> 8 ile 22 arasında bir tam sayı olmalı; "25" yazılmış."
std::string OutOfRange(std::string_view field, int lowest, int highest, std::string_view text) {
  return std::string(field) + " " + std::to_string(lowest) + " ile " + std::to_string(highest) +
         std::string(" arasında bir tam sayı olmalı; \""_w) + std::string(text) + std::string("\" yazılmış."_w);
}

}  // namespace

std::optional<std::string> HourWindowFault(std::string_view first_hour, std::string_view end_hour,
                                           const HourFieldNames& names) {
  const auto first = WholeNumber(first_hour);
  if (!first || *first < kEarliestFirstHour || *first >= kLatestEndHour) {
    return OutOfRange(names.first, kEarliestFirstHour, kLatestEndHour - 1, first_hour);
  }
  const auto end = WholeNumber(end_hour);
  if (!end || *end <= kEarliestFirstHour || *end > kLatestEndHour) {
    return OutOfRange(names.end, kEarliestFirstHour + 1, kLatestEndHour, end_hour);
  }
  if (*end <= *first) {
    return std::string(names.end) + " (" + std::to_string(*end) + std::string(") ilk saatten ("_w) +
           std::to_string(*first) + std::string(") büyük olmalı."_w);
  }
  return std::nullopt;
}

}  // namespace kiremo::generator

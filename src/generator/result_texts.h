#pragma once

#include <cstdint>
#include <string>

#include "generator/timetable_metrics.h"

namespace kiremo::generator {

// Item k of a result list of `count` alternatives: "<count> farklı program
// yaptım!" for 0, "<k>. Alternatif" otherwise.
std::string ResultItemText(int k, int count);

// A count with dots between the thousands: "6.164.168".
std::string GroupedNumber(std::int64_t number);

// "<k>. Alternatif — 3 gün · 2 saat boşluk · 09:30–15:29", and
// " · 1 bina değişikliği" after it when asked for.
std::string AlternativeText(int k, const Metrics& metrics, bool with_walks);

// Which of the timetables a list holds when it cannot hold them all.
enum class Listed {
  First,  // the first ones found
  Best,   // the best ones by the order it shows
  Some,   // the best by another order than the one it shows
};

// The summary item: "<count> farklı program yaptım!" when the list holds
// them all, otherwise the true total and which of them are listed; after a
// stop, how many were found (or, for the best, ranked) until then.
std::string SummaryText(int listed, std::int64_t total, bool stopped, Listed which);
// The summary item while the search goes on.
std::string RunningSummaryText(int listed, std::int64_t total, Listed which);

// The box after a search that found more than it keeps, or was stopped by
// the student or, `out_of_time`, by its time limit.
std::string LimitReachedText(int listed, std::int64_t total, Listed which);
std::string StoppedText(int listed, std::int64_t total, Listed which, bool out_of_time = false);
// A stop before anything was found.
std::string StoppedEmptyText(bool out_of_time);

}  // namespace kiremo::generator

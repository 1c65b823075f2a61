#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "files/calendar_meetings.h"
#include "files/calendar_term.h"
#include "files/calendar_writer.h"
#include "files/export_file.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::files {
namespace {

// The calendar as Debian's icalendar package reads it; nothing when the
// reader is missing. A file the reader cannot parse fails the test.
std::optional<nlohmann::json> ReadBack(const std::string& path) {
  const std::string command = "/usr/bin/python3 " KIREMO_TESTS_DIR "/files/read_calendar.py '" + path + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = ::pclose(pipe);
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (code == 3 || code == 127) return std::nullopt;  // no icalendar, no python3
  EXPECT_EQ(code, 0) << "the reader could not read " << path;
  return code == 0 ? nlohmann::json::parse(out) : nlohmann::json::object({{"events", nlohmann::json::array()}});
}

planner::TDers Committed(std::string code, std::string crn, std::vector<std::array<std::string, 4>> meetings) {
  planner::TDers ders;
  ders.DersKodu = std::move(code);
  ders.CRN = std::move(crn);
  for (const auto& [bina, gun, saat, derslik] : meetings) {
    if (!gun.empty()) ders.Gunler.push_back(gun);
    ders.Binalar.push_back(bina);
    ders.Saatler.push_back(saat);
    ders.Derslikler.push_back(derslik);
  }
  ders.BlokSayisi = static_cast<int>(ders.Gunler.size());
  return ders;
}

TEST(TermDate, OnlyRealDaysInTheirOwnShape) {
  EXPECT_EQ(ParseTermDate("2025-09-15"), (TermDate{2025, 9, 15}));
  EXPECT_EQ(ParseTermDate("2024-02-29"), (TermDate{2024, 2, 29}));
  for (const char* bad : {"2025-02-29", "2025-13-01", "2025-00-10", "2025-04-31", "2025-9-15", "15.09.2025",
                          "2025/09/15", "2025-09-15x", "", "abcd-ef-gh", "1899-12-31", "+025-09-15"}) {
    EXPECT_EQ(ParseTermDate(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(FormatTermDate({2026, 2, 3}), "2026-02-03");
}

TEST(TermDate, WeeksArePositiveAndAtMostAYear) {
  EXPECT_EQ(ParseWeeks("14"), 14);
  EXPECT_EQ(ParseWeeks("1"), 1);
  EXPECT_EQ(ParseWeeks("52"), 52);
  for (const char* bad : {"0", "-1", "53", "1.5", "", "abc", "99999999999999999999"}) {
    EXPECT_EQ(ParseWeeks(bad), std::nullopt) << bad;
  }
}

TEST(TermDate, FirstWeekdayOnOrAfterTheFirstDay) {
  const TermDate monday{2025, 9, 15};
  EXPECT_EQ(FirstWeekdayFrom(monday, 1), monday);
  EXPECT_EQ(FirstWeekdayFrom(monday, 3), (TermDate{2025, 9, 17}));
  EXPECT_EQ(FirstWeekdayFrom({2025, 9, 18}, 1), (TermDate{2025, 9, 22}));  // Thursday to the next Monday
  EXPECT_EQ(FirstWeekdayFrom({2025, 12, 31}, 1), (TermDate{2026, 1, 5}));  // across the year's end
  EXPECT_EQ(FirstWeekdayFrom({2024, 2, 28}, 4), (TermDate{2024, 2, 29}));  // into a leap day
}

TEST(CalendarMeetings, MeetingsWithoutWeekdayOrHoursAreLeftOutAndCounted) {
  std::vector<planner::TDers> records(10);
  records[1] = Committed("ELK 101", "21001", {{"EEB", "1", "08:10", "D101"}, {"MKB", "", "13:15", "Z1"}});
  records[4] = Committed(
      "MAT 101", "30002",
      {{"FEB", "4", "ab:cd", "F1"}, {"FEB", "6", "09:10", "F1"}, {"FEB", "2", "12:12", "F1"}, {"", "5", "21:22", ""}});
  records[6].DersKodu = "FIZ 101";  // a row without a CRN holds nothing
  records[6].Gunler = {"1"};
  records[6].Saatler = {"08:09"};
  records[6].BlokSayisi = 1;
  const CalendarMeetings found = MeetingsOf(records);
  EXPECT_TRUE(found.committed);
  ASSERT_EQ(found.meetings.size(), 2u);
  EXPECT_EQ(found.meetings[0].code, "ELK 101");
  EXPECT_EQ(found.meetings[0].place, "EEB D101");
  EXPECT_EQ(found.meetings[0].number, 1);
  EXPECT_EQ(found.meetings[0].weekday, 1);
  EXPECT_EQ(found.meetings[0].start_hour, 8);
  EXPECT_EQ(found.meetings[0].end_hour, 10);
  EXPECT_EQ(found.meetings[1].code, "MAT 101");
  EXPECT_EQ(found.meetings[1].number, 4);
  EXPECT_EQ(found.meetings[1].place, "");
  EXPECT_EQ(found.meetings[1].end_hour, 22);
  // ELK's "BO" meeting; MAT's meetings with hours that are no number, on a
  // Saturday, and ending where they start.
  EXPECT_EQ(found.left_out, 4);
  EXPECT_FALSE(MeetingsOf(std::vector<planner::TDers>(10)).committed);
}

// The plan of the independent reader's test: ELK 101 on Monday 08:30-10:29
// and Wednesday 13:30-15:29, MAT 101 on Thursday 08:30-09:29.
CalendarMeetings TwoCourses() {
  std::vector<planner::TDers> records(10);
  records[1] = Committed("ELK 101", "21001", {{"EEB", "1", "08:10", "D101"}, {"EEB", "3", "13:15", "D 102"}});
  records[1].DersAdi = "Devre Teorisi Şube"_w;
  records[1].Ogretmen = "Ayşe Kaya"_w;
  records[4] = Committed("MAT 101", "30002", {{"FEB", "4", "08:09", "F1"}});
  records[4].DersAdi = "Analiz";
  return MeetingsOf(records);
}

TEST(CalendarFile, IndependentReaderSeesEveryMeetingAsAWeeklyEventInIstanbulTime) {
  testing_support::TempFolder folder;
  const std::string path = folder / "program.ics";
  // The term starts on a Wednesday: Monday's meeting first falls five days later.
  const CalendarWritten written = WriteCalendarFile(path, TwoCourses(), {{2025, 9, 17}, 15}, 1'700'000'000);
  EXPECT_EQ(written.events, 3);
  EXPECT_EQ(written.left_out, 0);

  const auto calendar = ReadBack(path);
  if (!calendar) GTEST_SKIP() << "python3-icalendar is not installed";
  EXPECT_EQ((*calendar)["version"], "2.0");
  EXPECT_TRUE((*calendar)["prodid"]);
  EXPECT_EQ((*calendar)["zones"], nlohmann::json::array({"Europe/Istanbul"}));
  EXPECT_TRUE((*calendar)["zone_starts_are_times"]);
  const auto& events = (*calendar)["events"];
  ASSERT_EQ(events.size(), 3u);
  struct Expected {
    const char* start;
    const char* end;
    int weekday;
    const char* summary;
    const char* location;
    const char* description;
  };
  const Expected expected[] = {
      {"2025-09-22T08:30", "2025-09-22T10:29", 1, "ELK 101 – Devre Teorisi Şube", "EEB D101",
       "CRN: 21001\nHoca: Ayşe Kaya"},
      {"2025-09-17T13:30", "2025-09-17T15:29", 3, "ELK 101 – Devre Teorisi Şube", "EEB D 102",
       "CRN: 21001\nHoca: Ayşe Kaya"},
      {"2025-09-18T08:30", "2025-09-18T09:29", 4, "MAT 101 – Analiz", "FEB F1", "CRN: 30002"},
  };
  for (std::size_t k = 0; k < 3; ++k) {
    const auto& event = events[k];
    SCOPED_TRACE(k);
    EXPECT_EQ(event["start"]["local"], expected[k].start);
    EXPECT_EQ(event["end"]["local"], expected[k].end);
    EXPECT_EQ(event["start"]["weekday"], expected[k].weekday);
    EXPECT_EQ(event["end"]["weekday"], expected[k].weekday);
    for (const char* side : {"start", "end"}) {
      EXPECT_EQ(event[side]["tzid"], "Europe/Istanbul");
      EXPECT_EQ(event[side]["offset_minutes"], 180);
    }
    EXPECT_EQ(event["freq"], "WEEKLY");
    EXPECT_EQ(event["count"], 15);
    EXPECT_EQ(event["summary"], expected[k].summary);
    EXPECT_EQ(event["location"], expected[k].location);
    EXPECT_EQ(event["description"], expected[k].description);
    EXPECT_TRUE(event["stamp"]);
  }
}

// The UIDs as the independent reader sees them; nothing without the reader.
std::optional<std::vector<std::string>> Uids(const std::string& path) {
  const auto calendar = ReadBack(path);
  if (!calendar) return std::nullopt;
  std::vector<std::string> uids;
  for (const auto& event : (*calendar)["events"]) uids.push_back(event["uid"]);
  return uids;
}

TEST(CalendarFile, UidsDependOnTheTermTheCourseAndTheMeetingOnly) {
  testing_support::TempFolder folder;
  WriteCalendarFile(folder / "a.ics", TwoCourses(), {{2025, 9, 17}, 14}, 1'700'000'000);
  WriteCalendarFile(folder / "b.ics", TwoCourses(), {{2025, 9, 17}, 10}, 1'800'000'000);
  WriteCalendarFile(folder / "c.ics", TwoCourses(), {{2026, 2, 16}, 14}, 1'700'000'000);
  const auto first = Uids(folder / "a.ics");
  if (!first) GTEST_SKIP() << "python3-icalendar is not installed";
  ASSERT_EQ(first->size(), 3u);
  EXPECT_EQ(std::set<std::string>(first->begin(), first->end()).size(), 3u);
  EXPECT_EQ(Uids(folder / "b.ics"), first);  // exported again: the same events
  const auto other_term = Uids(folder / "c.ics");
  ASSERT_TRUE(other_term);
  for (const std::string& uid : *other_term) {
    EXPECT_EQ(std::count(first->begin(), first->end(), uid), 0) << uid;  // another term: other events
  }
}

TEST(CalendarFile, TheSameSectionInTwoRowsIsOneEvent) {
  std::vector<planner::TDers> records(10);
  records[0] = records[3] = Committed("ELK 101", "21001", {{"EEB", "1", "08:10", "D101"}});
  const std::string text = CalendarText(MeetingsOf(records), {{2025, 9, 15}, 14}, 0);
  EXPECT_EQ(text.find("BEGIN:VEVENT"), text.rfind("BEGIN:VEVENT"));
}

TEST(CalendarFile, NothingToWriteOrNowhereToWriteLeavesNoFile) {
  testing_support::TempFolder folder;
  const std::string path = folder / "program.ics";
  std::vector<planner::TDers> records(10);
  EXPECT_THROW(WriteCalendarFile(path, MeetingsOf(records), {{2025, 9, 15}, 14}, 0), NothingToExport);
  records[2] = Committed("ELK 101", "21001", {{"EEB", "", "08:10", "D101"}});
  try {
    WriteCalendarFile(path, MeetingsOf(records), {{2025, 9, 15}, 14}, 0);
    ADD_FAILURE() << "a plan without a meeting to show was written";
  } catch (const NothingToExport& e) {
    EXPECT_NE(std::string(e.what()).find("günü ve saati belli değil"_w), std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(path));

  try {
    WriteCalendarFile(folder / "yok/program.ics", TwoCourses(), {{2025, 9, 15}, 14}, 0);
    ADD_FAILURE() << "no error for a missing folder";
  } catch (const FileCommandError& e) {
    EXPECT_NE(std::string(e.what()).find("dosyasına yazılamadı: "_w), std::string::npos) << e.what();
  }
}

TEST(ExportNames, ExtensionsAddedOrRecognised) {
  EXPECT_EQ(WithCalendarExtension("/tmp/hafta"), "/tmp/hafta.ics");
  EXPECT_EQ(WithCalendarExtension("/tmp/hafta.ICS"), "/tmp/hafta.ICS");
  EXPECT_EQ(WithCalendarExtension("/tmp/hafta.txt"), "/tmp/hafta.txt.ics");
  EXPECT_EQ(WithPictureExtension("/tmp/v1.0/hafta"), "/tmp/v1.0/hafta.png");
  EXPECT_EQ(WithPictureExtension("/tmp/hafta.pdf"), "/tmp/hafta.pdf");
  EXPECT_EQ(WithPictureExtension("/tmp/hafta.jpg"), "/tmp/hafta.jpg");
  EXPECT_EQ(PictureFormatOf("a.PNG"), PictureFormat::kPng);
  EXPECT_EQ(PictureFormatOf("a.pdf"), PictureFormat::kPdf);
  EXPECT_EQ(PictureFormatOf("a.jpg"), std::nullopt);
  EXPECT_EQ(PictureFormatOf("png"), std::nullopt);
}

}  // namespace
}  // namespace kiremo::files

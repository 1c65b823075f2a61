#include "demo_term.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "acquisition/page_cutter.h"
#include "catalogue/file_system.h"
#include "page_writer.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::demo {
namespace {

using testing_support::TempFolder;

const DemoTerm& Term() {
  static const DemoTerm term = MakeDemoTerm();
  return term;
}

const DemoDepartment& Department(std::string_view code) {
  for (const DemoDepartment& d : Term().departments) {
    if (d.code == code) return d;
  }
  throw std::out_of_range(std::string(code));
}

std::string Joined(const DemoSection& s, std::string DemoMeeting::*field) {
  std::string joined;
  for (const DemoMeeting& m : s.meetings) joined += (joined.empty() ? "" : "|") + m.*field;
  return joined;
}

// What the catalogue must hold for a section after its page is cut.
catalogue::SectionValues Stored(const DemoSection& s) {
  catalogue::SectionValues v{s.crn,
                             s.ders_kodu,
                             s.ders_adi,
                             s.ogretmen,
                             Joined(s, &DemoMeeting::bina),
                             Joined(s, &DemoMeeting::gun),
                             Joined(s, &DemoMeeting::saat),
                             Joined(s, &DemoMeeting::derslik),
                             s.alabilenler,
                             0};
  v.blok = static_cast<int>(v.saat.size() / 9);
  return v;
}

bool IsTime(std::string_view t) {
  if (t.size() != 9 || t[4] != '/' || t.substr(2, 2) != "30" || t.substr(7, 2) != "29") return false;
  for (const std::size_t k : {0, 1, 5, 6}) {
    if (t[k] < '0' || t[k] > '9') return false;
  }
  const int start = StrToInt(t.substr(0, 2));
  const int end = StrToInt(t.substr(5, 2));
  return start >= 8 && end > start && end <= 22;
}

// The encodings the planner and the generator rely on: aligned meetings, day
// codes, HHMM/HHMM or "/", a meeting without a day only last, blok = timed
// meetings.
void ExpectWellFormed(const catalogue::SectionValues& s) {
  SCOPED_TRACE(s.crn);
  const auto bina = Explode(s.bina, "|");
  const auto gun = Explode(s.gun, "|");
  const auto saat = Explode(s.saat, "|");
  const auto derslik = Explode(s.derslik, "|");
  ASSERT_FALSE(gun.empty());
  ASSERT_EQ(bina.size(), gun.size());
  ASSERT_EQ(saat.size(), gun.size());
  ASSERT_EQ(derslik.size(), gun.size());
  int timed = 0;
  for (std::size_t k = 0; k < gun.size(); ++k) {
    const std::string code = UpperAscii(gun[k].substr(0, 2));
    if (code == "BO") {
      EXPECT_EQ(saat[k], "/");
      EXPECT_EQ(k, gun.size() - 1) << "a meeting without a day comes last";
    } else {
      EXPECT_TRUE(code == "PA" || code == "SA" || code == "ÇA"_w || code == "PE" || code == "CU") << gun[k];
      EXPECT_TRUE(IsTime(saat[k])) << saat[k];
      ++timed;
    }
  }
  EXPECT_EQ(s.blok, timed);
  EXPECT_EQ(s.crn.size(), 5u);
  EXPECT_TRUE(std::all_of(s.crn.begin(), s.crn.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

TEST(DemoTermTest, GeneratorWritesTheSameBytesEveryTime) {
  TempFolder first, second;
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo-demo-term";
  for (const TempFolder* out : {&first, &second}) {
    ASSERT_EQ(std::system(("'" + program + "' '" + out->Path() + "' >/dev/null").c_str()), 0);
  }

  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(first.Path())) {
    names.insert(entry.path().filename().string());
  }
  std::set<std::string> expected{"index.html"};
  for (const DemoDepartment& d : Term().departments) expected.insert(d.code + ".html");
  EXPECT_EQ(names, expected);
  for (const std::string& name : names) {
    EXPECT_EQ(ReadWholeFile(first / name), ReadWholeFile(second / name)) << name;
  }
  EXPECT_EQ(ReadWholeFile(first / "ELK.html"), SchedulePage(Department("ELK")));
}

// Options are no folder: nothing is written for them.
TEST(DemoTermTest, OptionsGiveTheUsageAndWriteNothing) {
  TempFolder folder;
  const std::string program = std::string(KIREMO_BIN_DIR) + "/kiremo-demo-term";
  const struct {
    const char* words;
    int status;
  } cases[] = {{"--help", 0}, {"-h", 0}, {"--cikti", 2}, {"-", 2}, {"", 2}, {"a b", 2}};
  for (const auto& c : cases) {
    const std::string command = "cd '" + folder.Path() + "' && '" + program + "' " + c.words + " >out.txt 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status) << c.words;
    EXPECT_NE(ReadWholeFile(folder / "out.txt").find("kullanım: kiremo-demo-term"), std::string::npos) << c.words;
    std::filesystem::remove(folder / "out.txt");
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path())) << c.words;
  }
}

TEST(DemoTermTest, TermHasWhatTheDemoNeeds) {
  std::size_t sections = 0;
  std::set<std::string> codes, buildings;
  bool empty_department = false, apostrophe = false, nobody = false, everybody = false, list = false,
       without_day = false, only_slash = false, shared_teacher = false, several_meetings = false;
  for (const DemoDepartment& d : Term().departments) {
    codes.insert(d.code);
    sections += d.sections.size();
    empty_department |= d.sections.empty();
    for (std::size_t k = 0; k < d.sections.size(); ++k) {
      const DemoSection& s = d.sections[k];
      apostrophe |= s.ders_adi.find('\'') != std::string::npos;
      nobody |= s.ogretmen == "---";
      everybody |= s.alabilenler == "TÜM"_w;
      list |= s.alabilenler.find(", ") != std::string::npos;
      without_day |= s.meetings.size() > 1 && s.meetings.back().saat == "/";
      only_slash |= s.meetings.size() == 1 && s.meetings[0].saat == "/";
      several_meetings |= s.meetings.size() >= 3;
      shared_teacher |= k > 0 && s.ders_kodu == d.sections[k - 1].ders_kodu && s.ogretmen != "---" &&
                        s.ogretmen == d.sections[k - 1].ogretmen;
      for (const DemoMeeting& m : s.meetings) buildings.insert(m.bina);
    }
  }
  EXPECT_GE(Term().departments.size(), 35u);
  EXPECT_LE(Term().departments.size(), 45u);
  EXPECT_GE(sections, 2000u);
  EXPECT_LE(sections, 4000u);
  for (const char* code : {"ELK", "MAT", "FIZ", "KIM"}) EXPECT_TRUE(codes.count(code)) << code;
  for (const char* building : {"MKB", "ISB", "MMB", "GDB"}) EXPECT_TRUE(buildings.count(building)) << building;
  EXPECT_TRUE(empty_department);
  EXPECT_TRUE(apostrophe);
  EXPECT_TRUE(nobody);
  EXPECT_TRUE(everybody);
  EXPECT_TRUE(list);
  EXPECT_TRUE(without_day);
  EXPECT_TRUE(only_slash);
  EXPECT_TRUE(several_meetings);
  EXPECT_TRUE(shared_teacher);

  std::string all_pages;
  for (const DemoDepartment& d : Term().departments) all_pages += SchedulePage(d);
  for (const std::string_view letter : {"ç"_w, "ğ"_w, "ı"_w, "ö"_w, "ş"_w, "ü"_w, "İ"_w}) {
    EXPECT_NE(all_pages.find(letter), std::string::npos) << Cp1254ToUtf8(letter);
  }
}

TEST(DemoTermTest, EveryPageCutsBackIntoItsSectionsWithWellFormedValues) {
  for (const DemoDepartment& d : Term().departments) {
    SCOPED_TRACE(d.code);
    const auto cut = acquisition::CutSchedulePage(SchedulePage(d));
    if (d.sections.empty()) {
      EXPECT_FALSE(cut.has_value()) << "a header-only page has no section table";
      continue;
    }
    ASSERT_TRUE(cut.has_value());
    ASSERT_EQ(cut->size(), d.sections.size());
    for (std::size_t k = 0; k < cut->size(); ++k) {
      EXPECT_EQ((*cut)[k], Stored(d.sections[k]));
      EXPECT_TRUE(StartsWith((*cut)[k].ders_kodu, d.code + " "));
      ExpectWellFormed((*cut)[k]);
    }
  }
}

}  // namespace
}  // namespace kiremo::demo

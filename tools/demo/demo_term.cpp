#include "demo_term.h"

#include <algorithm>
#include <bit>
#include <string_view>

#include "demo_departments.h"
#include "demo_people.h"
#include "demo_random.h"
#include "text/cp1254.h"

namespace kiremo::demo {

namespace {

constexpr std::string_view kDays[] = {"Pazartesi"_w, "Salı"_w, "Çarşamba"_w, "Perşembe"_w, "Cuma"_w};
constexpr std::string_view kNoDay = "Boş"_w;
constexpr std::string_view kEverybody = "TÜM"_w;
constexpr std::string_view kTitleVariants[] = {"", " I", " II", " Laboratuvarı"_w, " Uygulamaları"_w, " Tasarımı"_w};
constexpr std::string_view kRoomPrefixes[] = {"A", "B", "D", "Z"};
constexpr int kProjectNumber = 492;

enum class Audience {
  kOwn,   // its own majors, sometimes with related departments'
  kWide,  // majors of many departments, or everybody
  kAll,   // mostly everybody
};

struct CoursePlan {
  std::string code;
  std::string title;
  int level = 1;
  int sections = 1;
  Audience audience = Audience::kOwn;
  bool without_time = false;  // a project: no day, no time
};

class TermBuilder {
 public:
  explicit TermBuilder(std::uint32_t seed) : random_(seed) {}

  DemoTerm Build() {
    DemoTerm term;
    for (const DepartmentInfo& info : DemoDepartments()) term.departments.push_back(Department(info));
    return term;
  }

 private:
  DemoDepartment Department(const DepartmentInfo& info) {
    DemoDepartment department{std::string(info.code), std::string(info.name), {}};
    if (info.kind == DepartmentKind::kEmpty) return department;
    const std::vector<std::string> teachers = TeacherPool(info.kind);
    const std::vector<CoursePlan> courses = Courses(info);
    for (std::size_t k = 0; k < courses.size(); ++k) {
      const CoursePlan& course = courses[k];
      // A handful of teachers share a course's sections, so several give
      // more than one.
      std::vector<std::string> course_teachers;
      const int count = std::min(course.sections, random_.Between(1, 3) + course.sections / 6);
      for (int t = 0; t < count; ++t) course_teachers.push_back(Pick(teachers));
      for (int s = 0; s < course.sections; ++s) {
        const std::string prerequisite = k > 0 && course.level >= 2 && random_.Chance(50)
                                             ? courses[random_.Below(static_cast<std::uint32_t>(k))].code + " MIN DD"
                                             : "Yok";
        department.sections.push_back(Section(info, course, Pick(course_teachers), prerequisite));
      }
    }
    return department;
  }

  std::vector<std::string> TeacherPool(DepartmentKind kind) {
    int size = random_.Between(6, 12);
    if (kind == DepartmentKind::kScience) size = random_.Between(12, 20);
    if (kind == DepartmentKind::kService) size = random_.Between(10, 18);
    std::vector<std::string> pool;
    while (static_cast<int>(pool.size()) < size) {
      std::string name(Pick(FirstNames()));
      if (random_.Chance(10)) name += " " + std::string(Pick(FirstNames()));
      name += " " + std::string(Pick(Surnames()));
      if (std::find(pool.begin(), pool.end(), name) == pool.end()) pool.push_back(name);
    }
    return pool;
  }

  std::vector<CoursePlan> Courses(const DepartmentInfo& info) {
    std::vector<CoursePlan> courses;
    auto add = [&](std::string title, int level, int sections, Audience audience) {
      courses.push_back({"", std::move(title), level, sections, audience, false});
    };
    const auto topic = [&](int k) { return std::string(info.topics[k]); };
    switch (info.kind) {
      case DepartmentKind::kEngineering:
      case DepartmentKind::kSocial: {
        const bool engineering = info.kind == DepartmentKind::kEngineering;
        const int n = engineering ? random_.Between(22, 32) : random_.Between(16, 22);
        for (int i = 0; i < n; ++i) {
          add(topic(i % 5) + std::string(kTitleVariants[(i / 5) % 6]), 1 + i * 4 / n,
              engineering ? SectionCount({25, 30, 25, 12, 8}) : SectionCount({55, 30, 15}), Audience::kOwn);
        }
        courses[n * 3 / 4].title = Pick(ApostropheTitles());
        break;
      }
      case DepartmentKind::kScience: {
        add(topic(0) + " I", 1, random_.Between(18, 32), Audience::kWide);
        add(topic(0) + " II", 1, random_.Between(18, 32), Audience::kWide);
        add(topic(1), 1, random_.Between(18, 32), Audience::kWide);
        const int n = random_.Between(12, 18);
        for (int i = 0; i < n; ++i) {
          add(topic(2 + i % 3) + std::string(kTitleVariants[(i / 3) % 6]), 2 + i * 3 / n, SectionCount({55, 30, 15}),
              Audience::kOwn);
        }
        break;
      }
      case DepartmentKind::kService: {
        const int n = random_.Between(2, 4);
        const std::string titles[] = {topic(0) + " I", topic(0) + " II", topic(1), topic(2)};
        for (int i = 0; i < n; ++i) add(titles[i], 1 + i / 2, random_.Between(12, 26), Audience::kAll);
        break;
      }
      case DepartmentKind::kEmpty: break;
    }
    NumberCourses(info, courses);
    if (info.kind == DepartmentKind::kEngineering) {
      courses.push_back({std::string(info.code) + " " + std::to_string(kProjectNumber) + "E",
                         std::string("Bitirme Tasarım Projesi"_w), 4, random_.Between(2, 5), Audience::kOwn, true});
    }
    return courses;
  }

  // Course numbers rise with the level and stay below the project's.
  void NumberCourses(const DepartmentInfo& info, std::vector<CoursePlan>& courses) {
    int english_percent = 0;
    if (info.kind == DepartmentKind::kEngineering) english_percent = 50;
    if (info.kind == DepartmentKind::kScience) english_percent = 30;
    if (info.kind == DepartmentKind::kSocial) english_percent = 20;
    for (std::size_t first = 0; first < courses.size();) {
      std::size_t last = first;
      while (last < courses.size() && courses[last].level == courses[first].level) ++last;
      const int count = static_cast<int>(last - first);
      const int step = std::clamp(85 / count, 1, 9);
      int number = courses[first].level * 100 + random_.Between(1, 3);
      for (std::size_t k = first; k < last; ++k) {
        courses[k].code = std::string(info.code) + " " + std::to_string(number);
        if (random_.Chance(english_percent)) courses[k].code += "E";
        number += random_.Between(1, step);
      }
      first = last;
    }
  }

  // 1, 2, 3 ... sections with the given percentages.
  int SectionCount(std::initializer_list<int> percents) {
    int roll = static_cast<int>(random_.Below(100));
    int count = 1;
    for (const int p : percents) {
      if (roll < p) return count;
      roll -= p;
      ++count;
    }
    return 1;
  }

  DemoSection Section(const DepartmentInfo& info, const CoursePlan& course, const std::string& teacher,
                      const std::string& prerequisite) {
    DemoSection s;
    next_crn_ += random_.Between(1, 7);
    s.crn = std::to_string(next_crn_);
    s.ders_kodu = course.code;
    s.ders_adi = course.title;
    s.ogretmen = random_.Chance(3) ? "---" : teacher;
    if (course.without_time) {
      s.meetings.push_back({std::string(info.building), std::string(kNoDay), "/", "---"});
    } else {
      s.meetings = Meetings(info, course);
    }
    s.kontenjan = random_.Between(4, 24) * 5;
    s.yazilan = random_.Between(0, s.kontenjan);
    s.rezervasyon = random_.Chance(15) ? random_.Between(1, 10) : 0;
    s.alabilenler = Majors(info, course.audience);
    s.on_sart = prerequisite;
    s.sinif_sarti = course.level == 4 && random_.Chance(40) ? std::string("3. Sınıf ve üzeri"_w) : "-";
    return s;
  }

  std::vector<DemoMeeting> Meetings(const DepartmentInfo& info, const CoursePlan& course) {
    const int count = SectionCount({30, 55, 15});
    unsigned days = 0;
    while (std::popcount(days) < count) days |= 1u << random_.Below(5);
    const bool lab = course.title.find("Laboratuvar") != std::string::npos;
    std::string time = Time();
    std::vector<DemoMeeting> meetings;
    for (int day = 0; day < 5; ++day) {
      if (!(days & (1u << day))) continue;
      if (!meetings.empty() && random_.Chance(40)) time = Time();
      const std::string building(random_.Chance(80) ? info.building : Pick(DemoBuildings()));
      meetings.push_back({building, std::string(kDays[day]), time, Room(lab)});
    }
    // A meeting without a day comes last, after the real ones.
    if (count < 3 && random_.Chance(4))
      meetings.push_back({std::string(info.building), std::string(kNoDay), "/", "---"});
    return meetings;
  }

  // HHMM/HHMM from a half past to the minute before a later half past,
  // inside 08:30-22:29, evenings less often.
  std::string Time() {
    const int hours = SectionCount({20, 50, 30});
    const int start = random_.Chance(85) ? random_.Between(8, 17 - hours) : random_.Between(18 - hours, 22 - hours);
    return TwoDigits(start) + "30/" + TwoDigits(start + hours) + "29";
  }

  static std::string TwoDigits(int n) { return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

  std::string Room(bool lab) {
    if (lab) return "LAB" + std::to_string(random_.Between(1, 6));
    return std::string(Pick(std::span<const std::string_view>(kRoomPrefixes))) + std::to_string(random_.Between(1, 5)) +
           (random_.Chance(50) ? "0" : "1") + std::to_string(random_.Between(0, 9));
  }

  std::string Majors(const DepartmentInfo& info, Audience audience) {
    if (audience == Audience::kAll && random_.Chance(70)) return std::string(kEverybody);
    if (audience == Audience::kWide && random_.Chance(40)) return std::string(kEverybody);
    std::vector<std::string_view> codes;
    if (audience == Audience::kOwn) {
      codes.push_back(info.code);
      if (random_.Chance(50)) {
        for (std::size_t at = 0; at + 3 <= info.related.size(); at += 4) codes.push_back(info.related.substr(at, 3));
      }
    } else {
      const int wanted = random_.Between(4, 9);
      if (random_.Chance(60)) codes.push_back("ELK");
      while (static_cast<int>(codes.size()) < wanted) {
        const DepartmentInfo& other = Pick(DemoDepartments());
        if (other.kind != DepartmentKind::kEngineering) continue;
        if (std::find(codes.begin(), codes.end(), other.code) == codes.end()) codes.push_back(other.code);
      }
      std::sort(codes.begin(), codes.end());
    }
    std::string majors;
    for (const std::string_view code : codes) {
      if (!majors.empty()) majors += ", ";
      majors += code;
      majors += ", ";
      majors += code;
      majors += "E";
    }
    return majors;
  }

  template <typename T>
  const T& Pick(std::span<const T> items) {
    return random_.Pick(items);
  }
  const std::string& Pick(const std::vector<std::string>& items) {
    return items[random_.Below(static_cast<std::uint32_t>(items.size()))];
  }

  DemoRandom random_;
  int next_crn_ = 20000;
};

}  // namespace

DemoTerm MakeDemoTerm(std::uint32_t seed) { return TermBuilder(seed).Build(); }

}  // namespace kiremo::demo

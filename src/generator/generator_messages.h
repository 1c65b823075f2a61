#pragma once

#include <string_view>

#include "text/cp1254.h"

// The generator's message boxes: captions and texts.
namespace kiremo::generator {

inline constexpr std::string_view kHata = "HATA";
inline constexpr std::string_view kMesaj = "Mesaj";
inline constexpr std::string_view kEdebiMesaj = "Edebi Mesaj";
// The box that says why nothing fits.
inline constexpr std::string_view kBilgi = "Bilgi";

inline constexpr std::string_view kNoCodeChosen = "Derslerden birinin veya daha fazlasının kodunu seçmemişsin!!"_w;
// Follows the course code.
inline constexpr std::string_view kNoVersion =
    " kodlu dersin seçtiğin kıstaslara uyan bir versiyonu yok! Ne biçim kıstas seçmişsin yuh be!!"_w;
inline constexpr std::string_view kNoCourse =
    "Çok kıyak bi ders programı yaptım sana, hiç ders yok içinde hayrını gör:)"_w;
inline constexpr std::string_view kOneCourse =
    "Tek dersle program mı olur, dalga mı geçiyorsun sen benle hei!? En az 2 tane seç, adamı ayar etme!!"_w;
inline constexpr std::string_view kImpossible = "Hiçbir şey imkansız değildir! Bu ders programı dışında... "_w;

// The true total between the first two, which of them and how many were
// listed between the last two.
inline constexpr std::string_view kLimitBefore = "Seçtiğin derslerle "_w;
inline constexpr std::string_view kLimitMiddle = " farklı program çıkıyor; yalnızca "_w;
inline constexpr std::string_view kLimitAfter = " tanesini listeledim. Kıstasları daraltırsan hepsini görebilirsin."_w;
// Between them the number of timetables found before the stop, all listed.
inline constexpr std::string_view kStoppedBefore = "Aramayı durdurdun; o ana kadar bulduğum "_w;
inline constexpr std::string_view kStoppedAfter = " programı listeledim."_w;
// kStoppedBefore in parts: who stopped the search, then what it had done.
inline constexpr std::string_view kStoppedByStudent = "Aramayı durdurdun; "_w;
inline constexpr std::string_view kOutOfTime = "Aramaya ayrılan süre doldu; "_w;
inline constexpr std::string_view kFoundSoFar = "o ana kadar bulduğum "_w;
inline constexpr std::string_view kRankedSoFar = "o ana kadar sıraladığım "_w;
inline constexpr std::string_view kNothingSoFar = "o ana kadar uygun bir program bulamamıştım."_w;
// After kStoppedBefore and the number found, when not all of them are listed.
inline constexpr std::string_view kStoppedCutMiddle = " programdan "_w;
inline constexpr std::string_view kStoppedCutAfter = " tanesini listeledim."_w;

// Follows the course code; the rows it is chosen in follow that.
inline constexpr std::string_view kSameCourse = " dersini birden çok satırda seçmişsin ("_w;
inline constexpr std::string_view kSameCourseAfter =
    "); bir derse yalnızca bir kez yazılabilirsin. Fazla satırları boşaltıp yeniden dene."_w;

// A candidate's catalogue row or hours cannot be read.
inline constexpr std::string_view kSectionMissing = " CRN'li ders, bölümün tablosunda bulunamadı!"_w;
inline constexpr std::string_view kMeetingWithoutHours = " CRN'li dersin bir gününün saati yok!"_w;

}  // namespace kiremo::generator

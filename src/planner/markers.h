#pragma once

#include <string>
#include <string_view>

#include "text/cp1254.h"

// Texts with a meaning of their own in the choice lists and the catalogue.
namespace kiremo::planner {

inline constexpr std::string_view kSecin = "Seçin"_w;     // nothing chosen
inline constexpr std::string_view kBos = "Boş"_w;         // a department without course codes
inline constexpr std::string_view kBosSuffix = " Boş"_w;  // a section item that is never previewed or committed
inline constexpr std::string_view kYok = "Yok"_w;         // no section / no teacher
inline constexpr std::string_view kKaydedildi = "----------Kaydedildi"_w;  // the committed item's suffix
inline constexpr std::string_view kTum = "TÜM"_w;                          // every department may take the section
inline constexpr std::string_view kNoTeacher = "---"_w;

// The message of a catalogue that cannot be read, and what rebuilds it: a
// reinstalled program finds the same catalogue in its data folder.
inline constexpr std::string_view kDamagedCatalogue =
    "Database dosyası silinmiş veya bozulmuş! Programı yeniden yükle. Ders bilgilerini \"Program > Veri "
    "Al/Güncelle\" ile sunucudan yeniden kurabilirsin."_w;

// The status line when "Ekle" finds the chosen section clashing.
inline constexpr std::string_view kCommitClash =
    "Bu şube eklenmedi: kırmızı saatlerde eklenmiş başka bir dersle çakışıyor."_w;

// The status line when the chosen section meets in hours kept free; the
// hours follow.
inline constexpr std::string_view kOnBusyHours = "Bu şube boş tutmak istediğin saatlere denk geliyor: "_w;

// What to do about a locked section that is no longer offered.
inline constexpr std::string_view kLockGoneAdvice = "sabitlemeyi kaldır ya da başka bir şube seç"_w;

// "ELK 101 dersine sabitlediğin 21001 şubesinin yerine 21002 eklendi;
// sabitleme kaldırıldı.": the status line when another section is committed
// in a locked row.
inline std::string LockReleasedText(const std::string& course, const std::string& locked, const std::string& crn) {
  return course + std::string(" dersine sabitlediğin "_w) + locked + std::string(" şubesinin yerine "_w) + crn +
         std::string(" eklendi; sabitleme kaldırıldı."_w);
}

}  // namespace kiremo::planner

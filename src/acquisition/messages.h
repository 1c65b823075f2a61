#pragma once

#include <string>
#include <string_view>

#include "text/cp1254.h"

// The acquisition's own texts: message boxes, their captions, status lines.
namespace kiremo::acquisition {

inline constexpr std::string_view kCaptionError = "HATA"_w;
inline constexpr std::string_view kCaptionUpdate = "Güncelleme"_w;
inline constexpr std::string_view kCaptionNotice = "Mesaj"_w;

inline constexpr std::string_view kConnectionFailed =
    "Sunucuya bağlanamadım! Internete bağlı olduğundan ve ZEMÜ'nün sitesinin göçmediğinden emin olduktan sonra tekrar dene!"_w;
inline constexpr std::string_view kDepartmentListMissing =
    "\"kodlar.dat\" dosyası bulunamadı! Bu dosyanın DataBase klasöründe olup emin olup tekrar dene!"_w;
inline constexpr std::string_view kCatalogueDamaged = "Database dosyası silinmiş veya bozulmuş! Programı tekrar kur."_w;
inline constexpr std::string_view kQuickUpdateFailed =
    "Otomatik güncelleme işlemi bağlantıdaki bir problemden dolayı başarısız oldu. Bağlantı düzelene kadar bu özelliği kapatsan iyi edersin."_w;
inline constexpr std::string_view kNewVersionIntro =
    "Yeni versiyonum çıkmış! \"Hakkında\" menüsünden web sayfama gidip yeni sürümümü indirebilirsin.\n\nDeğişiklikler:\n\n"_w;
inline constexpr std::string_view kUpdateAlreadyRunning =
    "Ders bilgileri şu anda güncelleniyor. Güncelleme bitince tekrar deneyebilirsin."_w;
inline constexpr std::string_view kStoreFailedIntro =
    "Ders bilgileri kaydedilemediği için güncelleme yarıda kaldı; eski ders bilgileri olduğu gibi duruyor.\n\n"_w;

inline constexpr std::string_view kDepartmentListUpdated = "Bölüm Kodları Güncellendi!"_w;
inline constexpr std::string_view kDepartmentUpdatedSuffix = " güncellendi."_w;
inline constexpr std::string_view kCompletedSuffix =
    " tane sayfayı tek tek dolaşıp ne var ne yok alarak güncelleme işlemini tamamladım!"_w;

// "<code> güncellendi."
inline std::string DepartmentUpdatedText(std::string_view code) {
  return std::string(code) + std::string(kDepartmentUpdatedSuffix);
}

// "<pages> tane sayfayı tek tek dolaşıp ne var ne yok alarak güncelleme işlemini tamamladım!"
inline std::string CompletedText(int pages) { return std::to_string(pages) + std::string(kCompletedSuffix); }

}  // namespace kiremo::acquisition

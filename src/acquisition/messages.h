#pragma once

#include <cstddef>
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
inline constexpr std::string_view kQuickUpdateFailed =
    "Otomatik güncelleme işlemi bağlantıdaki bir problemden dolayı başarısız oldu. Bağlantı düzelene kadar bu özelliği kapatsan iyi edersin."_w;
inline constexpr std::string_view kNewVersionIntro =
    "Yeni versiyonum çıkmış! \"Hakkında\" menüsünden web sayfama gidip yeni sürümümü indirebilirsin.\n\nDeğişiklikler:\n\n"_w;
inline constexpr std::string_view kUpdateAlreadyRunning =
    "Ders bilgileri şu anda güncelleniyor. Güncelleme bitince tekrar deneyebilirsin."_w;
// Why an update ended without changing anything, when it was not the connection.
inline constexpr std::string_view kNothingChanged = " Ders bilgileri olduğu gibi duruyor."_w;
inline constexpr std::string_view kServerGaveNoDepartments =
    "Sunucu bölüm listesini vermedi: bölüm listesi sayfasında hiç bölüm yok. Ders bilgileri olduğu gibi duruyor."_w;
inline constexpr std::string_view kServerGaveNoSchedule =
    "Sunucu ders programı vermedi: hiçbir bölümün sayfasında ders tablosu yok. Ders bilgileri olduğu gibi duruyor."_w;
inline constexpr std::string_view kDiskFull =
    "Diskte yer kalmadı! Ders bilgileri güncellenemedi; eski ders bilgileri olduğu gibi duruyor. Diskte yer açıp tekrar dene."_w;
inline constexpr std::string_view kUpdateFailedIntro = "Ders bilgileri güncellenemedi: "_w;
inline constexpr std::string_view kUpdateNotDone = "Güncelleme yapılamadı; ders bilgileri olduğu gibi duruyor."_w;
inline constexpr std::string_view kNothingChangedAfterFailure =
    ". Ders bilgileri ve bölüm listesi olduğu gibi duruyor."_w;
inline constexpr std::string_view kUpdateCancelled = "Güncellemeden vazgeçildi; ders bilgileri olduğu gibi duruyor."_w;
inline constexpr std::string_view kFetchingDepartmentList = "Bölüm listesi sunucudan alınıyor..."_w;
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

// "<code> bölümünün ders programı sunucudan alınıyor..."
inline std::string FetchingDepartmentText(std::string_view code) {
  return std::string(code) + std::string(" bölümünün ders programı sunucudan alınıyor..."_w);
}

// "<code> bölümünün güncellemesinden vazgeçildi."
inline std::string DepartmentNotUpdatedText(std::string_view code) {
  return std::string(code) + std::string(" bölümünün güncellemesinden vazgeçildi."_w);
}

// The catalogue folder cannot be written: updates are refused, reading works.
inline std::string ReadOnlyFolderText(std::string_view folder) {
  return "\"" + std::string(folder) +
         std::string(
             "\" klasörü salt okunur: ders bilgileri güncellenemez. Ders seçmek ve program oluşturmak eskisi gibi çalışır."_w);
}

// "<pages> tane sayfayı tek tek dolaşıp ne var ne yok alarak güncelleme işlemini tamamladım!"
inline std::string CompletedText(int pages) { return std::to_string(pages) + std::string(kCompletedSuffix); }

// What an update left out, said after its status line; nothing when it
// left nothing out.
inline std::string LeftOutText(int refused_codes, int refused_rows) {
  std::string text;
  if (refused_codes > 0) {
    text += " Bölüm listesindeki "_w;
    text += std::to_string(refused_codes);
    text += " kod, bir bölüm kodunda olamayacak karakterler taşıdığı için alınmadı."_w;
  }
  if (refused_rows > 0) {
    text += " CRN'si beş rakamdan oluşmayan "_w;
    text += std::to_string(refused_rows);
    text += " satır alınmadı."_w;
  }
  return text;
}

// How many departments an index page may list: a university has a few
// hundred at most, and every one costs a page and a table.
inline constexpr std::size_t kMaxDepartments = 1000;

// The index page lists more departments than an update takes.
inline std::string TooManyDepartmentsText(std::size_t listed) {
  return std::string("Sunucunun bölüm listesinde "_w) + std::to_string(listed) +
         std::string(" bölüm var; bir güncelleme en çok "_w) + std::to_string(kMaxDepartments) +
         std::string(" bölüm alır. Ders bilgileri olduğu gibi duruyor."_w);
}

}  // namespace kiremo::acquisition

#include "demo_people.h"

#include "text/cp1254.h"

namespace kiremo::demo {

namespace {

constexpr std::string_view kFirstNames[] = {
    "Ayşe"_w,  "Mehmet"_w, "Zeynep"_w, "Oğuz"_w,   "Gülşen"_w,   "İlker"_w, "Şule"_w,  "Çağrı"_w,
    "Ümit"_w,  "Özlem"_w,  "Barış"_w,  "Dilek"_w,  "Ertuğrul"_w, "Fırat"_w, "Gönül"_w, "Hülya"_w,
    "Irmak"_w, "Kıvanç"_w, "Levent"_w, "Müge"_w,   "Nurşen"_w,   "Onur"_w,  "Pınar"_w, "Rüştü"_w,
    "Sevgi"_w, "Tuğba"_w,  "Uğur"_w,   "Volkan"_w, "Yağmur"_w,   "Zafer"_w, "İpek"_w,  "Ömer"_w,
};

constexpr std::string_view kSurnames[] = {
    "Karadağlı"_w,  "Yeşilırmak"_w, "Çınaraltı"_w,  "Gökdeniz"_w,   "Aksöğüt"_w,   "Tunçbilek"_w, "Erdoğmuş"_w,
    "Şahinkaya"_w,  "Özçelikten"_w, "Bağcılar"_w,   "Kuşdili"_w,    "Ilgazoğlu"_w, "Dereköylü"_w, "Sönmezer"_w,
    "Ağaçkakan"_w,  "Çamlıbel"_w,   "Gümüşsu"_w,    "Halıcıoğlu"_w, "İnceköprü"_w, "Kayaönü"_w,   "Lalezar"_w,
    "Mercanlı"_w,   "Narçiçeği"_w,  "Ortaçlı"_w,    "Pekşen"_w,     "Sarıgöl"_w,   "Taşdelen"_w,  "Üzümlüce"_w,
    "Yıldırımer"_w, "Zümrütova"_w,  "Başakçı"_w,    "Düzyol"_w,     "Eğrisu"_w,    "Fındıkçı"_w,  "Güneşdoğdu"_w,
    "Kırlangıç"_w,  "Oymapınar"_w,  "Soğukçeşme"_w, "Uçarkuş"_w,    "Vadili"_w,
};

constexpr std::string_view kApostropheTitles[] = {
    "Mühendis'in Etiği"_w,         "Türkiye'nin Doğal Kaynakları"_w, "Anadolu'nun Yapı Kültürü"_w,
    "Dünya'nın Enerji Geleceği"_w, "Ege'nin Kıyı Ekosistemleri"_w,   "Akdeniz'in İklim Tarihi"_w,
};

}  // namespace

std::span<const std::string_view> FirstNames() { return kFirstNames; }
std::span<const std::string_view> Surnames() { return kSurnames; }
std::span<const std::string_view> ApostropheTitles() { return kApostropheTitles; }

}  // namespace kiremo::demo

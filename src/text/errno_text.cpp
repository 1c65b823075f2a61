#include "text/errno_text.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "text/cp1254.h"

namespace kiremo {

namespace {

constexpr std::pair<int, std::string_view> kReasons[] = {
    {ENOENT, "Böyle bir dosya ya da klasör yok"_w},
    {EACCES, "Erişim izni yok"_w},
    {EPERM, "Bu işleme izin verilmiyor"_w},
    {EROFS, "Dosya sistemi salt okunur"_w},
    {ENOSPC, "Diskte yer kalmadı"_w},
    {EDQUOT, "Disk kotası doldu"_w},
    {EEXIST, "Bu adda bir dosya zaten var"_w},
    {ENOTDIR, "Yoldaki bir ad klasör değil"_w},
    {EISDIR, "Bu bir klasör"_w},
    {ENOTEMPTY, "Klasör boş değil"_w},
    {ENAMETOOLONG, "Dosya adı çok uzun"_w},
    {ELOOP, "Çok fazla sembolik bağ iç içe"_w},
    {EBUSY, "Aygıt ya da dosya meşgul"_w},
    {ETXTBSY, "Dosya kullanımda"_w},
    {EFBIG, "Dosya çok büyük"_w},
    {EMFILE, "Programın açabileceği dosya sayısı doldu"_w},
    {ENFILE, "Sistemin açabileceği dosya sayısı doldu"_w},
    {EXDEV, "Dosya başka bir dosya sistemine taşınamaz"_w},
    {EIO, "Giriş/çıkış hatası"_w},
    {ENOMEM, "Bellek yetmedi"_w},
    {EINVAL, "Geçersiz değer"_w},
};

}  // namespace

std::string ErrnoText(int errnum) {
  for (const auto& [value, text] : kReasons) {
    if (value == errnum) return std::string(text);
  }
  return Utf8ToCp1254(std::strerror(errnum));
}

}  // namespace kiremo

#include "acquisition/fetch_failure.h"

#include "acquisition/messages.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"

namespace kiremo::acquisition {

namespace {

std::string WhatTheServerDid(const FetchError& error) {
  const std::string address = "\"" + error.url() + "\"";
  const std::string status = std::to_string(error.status());
  switch (error.fault()) {
    case FetchFault::Status:
      return std::string("Sunucu "_w) + address + std::string(" adresi için HTTP "_w) + status +
             std::string(" hatası verdi."_w);
    case FetchFault::Redirect:
      return std::string("Sunucu "_w) + address + std::string(" adresini başka bir yere yönlendirdi (HTTP "_w) +
             status + ").";
    case FetchFault::TooLarge:
      return std::string("Sunucunun "_w) + address + std::string(" adresinden gönderdiği sayfa "_w) +
             std::to_string(kSchedulePageLimit / kMebibyte) + std::string(" MB sınırını aşıyor."_w);
    case FetchFault::CutShort:
      return std::string("Sunucu "_w) + address + std::string(" adresindeki sayfayı göndermeden bağlantıyı kesti."_w);
    case FetchFault::Incomplete:
      return std::string("Sunucu "_w) + address +
             std::string(" adresindeki sayfayı eksik gönderdi: sayfanın ders tablosu yarıda kesilmiş."_w);
    case FetchFault::Undecodable:
      return std::string("Sunucu "_w) + address +
             std::string(" adresindeki sayfayı açamadığım bir sıkıştırmayla gönderdi."_w);
    case FetchFault::Timeout:
      return std::string("Sunucu "_w) + address + std::string(" adresi için zamanında cevap vermedi."_w);
    case FetchFault::Stopped: return address + std::string(" adresinden sayfa alınması durduruldu."_w);
    case FetchFault::Connection: break;
  }
  return std::string(kConnectionFailed);
}

}  // namespace

std::string FullUpdateFailureText(const FetchError& error) {
  if (error.fault() == FetchFault::Connection) return std::string(kConnectionFailed);
  return WhatTheServerDid(error) + std::string(kNothingChanged);
}

}  // namespace kiremo::acquisition

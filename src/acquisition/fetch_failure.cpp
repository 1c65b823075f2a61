#include "acquisition/fetch_failure.h"

#include "acquisition/messages.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::acquisition {

namespace {

// `page` names the page in the nominative, "ELK bölümünün ders programı
// sayfası": the student knows pages by what they hold, not by address.
std::string WhatTheServerDid(const FetchError& error, const std::string& page) {
  const std::string status = std::to_string(error.status());
  switch (error.fault()) {
    case FetchFault::Status:
      return std::string("Sunucu "_w) + page + std::string(" için HTTP "_w) + status + std::string(" hatası verdi."_w);
    case FetchFault::Redirect:
      return std::string("Sunucu "_w) + page + std::string("nı başka bir yere yönlendirdi (HTTP "_w) + status + ").";
    case FetchFault::TooLarge:
      return std::string("Sunucunun gönderdiği "_w) + page + " " + std::to_string(kSchedulePageLimit / kMebibyte) +
             std::string(" MB sınırını aşıyor."_w);
    case FetchFault::CutShort:
      return std::string("Sunucu "_w) + page + std::string("nı göndermeden bağlantıyı kesti."_w);
    case FetchFault::Incomplete:
      return std::string("Sunucu "_w) + page + std::string("nı eksik gönderdi: ders tablosu yarıda kesilmiş."_w);
    case FetchFault::Undecodable:
      return std::string("Sunucu "_w) + page + std::string("nı açamadığım bir sıkıştırmayla gönderdi."_w);
    case FetchFault::Timeout: return std::string("Sunucu "_w) + page + std::string(" için zamanında cevap vermedi."_w);
    case FetchFault::Stopped: return page + std::string("nın alınması durduruldu."_w);
    case FetchFault::Connection: break;
  }
  return std::string(kConnectionFailed);
}

}  // namespace

std::string DepartmentListPage() { return std::string("bölüm listesi sayfası"_w); }

std::string SchedulePage(const std::string& code) {
  return UpperAscii(code) + std::string(" bölümünün ders programı sayfası"_w);
}

std::string FullUpdateFailureText(const FetchError& error, const std::string& page) {
  if (error.fault() == FetchFault::Connection) return std::string(kConnectionFailed);
  return WhatTheServerDid(error, page) + std::string(kNothingChanged);
}

}  // namespace kiremo::acquisition

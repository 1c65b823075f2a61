// Cutting a schedule page grows linearly with the page: a page four times as
// large takes about four times as long.
#include <benchmark/benchmark.h>

#include <string>

#include "acquisition/page_cutter.h"
#include "text/cp1254.h"

namespace {

using kiremo::operator""_w;

// A department page of the server's shape, at least `bytes` long: the header
// row, then sections of one to three meetings.
std::string PageOfSize(std::size_t bytes) {
  std::string page("<html><head><title>Ders Programı</title></head><body>\r\n<table>\r\n<tr>"_w);
  for (const char* h : {"CRN", "Ders Kodu", "Ders Adi", "Ogretim Uyesi", "Bina", "Gun", "Saat", "Derslik", "Kontenjan",
                        "Yazilan", "Rezervasyon", "Alabilen Programlar", "On Sart", "Sinif Sarti"}) {
    page += std::string("<td>") + h + "</td>";
  }
  page += "</tr>\r\n";
  const std::string days[] = {"Pazartesi<br>", std::string("Salı<br>"_w), std::string("Çarşamba<br>"_w),
                              std::string("Perşembe<br>"_w), "Cuma<br>"};
  for (int n = 0; page.size() < bytes; ++n) {
    const int meetings = 1 + n % 3;
    std::string bina, gun, saat, derslik;
    for (int m = 0; m < meetings; ++m) {
      bina += "MKB<br>";
      gun += days[(n + 2 * m) % 5];
      saat += "0830/1029<br>";
      derslik += "D 10" + std::to_string(m) + "<br>";
    }
    page += "<tr><td>" + std::to_string(20000 + n) + "</td><td>ELK 2" + std::to_string(n % 100) + "E</td><td>" +
            std::string("Mühendis'in Etiği"_w) + "</td><td>" + std::string("Şule Çınaraltı"_w) + "</td><td>" + bina +
            "</td><td>" + gun + "</td><td>" + saat + "</td><td>" + derslik +
            "</td><td>40</td><td>12</td><td>0</td><td>ELK, ELKE, TEL, KON</td><td>Yok</td><td>-</td></tr>\r\n";
  }
  return page + "</table></body></html>\r\n";
}

void BM_CutSchedulePage(benchmark::State& state) {
  const std::string page = PageOfSize(static_cast<std::size_t>(state.range(0)) << 20);
  std::size_t sections = 0;
  for (auto _ : state) {
    auto cut = kiremo::acquisition::CutSchedulePage(page);
    sections = cut->size();
    benchmark::DoNotOptimize(cut);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
  state.counters["sections"] = static_cast<double>(sections);
}
BENCHMARK(BM_CutSchedulePage)->ArgName("MB")->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

#include "files/crn_texts.h"

#include <algorithm>

#include "text/cp1254.h"

namespace kiremo::files {

namespace {

bool Digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsCrn(std::string_view text) { return text.size() == 5 && Digits(text); }

std::string CrnListText(const RowCrns& crns) {
  std::string text;
  for (std::size_t i = 0; i < crns.size(); ++i) {
    if (crns[i].empty()) continue;
    text += crns[i];
    if (i + 1 < crns.size()) text += "\r\n";
  }
  return text;
}

std::string CrnScriptText(const RowCrns& crns) {
  std::string text = "javascript:var crn=[";
  bool first = true;
  for (std::size_t i = 0; i < crns.size(); ++i) {
    const std::string& crn = crns[i];
    if (crn.empty()) continue;
    if (!Digits(crn)) {
      throw ScriptCrnError(std::to_string(i + 1) +
                           std::string(". satırdaki dersin CRN'si yalnızca rakamlardan oluşmuyor; bu CRN kayıt "
                                       "ekranına yazdırılamaz. Ders bilgilerini güncelleyip dersi yeniden ekle."_w));
    }
    if (!first) text += ',';
    text += '"' + crn + '"';
    first = false;
  }
  text += "];for(var i=0;i<crn.length;i++){var d=document.getElementById(\"crn_id\"+(i+1));d.value=crn[i];}void(0);";
  return text;
}

}  // namespace kiremo::files

#include "files/crn_texts.h"

namespace kiremo::files {

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
  for (const std::string& crn : crns) {
    if (crn.empty()) continue;
    if (!first) text += ',';
    text += crn;
    first = false;
  }
  text += "];for(var i=0;i<crn.length;i++){var d=document.getElementById(\"crn_id\"+(i+1));d.value=crn[i];}void(0);";
  return text;
}

}  // namespace kiremo::files

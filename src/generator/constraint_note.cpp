#include "generator/constraint_note.h"

#include "text/cp1254.h"

namespace kiremo::generator {

std::string ConstraintNote(const std::vector<std::string>& courses, const std::map<std::string, ConstraintCut>& cuts) {
  std::string lines;
  for (const std::string& course : courses) {
    const auto found = cuts.find(course);
    if (found == cuts.end()) continue;
    const ConstraintCut& cut = found->second;
    std::string line;
    if (!cut.locked.empty()) {
      line = std::string("yalnız sabitlediğin "_w) + cut.locked + std::string(" şubesi denendi"_w);
    }
    std::vector<std::string> left_out;
    if (cut.excluded > 0) left_out.push_back(std::to_string(cut.excluded) + std::string(" şubeyi hariç tuttun"_w));
    if (cut.busy > 0) {
      left_out.push_back(std::to_string(cut.busy) + std::string(" şube boş tutulan saatlere denk geliyor"_w));
    }
    for (const std::string& part : left_out) line += (line.empty() ? "" : ", ") + part;
    if (!line.empty()) lines += "\n" + std::string("• "_w) + course + ": " + line;
  }
  if (lines.empty()) return {};
  return "\n" + std::string("Bunda kendi kısıtlarının da payı var:"_w) + lines;
}

}  // namespace kiremo::generator

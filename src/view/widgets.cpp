#include "view/widgets.h"

#include <stdexcept>

#include "text/cp1254.h"

namespace kiremo::ui {

std::string ResultItemText(int k, int count) {
  if (k == 0) return std::to_string(count) + std::string(" farklı program yaptım!"_w);
  return std::to_string(k) + ". Alternatif";
}

std::string ResultList::Item(int k) const {
  if (k < 0 || k >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(k) + ")");
  return ResultItemText(k, Count() - 1);
}

}  // namespace kiremo::ui

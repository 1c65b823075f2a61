#include "generator/result_texts.h"

#include "text/cp1254.h"

namespace kiremo::generator {

std::string ResultItemText(int k, int count) {
  if (k == 0) return std::to_string(count) + std::string(" farklı program yaptım!"_w);
  return std::to_string(k) + ". Alternatif";
}

}  // namespace kiremo::generator

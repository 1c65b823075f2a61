#pragma once

#include <string>

namespace kiremo::generator {

// Item k of a result list of `count` alternatives: "<count> farklı program
// yaptım!" for 0, "<k>. Alternatif" otherwise.
std::string ResultItemText(int k, int count);

}  // namespace kiremo::generator

#include "files/dkf_stream.h"

#include <cstdint>

#include "text/cp1254.h"

namespace kiremo::files {

int DkfReader::ReadInteger() {
  if (Remaining() < 4) throw PlanCutError(std::string("dosya bir sayının ortasında bitiyor"_w));
  std::uint32_t value = 0;
  for (int k = 3; k >= 0; --k) value = (value << 8) | static_cast<unsigned char>(data_[position_ + k]);
  position_ += 4;
  return static_cast<std::int32_t>(value);
}

std::string DkfReader::ReadString() {
  const std::size_t end = data_.find('\0', position_);
  if (end == std::string_view::npos) throw PlanCutError(std::string("dosya bir metnin ortasında bitiyor"_w));
  std::string text(data_.substr(position_, end - position_));
  position_ = end + 1;
  return text;
}

void DkfWriter::WriteInteger(int value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int k = 0; k < 4; ++k) bytes_.push_back(static_cast<char>((bits >> (8 * k)) & 0xFF));
}

void DkfWriter::WriteString(std::string_view text) {
  bytes_.append(StoredText(text));
  bytes_.push_back('\0');
}

}  // namespace kiremo::files

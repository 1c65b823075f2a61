#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "planner/plan_snapshot.h"
#include "text/errors.h"

// The two items a schedule file is made of: 32-bit integers, least
// significant byte first, and zero-terminated Windows-1254 strings.
namespace kiremo::files {

// A schedule file that does not hold what a plan needs; the message says
// why, in Windows-1254.
class PlanFormatError : public Error {
 public:
  using Error::Error;
};

// A file that ends inside an item.
class PlanCutError : public PlanFormatError {
 public:
  using PlanFormatError::PlanFormatError;
};

// A string item holds at most this many text bytes; StoredText(text) is
// what it keeps of a text.
inline constexpr std::size_t kMaxStringBytes = planner::kStoredTextBytes;
using planner::StoredText;

// Walks the items of a schedule file held in memory. Neither reader goes
// past the end of the data: an item cut off by the end is a PlanCutError.
class DkfReader {
 public:
  explicit DkfReader(std::string_view data) : data_(data) {}
  // The reader keeps a view: the bytes must outlive it.
  explicit DkfReader(std::string&&) = delete;

  int ReadInteger();
  // The bytes up to the next zero byte; the zero byte is consumed.
  std::string ReadString();

  std::size_t Remaining() const { return data_.size() - position_; }

 private:
  std::string_view data_;
  std::size_t position_ = 0;
};

class DkfWriter {
 public:
  void WriteInteger(int value);
  // Writes StoredText(text).
  void WriteString(std::string_view text);

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace kiremo::files

#pragma once

#include <stdexcept>
#include <string>

namespace kiremo {

// Every message is a Windows-1254 byte string, like every other text of the
// program; the window converts it when it shows it.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read or written (the department list above all).
class IoError : public Error {
 public:
  using Error::Error;
};

// The catalogue cannot be opened (missing, damaged, wrong password) or a
// statement failed.
class DatabaseError : public Error {
 public:
  using Error::Error;
};

// A text that should hold a whole number does not: "'%s' is not a valid
// integer value".
class ConversionError : public Error {
 public:
  using Error::Error;
};

}  // namespace kiremo

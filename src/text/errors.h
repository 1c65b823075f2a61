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

// A file that cannot be opened, read or written (the department list above
// all), with the system's error number when a system call failed (0 else).
class IoError : public Error {
 public:
  explicit IoError(const std::string& message, int system_error = 0) : Error(message), system_error_(system_error) {}
  int SystemError() const { return system_error_; }

 private:
  int system_error_;
};

// A file or the catalogue could not be written because the disk (or the
// space the system grants) is full.
class DiskFullError : public IoError {
 public:
  using IoError::IoError;
};

// The catalogue cannot be opened (missing, damaged, wrong password) or a
// statement failed.
class DatabaseError : public Error {
 public:
  using Error::Error;
};

// The catalogue file is gone or holds no catalogue: missing, empty, not a
// regular file, damaged, or under another password. Nothing of it can be
// read; a full update builds a new one in its place.
class DamagedCatalogueError : public DatabaseError {
 public:
  using DatabaseError::DatabaseError;
};

// A text that should hold a whole number does not: "'%s' is not a valid
// integer value".
class ConversionError : public Error {
 public:
  using Error::Error;
};

}  // namespace kiremo

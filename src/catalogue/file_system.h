#pragma once

#include <string>
#include <string_view>

// File operations for files that hold data: a replacement is written beside
// its target and renamed over it, so a crash never leaves a half-written or
// missing file.
namespace kiremo {

// The whole file; IoError when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Writes the bytes to a new file beside the target, flushes it and renames it
// over the target. IoError (with the system's reason) on any failure; the
// target is then unchanged.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Renames a file over another in one step. IoError on failure.
void ReplaceFile(const std::string& from, const std::string& to);

// Copies a file unless the target exists; false when nothing was copied.
bool CopyFileNoOverwrite(const std::string& from, const std::string& to);

// The system's reason for the last failed call (ErrnoText of errno).
std::string SystemReason();

}  // namespace kiremo

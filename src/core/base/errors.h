#pragma once
// The error types core code throws. Callers at the command level catch them and turn
// them into the program's messages; nothing below that level shows anything itself.
#include <stdexcept>
#include <string>

namespace lumi {

// Base of every error core code throws on purpose.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reading ran past the end of the data, or the data is malformed. One type for every
// reader, so a load can be abandoned as a whole.
class ArchiveError : public Error {
 public:
  using Error::Error;
};

// A bitmap could not be created (size beyond the program's limits, or no memory).
class BitmapError : public Error {
 public:
  using Error::Error;
};

// A file could not be opened, read or written.
class FileError : public Error {
 public:
  using Error::Error;
};

}  // namespace lumi

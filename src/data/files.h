// Small file helpers shared by the data readers and writers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const char* path, std::string& bytes);

// Splits bytes into at most maxLines lines: a line ends at LF, a CR right
// before the LF belongs to the line end, a last line may lack its LF.
std::vector<std::string> splitLines(const std::string& bytes, size_t maxLines);

// The temporary file writeFileAtomically writes beside path; a process
// killed during a save may leave it behind.
std::string tempPathFor(const char* path);

// Writes a temporary file beside path and renames it over path, so that a
// process killed at any moment leaves either the old or the new file whole.
bool writeFileAtomically(const char* path, const std::string& bytes);

// Reads whitespace-separated decimal integers the way a C++ stream does: a
// value that is not a number, or does not fit in 32 bits, ends the reading.
class IntReader {
 public:
  explicit IntReader(std::string_view text) : text_(text) {}
  // True and the value when a number was read; false from the first failure on.
  bool next(int& value);

 private:
  std::string_view text_;
  size_t pos_ = 0;
  bool failed_ = false;
};

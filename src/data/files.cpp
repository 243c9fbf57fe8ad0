#include "data/files.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

bool readWholeFile(const char* path, std::string& bytes) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  bytes.clear();
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  // A directory opens but cannot be read: that is no file, not an empty one.
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

std::vector<std::string> splitLines(const std::string& bytes, size_t maxLines) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size() && lines.size() < maxLines) {
    size_t lf = bytes.find('\n', start);
    size_t end = lf == std::string::npos ? bytes.size() : lf;
    size_t contentEnd = (lf != std::string::npos && end > start && bytes[end - 1] == '\r') ? end - 1 : end;
    lines.emplace_back(bytes, start, contentEnd - start);
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

std::string tempPathFor(const char* path) { return std::string(path) + ".tmp"; }

bool writeFileAtomically(const char* path, const std::string& bytes) {
  std::string temp = tempPathFor(path);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    done += static_cast<size_t>(n);
  }
  bool ok = ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool IntReader::next(int& value) {
  if (failed_) return false;
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' ||
                                 text_[pos_] == '\n' || text_[pos_] == '\v' || text_[pos_] == '\f'))
    ++pos_;
  size_t p = pos_;
  bool negative = false;
  if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) negative = text_[p++] == '-';
  if (p >= text_.size() || text_[p] < '0' || text_[p] > '9') return failed_ = true, false;
  long long v = 0;
  while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
    v = v * 10 + (text_[p++] - '0');
    if (v > 2147483648LL) return failed_ = true, false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return failed_ = true, false;
  value = static_cast<int>(v);
  pos_ = p;
  return true;
}

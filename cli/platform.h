// What tufu-cli needs of the system it runs on, in one place: the command
// line as UTF-8, standard streams that pass bytes unchanged, and text for a
// terminal.  On POSIX systems these are the plain calls; on Windows the
// command line is read as UTF-16, file and pipe output stays UTF-8 bytes
// (no CRLF), and a console is written and read as UTF-16 text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tufu::cli {

/// The program's start: the arguments as UTF-8 and the standard streams in
/// binary mode.  `argv()` stays valid while this object lives.
class Startup {
 public:
  Startup(int argc, char** argv);
  Startup(const Startup&) = delete;
  Startup& operator=(const Startup&) = delete;

  int argc() const { return static_cast<int>(pointers_.size()) - 1; }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> args_;
  std::vector<char*> pointers_;  // args_, then a null pointer
};

/// Writes up to `n` bytes of UTF-8 text to `fd` (to a Windows console as
/// UTF-16).  The number of bytes taken, or -1 with errno set.
long writesome(int fd, const char* data, std::size_t n);

/// Writes all of `text` to `fd`, ignoring failures (for messages).
void print(int fd, std::string_view text);

/// Reads up to `n` bytes from `fd` (from a Windows console as UTF-8 text).
/// The number of bytes read, 0 at the end, or -1 with errno set.
long readsome(int fd, char* data, std::size_t n);

/// Whether `fd` is a terminal (on Windows: a console).
bool isterminal(int fd);

}  // namespace tufu::cli

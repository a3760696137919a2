#include "cli/platform.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace tufu::cli {

#ifdef _WIN32

namespace {

std::string utf8(const wchar_t* s, int n) {
  // Unpaired surrogates become U+FFFD.
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, s, n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) ::WideCharToMultiByte(CP_UTF8, 0, s, n, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring utf16(const char* s, int n) {
  // Bytes that are not UTF-8 become U+FFFD.
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, s, n, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) ::MultiByteToWideChar(CP_UTF8, 0, s, n, out.data(), size);
  return out;
}

// The console behind `fd`, or nothing when it is a file, a pipe or NUL.
HANDLE consoleof(int fd) {
  const auto h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  DWORD mode = 0;
  if (h == INVALID_HANDLE_VALUE || !::GetConsoleMode(h, &mode)) return nullptr;
  return h;
}

}  // namespace

Startup::Startup(int argc, char** argv) {
  // The ANSI arguments of `argv` have lost every character outside the
  // code page; the UTF-16 command line has them all.
  int count = 0;
  if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) args_.push_back(utf8(wide[i], -1).c_str());
    ::LocalFree(wide);
  } else {
    args_.assign(argv, argv + argc);
  }
  for (std::string& a : args_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
  // Bytes in and out exactly as on other systems: no CRLF, no Ctrl-Z.
  ::_setmode(0, _O_BINARY);
  ::_setmode(1, _O_BINARY);
  ::_setmode(2, _O_BINARY);
}

long writesome(int fd, const char* data, std::size_t n) {
  if (HANDLE console = consoleof(fd)) {
    // Whole lines arrive here, so no character is cut in two.
    constexpr std::size_t kPiece = 1 << 14;
    const std::size_t take = n < kPiece ? n : kPiece;
    const std::wstring text = utf16(data, static_cast<int>(take));
    std::size_t done = 0;
    while (done < text.size()) {
      DWORD wrote = 0;
      if (!::WriteConsoleW(console, text.data() + done, static_cast<DWORD>(text.size() - done),
                           &wrote, nullptr) ||
          wrote == 0) {
        errno = EIO;
        return -1;
      }
      done += wrote;
    }
    return static_cast<long>(take);
  }
  // WriteFile itself: the C library's _write reports a closed pipe or a
  // full disk as "invalid argument".
  const auto h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  const DWORD take = n < (1u << 30) ? static_cast<DWORD>(n) : 1u << 30;
  DWORD wrote = 0;
  if (h != INVALID_HANDLE_VALUE && ::WriteFile(h, data, take, &wrote, nullptr))
    return static_cast<long>(wrote);
  switch (h == INVALID_HANDLE_VALUE ? ERROR_INVALID_HANDLE : ::GetLastError()) {
    case ERROR_NO_DATA:
    case ERROR_BROKEN_PIPE:
    case ERROR_PIPE_NOT_CONNECTED: errno = EPIPE; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: errno = ENOSPC; break;
    case ERROR_ACCESS_DENIED: errno = EACCES; break;
    case ERROR_INVALID_HANDLE: errno = EBADF; break;
    default: errno = EIO;
  }
  return -1;
}

long readsome(int fd, char* data, std::size_t n) {
  if (HANDLE console = consoleof(fd)) {
    // Up to four bytes for each UTF-16 unit read, one more unit for the
    // second half of a pair.
    wchar_t wide[4096];
    DWORD want = static_cast<DWORD>(n / 4 < 4095 ? n / 4 : 4095);
    if (want == 0) want = 1;
    DWORD got = 0;
    if (!::ReadConsoleW(console, wide, want, &got, nullptr)) {
      errno = EIO;
      return -1;
    }
    if (got > 0 && wide[got - 1] >= 0xD800 && wide[got - 1] <= 0xDBFF) {
      DWORD more = 0;
      if (::ReadConsoleW(console, wide + got, 1, &more, nullptr)) got += more;
    }
    // Ctrl-Z at the start of a line ends the input, as in every console
    // program.
    if (got > 0 && wide[0] == 0x1A) return 0;
    const std::string text = utf8(wide, static_cast<int>(got));
    text.copy(data, text.size());
    return static_cast<long>(text.size());
  }
  const unsigned take = n < (1u << 30) ? static_cast<unsigned>(n) : 1u << 30;
  return ::_read(fd, data, take);
}

bool isterminal(int fd) { return consoleof(fd) != nullptr; }

#else

Startup::Startup(int argc, char** argv) : args_(argv, argv + argc) {
  for (std::string& a : args_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
}

long writesome(int fd, const char* data, std::size_t n) { return ::write(fd, data, n); }

long readsome(int fd, char* data, std::size_t n) { return ::read(fd, data, n); }

bool isterminal(int fd) { return ::isatty(fd) == 1; }

#endif

void print(int fd, std::string_view text) {
  while (!text.empty()) {
    const long n = writesome(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace tufu::cli

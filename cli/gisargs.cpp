#include "cli/gisargs.h"

#include <pthread.h>
#include <unistd.h>

#include <iostream>

#include "cli/output.h"

namespace tufu::cli {

const gis::FormatInfo* chosenformat(const Words& a, const std::string& output, bool fields,
                                    std::string& error) {
  std::string words, extensions;
  for (const gis::FormatInfo& f : gis::formats()) {
    if (fields && !f.fields) continue;
    words += (words.empty() ? "" : " ") + std::string(f.word);
    extensions += (extensions.empty() ? "." : " .") + std::string(f.extension);
  }
  if (a.has("--format")) {
    const gis::FormatInfo* f = gis::formatnamed(a.value("--format"));
    if (f == nullptr) error = "未知格式 " + a.value("--format") + " (可用 " + words + ")";
    return f;
  }
  const gis::FormatInfo* f = gis::formatoffile(output);
  if (f == nullptr)
    error = "无法从文件名 " + output + " 看出格式 (扩展名 " + extensions + "), 或用 --format 指定";
  return f;
}

int failure(std::string_view message) {
  note(message);
  return 2;
}

void note(std::string_view message) {
  // A file name or a value from the command line may hold any bytes.
  Buffer out;
  out += "tufu-cli: ";
  textsafe(out, message);
  out += '\n';
  std::cerr << std::flush;
  std::cerr.write(out.data(), static_cast<std::streamsize>(out.size()));
}

HeldSignals::HeldSignals() {
  // A file size limit (ulimit -f) fails the write instead of ending the
  // tool, which then cleans up.
  std::signal(SIGXFSZ, SIG_IGN);
  sigemptyset(&held_);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal the tool ignores (SIGINT in a background job) stops nothing.
    struct sigaction now {};
    if (sigaction(s, nullptr, &now) == 0 && now.sa_handler != SIG_IGN) sigaddset(&held_, s);
  }
  pthread_sigmask(SIG_BLOCK, &held_, &previous_);
}

HeldSignals::~HeldSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

bool HeldSignals::pending() const {
  sigset_t now;
  sigemptyset(&now);
  sigpending(&now);
  for (int s : {SIGINT, SIGTERM, SIGHUP})
    if (sigismember(&now, s) == 1 && sigismember(&held_, s) == 1 &&
        sigismember(&previous_, s) == 0)
      return true;
  return false;
}

ProgressLine::ProgressLine() : terminal_(isatty(STDERR_FILENO) == 1) {}

ProgressLine::~ProgressLine() {
  if (shown_) std::cerr << '\n' << std::flush;
}

void ProgressLine::show(const std::string& text) {
  if (!terminal_) return;
  std::cerr << "\r\033[Ktufu-cli: " << text << std::flush;
  shown_ = true;
}

}  // namespace tufu::cli

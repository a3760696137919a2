#include "cli/gisargs.h"

#include <pthread.h>
#include <unistd.h>

#include <iostream>

#include "cli/output.h"

namespace tufu::cli {

Words parseargs(const std::vector<std::string>& args, std::initializer_list<Option> options) {
  Words p;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() < 2 || word[0] != '-') {  // "-" alone is a value: standard input
      p.positional.push_back(word);
      continue;
    }
    std::string_view name = word;
    std::vector<std::string> values;
    if (const auto eq = word.find('='); word.starts_with("--") && eq != std::string::npos) {
      name = std::string_view(word).substr(0, eq);
      values.push_back(word.substr(eq + 1));
    }
    const Option* option = nullptr;
    for (const Option& s : options)
      for (std::string_view n : s.names)
        if (n == name) option = &s;
    if (option == nullptr) {
      p.error = "未知选项 " + std::string(name);
      return p;
    }
    const std::string key(*option->names.begin());
    if (option->values == 0 && !values.empty()) {
      p.error = key + " 不带值";
      return p;
    }
    while (static_cast<int>(values.size()) < option->values) {
      if (i + 1 >= args.size()) {
        p.error = key + (option->values == 1 ? " 需要一个值" : " 需要 " + std::to_string(option->values) + " 个值");
        return p;
      }
      values.push_back(args[++i]);
    }
    if (p.has(key)) {
      p.error = key + " 只能给一次";
      return p;
    }
    p.options.emplace(key, std::move(values));
  }
  return p;
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

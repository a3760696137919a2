// Reading the words of the GIS commands: options as "--name value" or
// "--name=value", flags, and positional words.
#pragma once

#include <csignal>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tufu::cli {

/// One option the command knows: its names and how many values follow it.
struct Option {
  std::initializer_list<std::string_view> names;  ///< "--output", "-o"
  int values;                                      ///< 0 for a flag
};

struct Words {
  std::map<std::string, std::vector<std::string>, std::less<>> options;  ///< by first name
  std::vector<std::string> positional;
  std::string error;  ///< "" when the words were read

  bool has(std::string_view name) const { return options.count(name) != 0; }
  const std::string& value(std::string_view name) const { return options.find(name)->second.front(); }
};

Words parseargs(const std::vector<std::string>& args, std::initializer_list<Option> options);

/// Writes "tufu-cli: " and `message` on standard error and returns 2.
/// Control characters and bytes that are not UTF-8 are written as escapes.
int failure(std::string_view message);
/// The same for a message that is not a failure ("注意: ...").
void note(std::string_view message);

/// While it lives, an interrupt (Ctrl+C) or a request to end (SIGTERM,
/// SIGHUP) waits: `pending` tells that one came, so that the command can
/// stop and clean up.  Once it is gone, the signal takes its course.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;
  bool pending() const;

 private:
  sigset_t held_, previous_;
};

/// A progress line on standard error, rewritten in place; only when
/// standard error is a terminal.
class ProgressLine {
 public:
  ProgressLine();
  ~ProgressLine();
  bool shown() const { return shown_; }
  void show(const std::string& text);

 private:
  bool terminal_;
  bool shown_ = false;
};

}  // namespace tufu::cli

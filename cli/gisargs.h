// What the GIS commands share besides their words (cli/args.h): failures,
// held signals and the progress line.
#pragma once

#include <csignal>
#include <string>
#include <string_view>

#include "cli/args.h"
#include "gis/formats.h"

namespace tufu::cli {

/// The output format: --format, or else the one the extension of `output`
/// stands for, among the formats that keep fields when `fields`; nullptr
/// and the refusal in `error` when neither names one.
const gis::FormatInfo* chosenformat(const Words& a, const std::string& output, bool fields,
                                    std::string& error);

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

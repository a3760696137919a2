// Writing a file so that a failure leaves nothing behind.  The driver
// writes into a private folder made beside the target (so on the same file
// system), under the target's own file name; once everything is written,
// the files are renamed into place and the folder removed.  A staged output
// that is never committed takes its folder with it.
#pragma once

#include <filesystem>
#include <string>

#include "gis/formats.h"

namespace tufu::gis {

/// Why a file system operation failed, in words for the user.
std::string systemreason(int error);

class StagedOutput {
 public:
  StagedOutput() = default;
  StagedOutput(const StagedOutput&) = delete;
  StagedOutput& operator=(const StagedOutput&) = delete;
  ~StagedOutput();

  /// Checks `target` (and, for formats with companion files, those beside
  /// it) and makes the private folder.  An existing target is refused
  /// unless `overwrite`; then `exists` is set.  Returns "" or the reason.
  std::string open(const std::string& target, const FormatInfo& format, bool overwrite,
                   bool& exists);

  /// Where the driver writes: the target's file name in the private folder.
  std::string path() const { return staged_.string(); }

  /// Moves every file written into the target's folder, replacing what was
  /// there; companion files of an old target that were not written again
  /// are removed.  Returns "" or the reason.
  std::string commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path folder_;  // the private folder, while it exists
  std::filesystem::path staged_;
  const FormatInfo* format_ = nullptr;
};

}  // namespace tufu::gis

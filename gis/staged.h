// Writing a file so that a failure leaves nothing behind.  The driver
// writes into a private folder made beside the target (so on the same file
// system), under the target's own file name; once everything is written,
// the files are renamed into place and the folder removed.  A staged output
// that is never committed takes its folder with it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

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
  /// it, in any letter case) and makes the private folder.  An existing
  /// target is refused unless `overwrite`; then `exists` is set.  Refused
  /// always, before anything is written: "-", a folder in the target's
  /// place or a companion's, a name under which the driver would make a
  /// folder, and a companion file that belongs to another dataset beside
  /// it ("roads.prj" of "roads.shp" when "roads.csv" is written).
  /// Returns "" or the reason.
  std::string open(const std::string& target, const FormatInfo& format, bool overwrite,
                   bool& exists);

  /// Where the driver writes: the target's file name in the private folder.
  std::string path() const { return staged_.string(); }
  /// The main file as the driver has written it, which may differ from
  /// path() in the letter case of its extension ("OUT.shp" for
  /// "OUT.SHP"); path() when there is none.
  std::string written() const;

  /// Moves every file written into the target's folder under the target's
  /// spelling ("OUT.SHP" and "OUT.SHX" for "OUT.SHP"), replacing the old
  /// set as a whole: companion files of an old target that were not written
  /// again are removed, and when any file cannot be moved, the old set is
  /// put back as it was.  Returns "" or the reason.
  std::string commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path folder_;  // the private folder, while it exists
  std::filesystem::path staged_;
  const FormatInfo* format_ = nullptr;
  std::vector<std::filesystem::path> old_;  // the files of an old target
};

}  // namespace tufu::gis

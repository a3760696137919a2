// GDAL's errors during one operation, kept instead of printed.
#pragma once

#include <cpl_error.h>

#include <string>
#include <vector>

namespace tufu::gis {

/// While it lives, GDAL's error and warning messages of this thread are
/// collected here.
class ErrorTrap {
 public:
  ErrorTrap();
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  bool failed() const { return !failure_.empty(); }
  /// The first failure's message, "" when there was none.
  const std::string& failure() const { return failure_; }
  /// Distinct warning messages, in order.
  const std::vector<std::string>& warnings() const { return warnings_; }
  void clear() { failure_.clear(); }

 private:
  static void CPL_STDCALL handler(CPLErr level, CPLErrorNum number, const char* message);
  std::string failure_;
  std::vector<std::string> warnings_;
};

}  // namespace tufu::gis

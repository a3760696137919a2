// Texts between the numbering core (UTF-8 std::string) and Qt.
#pragma once

#include <QString>
#include <string_view>

namespace tufu {

inline QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace tufu

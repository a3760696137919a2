#include "gis/gdalerrors.h"

#include <algorithm>

namespace tufu::gis {

ErrorTrap::ErrorTrap() { CPLPushErrorHandlerEx(&ErrorTrap::handler, this); }

ErrorTrap::~ErrorTrap() { CPLPopErrorHandler(); }

void CPL_STDCALL ErrorTrap::handler(CPLErr level, CPLErrorNum, const char* message) {
  auto* self = static_cast<ErrorTrap*>(CPLGetErrorHandlerUserData());
  if (self == nullptr || level == CE_None || level == CE_Debug) return;
  const std::string text = message != nullptr ? message : "";
  if (level == CE_Warning) {
    if (std::find(self->warnings_.begin(), self->warnings_.end(), text) == self->warnings_.end() &&
        self->warnings_.size() < 20)
      self->warnings_.push_back(text);
    return;
  }
  if (self->failure_.empty()) self->failure_ = text.empty() ? "GDAL 报告错误" : text;
}

}  // namespace tufu::gis

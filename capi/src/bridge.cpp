#include "bridge.h"

#include "tufu/tufu.h"

namespace tufu::capi {

tufu_status statusof(NumberFault fault) {
  switch (fault) {
    case NumberFault::None: return TUFU_OK;
    case NumberFault::Empty: return TUFU_E_EMPTY;
    case NumberFault::NewLength: return TUFU_E_NEW_LENGTH;
    case NumberFault::NewRow: return TUFU_E_NEW_ROW;
    case NumberFault::NewZone: return TUFU_E_NEW_ZONE;
    case NumberFault::NewCode: return TUFU_E_NEW_CODE;
    case NumberFault::NewDigits: return TUFU_E_NEW_DIGITS;
    case NumberFault::NewSheetRow: return TUFU_E_NEW_SHEETROW;
    case NumberFault::NewSheetCol: return TUFU_E_NEW_SHEETCOL;
    case NumberFault::OldDash: return TUFU_E_OLD_DASH;
    case NumberFault::OldFields: return TUFU_E_OLD_FIELDS;
    case NumberFault::OldRow: return TUFU_E_OLD_ROW;
    case NumberFault::OldZone: return TUFU_E_OLD_ZONE;
    case NumberFault::OldIndex: return TUFU_E_OLD_INDEX;
  }
  return TUFU_E_NUMBER;
}

}  // namespace tufu::capi

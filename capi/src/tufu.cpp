// The C interface: arguments checked, then handed to the core.
#include "tufu/tufu.h"

extern "C" {

const char* tufu_version(void) { return TUFU_VERSION_STRING; }
int tufu_version_number(void) { return TUFU_VERSION_NUMBER; }

}  // extern "C"

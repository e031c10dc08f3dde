// The user-interface resources are built into the program itself, so there is no
// separate resource module: null tells the caller to use its own module.
#include "app/support/VrxCommon.h"

HINSTANCE LoadResourceModule(int nReserved) {
    return nullptr;
}

// Masking of the setup manager's window. Not yet masking anything: both calls do nothing.
#include "setupmgr/WndFunc.h"

void WndFunc::SetMask() {}

void WndFunc::FreeMask() {}

// The program-wide module handles: the instance of the running program and the
// module from which dialogs, strings and icons are loaded (the resource module).
#pragma once

#include <windows.h>

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hResource);

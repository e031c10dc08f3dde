// The elevation bridge: the COM server that starts installers with administrator rights.
// Only the module itself for now; its class and registration come with the bridge work.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

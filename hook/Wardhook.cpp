// The window-hook library loaded into the setup manager's process.
// Only the module itself for now; its hooks come with the setup-manager watching work.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

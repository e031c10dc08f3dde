// Bringing a dialog to the front without moving or resizing it.
#include "app/support/VrxCommon.h"

void AdjustDialogWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) return;
    if (IsIconic(hWnd)) ShowWindow(hWnd, SW_RESTORE);
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hWnd);
}

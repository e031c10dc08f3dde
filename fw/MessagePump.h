// One step of a message loop: dialog keyboard handling (Tab, Enter, Esc) for the
// modeless dialog the message belongs to, then the usual translate and dispatch.
#pragma once

#include <windows.h>

inline void AfxPumpMessage(MSG& msg) {
    const HWND hRoot = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (hRoot && ::IsDialogMessageW(hRoot, &msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

// Window messages that pass between the program's dialogs, and that other processes
// (the setup manager, a second start of the program) may send to them.
#pragma once

#include <windows.h>

// Ends the run: the main dialog closes.
const UINT WM_ONLINEUPDATE_CLOSE = WM_USER + 0x104;
// Brings the program's dialogs to the front.
const UINT WM_SET_FOREGROUND = WM_USER + 0x70;
// The licence dialog's next document is ready.
const UINT WM_EULA_UPDATE = WM_USER + 0x105;

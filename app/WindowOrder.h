// Orders the program's visible dialogs so that an open message box stays reachable:
// the dialog that owns the box comes to the front last and the box gets the focus.
#pragma once

#include <windows.h>

// The class of every dialog of the program, so its windows can be found by class name.
extern const wchar_t kDialogClassName[];

void SetForegroundEx(HWND hSelf);

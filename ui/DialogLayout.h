// Small layout corrections the dialogs apply for some screen densities and languages,
// in pixels of the dialog's client coordinates.
#pragma once

#include <windows.h>

// The screen's horizontal density (LOGPIXELSX), 96 at 100 %.
int GetScreenDpiX();
// Moves control nId of hDlg by (dx, dy) and grows it by (dw, dh).
void NudgeControl(HWND hDlg, int nId, int dx, int dy, int dw, int dh);
// Grows the window itself by (dw, dh), keeping its position.
void GrowWindow(HWND hWnd, int dw, int dh);

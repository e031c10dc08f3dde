// Finds and drives the top-level dialogs (message boxes and the program's dialogs) of a
// process or thread from a test thread: reads their texts and presses their buttons.
#pragma once

#include "fw/String.h"

#include <windows.h>

#include <vector>

struct DialogTexts {
    HWND hWnd = nullptr;
    CString strCaption;
    std::vector<CString> arrTexts;  // the texts of the static controls, in child order
    bool Contains(const wchar_t* pszText) const;
};

// Waits up to dwTimeoutMs for a visible top-level window of class pszClass (null: any
// dialog class) belonging to process dwProcessId (0: any process); null when none appeared.
HWND WaitForDialog(DWORD dwProcessId, const wchar_t* pszClass, DWORD dwTimeoutMs);
DialogTexts ReadDialog(HWND hDlg);
// Presses the button with id nButtonId: sends the dialog the command a click sends.
void PressButton(HWND hDlg, int nButtonId);

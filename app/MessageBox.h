// Message boxes: every message to the user is a string-table text shown through
// ShowMessage, in the system's message language and brought to the front.
#pragma once

#include <windows.h>

class CWinApp;

// Shows caption string nCaptionId and text string nTextId (a printf-style template filled
// with the trailing arguments) from the current resource module. Returns the box's result.
int ShowMessage(CWinApp* pApp, HWND hOwner, UINT nCaptionId, UINT nTextId, UINT uStyle,
                MSGBOXCALLBACK lpfnHelp, DWORD dwContextHelpId, DWORD dwReserved, ...);

// The language of message boxes, derived from the system's default language.
WORD GetMessageLanguage();
// The mapping GetMessageLanguage applies to the system's default language id.
WORD MapMessageLanguage(WORD wSystemLanguage);

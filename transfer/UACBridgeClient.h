// CreateUACBridge: obtains the elevated bridge object through which every installer runs.
#pragma once

#include "bridge/DlvUACBridge_h.h"
#include "fw/ComPtr.h"

#include <windows.h>

// Creates the bridge object in its surrogate process: as a plain local server on Windows XP
// and Server 2003 ("5.1", "5.2"), otherwise through the elevation moniker with the consent
// prompt over hOwnerWnd. Where the moniker itself is unavailable and this process already
// runs elevated, the object is created as a local server instead (logged).
// Returns the creation's HRESULT; pBridge is set only on success.
HRESULT CreateUACBridge(HWND hOwnerWnd, CComPtr<ITheUACBridge>& pBridge);

// CNotifyDlg: the notice at the bottom right of the screen while the system's proxy
// credential prompt is open: the program is connecting, and the proxy asks for a user
// name and password. Created modeless from template 137, hidden until shown.
#pragma once

#include "fw/Dialog.h"

class CNotifyDlg : public CDialog {
public:
    CNotifyDlg();

protected:
    BOOL OnInitDialog() override;
};

// CRestartConfrimDlg: the restart question. At start-up it says that an earlier
// installation still waits for a restart; after an installation it asks for one.
// The program never restarts the computer itself.
#pragma once

#include "fw/Dialog.h"

class CRestartConfrimDlg : public CDialog {
public:
    // pMainDlg: the main dialog after an installation; null for the start-up question.
    explicit CRestartConfrimDlg(CWnd* pMainDlg);

    int m_bAnswered = 0;  // 1 once the start-up question was answered, whichever way
    CWnd* m_pMainDlg;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnButtonNoRestart();
};

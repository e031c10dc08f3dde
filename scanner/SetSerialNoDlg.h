// CSetSerialNoDlg: the serial-number dialog (4000). After a detection without a usable
// serial number the user chooses another automatic detection or types a new-form serial.
#pragma once

#include "fw/Dialog.h"

class CSetSerialNoDlg : public CDialog {
public:
    CSetSerialNoDlg();

    const CString& GetSerialNo() const { return m_strSerialNo; }

    int m_nSelect = 0;  // 0: obtain automatically, 1: enter manually
    CString m_strSerialNo;
    int m_bCanceled = 0;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    // Moves the selection and the serial number between the members and the controls.
    void UpdateData(BOOL bSaveAndValidate);
};

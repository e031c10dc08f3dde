#include "scanner/SetSerialNoDlg.h"

#include "app/MessageBox.h"
#include "app/Trace.h"
#include "app/VelorixUpdater.h"
#include "app/WindowOrder.h"
#include "app/support/VrxCommon.h"
#include "resources/resource.h"

namespace {
const wchar_t kSource[] = L"SetSerialNoDlg";
const int kMaxSerialLength = 10;
}  // namespace

CSetSerialNoDlg::CSetSerialNoDlg() : CDialog(IDD_SET_SERIAL_NO) {}

void CSetSerialNoDlg::UpdateData(BOOL bSaveAndValidate) {
    if (bSaveAndValidate) {
        m_nSelect = ::IsDlgButtonChecked(m_hWnd, IDC_SERIAL_MANUAL) == BST_CHECKED ? 1 : 0;
        m_strSerialNo = GetDlgItemText(IDC_SERIAL_NUMBER);
    } else {
        ::CheckRadioButton(m_hWnd, IDC_SERIAL_AUTOMATIC, IDC_SERIAL_MANUAL,
                           m_nSelect == 1 ? IDC_SERIAL_MANUAL : IDC_SERIAL_AUTOMATIC);
        ::SendDlgItemMessageW(m_hWnd, IDC_SERIAL_NUMBER, EM_LIMITTEXT, kMaxSerialLength, 0);
        SetDlgItemText(IDC_SERIAL_NUMBER, m_strSerialNo);
    }
}

BOOL CSetSerialNoDlg::OnInitDialog() {
    DLV_TRACE_SCOPE(kSource, L"CSetSerialNoDlg::OnInitDialog");
    if (const CVelorixUpdaterApp* pApp = GetUpdaterApp()) ApplyDialogFont(m_hWnd, pApp->m_fontDialog);
    m_nSelect = 0;
    ::EnableWindow(GetDlgItem(IDC_SERIAL_NUMBER), FALSE);
    m_bCanceled = 0;
    UpdateData(FALSE);
    SetForegroundEx(m_hWnd);
    return TRUE;
}

BOOL CSetSerialNoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_SERIAL_AUTOMATIC) {
        ::EnableWindow(GetDlgItem(IDC_SERIAL_NUMBER), FALSE);
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_SERIAL_MANUAL) {
        const HWND hEdit = GetDlgItem(IDC_SERIAL_NUMBER);
        ::EnableWindow(hEdit, TRUE);
        ::SetFocus(hEdit);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSetSerialNoDlg::OnOK() {
    UpdateData(TRUE);
    if (m_nSelect == 0) {
        CDialog::OnOK();
        return;
    }
    CVelorixUpdaterApp* pApp = GetUpdaterApp();
    if (m_strSerialNo.IsEmpty()) {
        ShowMessage(pApp, m_hWnd, IDS_CAPTION, IDS_MSG_SERIAL_EMPTY, MB_ICONSTOP, nullptr, 0, 0);
        return;
    }
    // Only new-form serial numbers can be typed.
    if (CVelorixUpdaterApp::ClassifySerialNo(m_strSerialNo) == 10) {
        CDialog::OnOK();
        return;
    }
    ShowMessage(pApp, m_hWnd, IDS_CAPTION, IDS_MSG_SERIAL_WRONG, MB_ICONSTOP, nullptr, 0, 0);
}

void CSetSerialNoDlg::OnCancel() {
    if (ShowMessage(GetUpdaterApp(), nullptr, IDS_CAPTION_QUESTION, IDS_MSG_CANCEL_INSTALL,
                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, nullptr, 0, 0) != IDYES) {
        return;
    }
    m_bCanceled = 1;
    CDialog::OnCancel();
}

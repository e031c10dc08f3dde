// CDialog: a dialog from a resource template, run modally (DoModal) or modelessly (Create).
// Messages reach virtual handlers; OnMessage sees every message first.
#pragma once

#include "fw/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}
    ~CDialog() override;

    // Runs the dialog modally; returns the value given to EndDialog, or -1 when it cannot be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modelessly; it stays until DestroyWindow or the owner deletes it.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal dialog with nResult; destroys a modeless one.
    void EndDialog(int nResult);
    virtual BOOL DestroyWindow();

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A WM_COMMAND; TRUE when handled. The default sends IDOK and IDCANCEL to OnOK and OnCancel.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR nIDEvent) {}
    virtual void OnDestroy() {}
    // Every message, before the handlers above; TRUE when handled, with its result in lResult.
    virtual BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) { return FALSE; }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_bModal = false;
};

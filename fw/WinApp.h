// CWinApp: the one application object. The program defines a single global instance;
// the framework's entry point runs InitInstance, the message loop and ExitInstance.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // TRUE keeps the message loop running, FALSE ends the run.
    virtual BOOL InitInstance() { return TRUE; }
    // Pumps messages until WM_QUIT, then returns ExitInstance(). With no main window
    // nothing could end the loop, so it returns at once.
    virtual int Run();
    // The run's exit value.
    virtual int ExitInstance() { return m_nExitCode; }

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_lpCmdLine = L"";  // the command line without the program name
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();

// The framework's entry point, called from wWinMain.
int AfxWinMain(HINSTANCE hInstance, const wchar_t* pszCmdLine, int nCmdShow);

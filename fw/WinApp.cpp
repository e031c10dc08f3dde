#include "fw/MessagePump.h"
#include "fw/WinApp.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

int CWinApp::Run() {
    if (m_pMainWnd) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            AfxPumpMessage(msg);
        }
        m_nExitCode = static_cast<int>(msg.wParam);
    }
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

int AfxWinMain(HINSTANCE hInstance, const wchar_t* pszCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = pszCmdLine ? pszCmdLine : L"";
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitInstance()) return pApp->ExitInstance();
    return pApp->Run();
}

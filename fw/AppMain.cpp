// The program's entry point; linked only into programs that define a CWinApp.
#include "fw/WinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR pszCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, pszCmdLine, nCmdShow);
}

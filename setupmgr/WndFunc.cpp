// The cooperation object's life: the function log opens with it, and its destruction gives
// back the mask and every mutex it holds.
#include "setupmgr/WndFunc.h"

WndFunc::WndFunc(int iModeArg) {
    InitLog();
    iMode = iModeArg;
    WriteFuncLogInt(FUNCLOG_TRACE, L"Constructor:iMode=%d", iMode);
}

WndFunc::~WndFunc() {
    WriteFuncLog(FUNCLOG_TRACE, L"IN :Destructor");
    FreeMask();
    ReleaseAllMutex();
    WriteFuncLog(FUNCLOG_TRACE, L"OUT:Destructor");
}

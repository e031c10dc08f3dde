// Steps of the run sequence whose dialogs and engines are not built yet. Each reports
// failure in the log and ends the run cleanly at that point.
#include "app/VelorixUpdater.h"

#include "app/Trace.h"

namespace {
const wchar_t kSource[] = L"VelorixUpdater";
}

int CVelorixUpdaterApp::RunUpdateCheck() {
    return NewSoftCheck(nullptr);
}

int CVelorixUpdaterApp::NewSoftCheck(CWinThread*) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::NewSoftCheck");
    DLV_LOG(kSource, LOG_LEVEL_ERROR, L"Error:CVelorixUpdaterApp::NewSoftCheck: update check is not available.");
    return -1;
}

int CVelorixUpdaterApp::ShowUpdateDialog() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::ShowUpdateDialog");
    DLV_LOG(kSource, LOG_LEVEL_ERROR, L"Error:CVelorixUpdaterApp::ShowUpdateDialog: update dialog is not available.");
    return 0;
}

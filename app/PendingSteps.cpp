// Steps of the run sequence whose engines and dialogs are not built yet. The selection
// steps pass the catalogue on unchanged; the update dialog reports failure in the log and
// ends the run cleanly at that point.
#include "app/VelorixUpdater.h"

#include "app/Trace.h"

namespace {
const wchar_t kSource[] = L"VelorixUpdater";
}

int CVelorixUpdaterApp::CompareDownloadSoftList() {
    return 1;
}

int CVelorixUpdaterApp::SetExtensionData(CGetFileListDlg*) {
    return 1;
}

// Every catalogue item is offered, in catalogue order.
void CVelorixUpdaterApp::GetNeedNewInstallList() {
    m_arrNeedInstall.Copy(m_arrNewSoftInfo);
    m_nNeedInstallCount = m_arrNeedInstall.GetSize();
}

void CVelorixUpdaterApp::SortNewSoftInfo() {}

int CVelorixUpdaterApp::ShowUpdateDialog() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::ShowUpdateDialog");
    DLV_LOG(kSource, LOG_LEVEL_ERROR, L"Error:CVelorixUpdaterApp::ShowUpdateDialog: update dialog is not available.");
    return 0;
}

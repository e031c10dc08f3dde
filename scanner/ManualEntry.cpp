// Manual entry: the serial-number dialog of the run sequence and the typed serial number.
#include "app/VelorixUpdater.h"
#include "app/Trace.h"
#include "scanner/SetSerialNoDlg.h"

namespace {
const wchar_t kSource[] = L"VelorixUpdater";
}

CVelorixUpdaterApp::ManualEntry CVelorixUpdaterApp::AskSerialNumber() {
    CSetSerialNoDlg dlg;
    if (dlg.DoModal() == -1) {
        DLV_LOG(kSource, LOG_LEVEL_ERROR,
                L"Error:CVelorixUpdaterApp::PrepareUpdateList: the serial-number dialog cannot be shown.");
        return ManualEntry::Cancelled;
    }
    if (dlg.m_bCanceled == 1) return ManualEntry::Cancelled;
    if (dlg.m_nSelect == 0) return ManualEntry::Automatic;

    _ScannerInfo info{CString(), dlg.GetSerialNo()};
    switch (ClassifySerialNo(info.strSerialNo)) {
    case 10:
        m_arrSerial10.Add(info);
        break;
    case 6:
        m_arrSerial6.Add(info);
        break;
    default:
        break;
    }
    return ManualEntry::Typed;
}

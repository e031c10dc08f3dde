// Reading the scanner-information file QmetaInfo.xml into the two serial lists: each
// scanner element ("scanner", "scanner2" … "scanner8") gives one scanner when its model
// text comes before its serial number.
#include "app/FileStream.h"
#include "app/Trace.h"
#include "app/VelorixUpdater.h"
#include "app/XmlReaderLimits.h"

#include <wrl/client.h>

namespace {

const wchar_t kSource[] = L"VelorixUpdater";
const int kScannerElements = 8;

void LogError(int nLine, const CString& strText) {
    WriteLog(L"", kSource, nLine, L"Error:CVelorixUpdaterApp::GetScannerInfoList: " + strText, LOG_LEVEL_ERROR, -1);
}

// What the reader has seen so far: which scanner elements it is inside, whether the next
// text is a model or a serial number, and the model of the scanner being read.
struct ScannerFileState {
    CString arrNames[kScannerElements];
    bool arrInside[kScannerElements] = {};
    bool bModel = false;
    bool bSerial = false;
    CString strModel;

    ScannerFileState() {
        arrNames[0] = L"scanner";
        for (int i = 1; i < kScannerElements; ++i) arrNames[i].Format(L"scanner%d", i + 1);
    }
    void OnStart(const CString& strName) {
        for (int i = 0; i < kScannerElements; ++i) {
            if (arrInside[i] && strName == L"n_serial") {
                bSerial = true;
                return;
            }
            if (arrInside[i] && strName == L"model") {
                bModel = true;
                return;
            }
            if (strName == arrNames[i]) {
                arrInside[i] = true;
                return;
            }
        }
    }
    void OnEnd(const CString& strName) {
        for (int i = 0; i < kScannerElements; ++i) {
            if (strName == arrNames[i]) {
                arrInside[i] = false;
                break;
            }
        }
        if (strName == L"model") bModel = false;
        if (strName == L"n_serial") bSerial = false;
    }
};

}  // namespace

int CVelorixUpdaterApp::GetScannerInfoList(const CString& strPath) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::GetScannerInfoList");
    m_arrSerial10.RemoveAll();
    m_arrSerial6.RemoveAll();
    if (strPath.IsEmpty()) {
        LogError(__LINE__, L"XML Path is BLANK.");
        return 0;
    }
    if (!FileExists(strPath)) {
        LogError(__LINE__, L"XML[" + strPath + L"] doesn't exist.");
        return 0;
    }

    CLimitedXmlReader reader;
    if (FAILED(reader.Create())) {
        LogError(__LINE__, L"CreateXmlReader Error.");
        return 0;
    }
    Microsoft::WRL::ComPtr<IStream> pStream;
    if (FAILED(FileStream::OpenFile(strPath, pStream.GetAddressOf()))) {
        LogError(__LINE__, L"SHCreateStreamOnFile Error.");
        return 0;
    }
    // Creating the UTF-8 input and handing it to the reader are one step here; a file
    // above the size limit fails it as well.
    if (FAILED(reader.SetInput(pStream.Get()))) {
        LogError(__LINE__, L"CreateXmlReaderInputWithEncodingName Error.");
        return 0;
    }

    ScannerFileState state;
    int nResult = 0;
    for (;;) {
        XmlNodeType nodeType = XmlNodeType_None;
        const HRESULT hr = reader->Read(&nodeType);
        if (hr == S_FALSE) break;
        if (FAILED(hr)) {
            LogError(__LINE__, L"XML Read Error.");
            return 0;
        }
        const wchar_t* pszText = nullptr;
        switch (nodeType) {
        case XmlNodeType_Element:
            if (FAILED(reader->GetLocalName(&pszText, nullptr))) {
                LogError(__LINE__, L"XmlNodeType_Element GetLocalName Error.");
                return 0;
            }
            state.OnStart(pszText);
            // An empty element ("<n_serial/>") has no end node of its own.
            if (reader->IsEmptyElement()) state.OnEnd(pszText);
            break;
        case XmlNodeType_EndElement:
            if (FAILED(reader->GetLocalName(&pszText, nullptr))) {
                LogError(__LINE__, L"XmlNodeType_EndElement GetLocalName Error.");
                return 0;
            }
            state.OnEnd(pszText);
            break;
        case XmlNodeType_Text:
        case XmlNodeType_Whitespace: {
            if (FAILED(reader->GetValue(&pszText, nullptr))) {
                LogError(__LINE__, L"XmlNodeType_Text GetValue Error.");
                return 0;
            }
            CString strValue(pszText);
            if (state.bModel) {
                if (strValue.IsEmpty()) {
                    LogError(__LINE__, L"model is BLANK.");
                    return 0;
                }
                state.strModel = strValue.Trim();
                state.bModel = false;
            } else if (state.bSerial) {
                const CString strSerial = strValue.Trim();
                const int nForm = ClassifySerialNo(strSerial);
                if (nForm != 6 && nForm != 10) {
                    LogError(__LINE__, L"[" + strSerial + L"] is Error Serial Number.");
                    return 0;
                }
                if (!state.strModel.IsEmpty()) {
                    _ScannerInfo info{state.strModel, strSerial};
                    (nForm == 6 ? m_arrSerial6 : m_arrSerial10).Add(info);
                    nResult = 1;
                    OutputDebugStringW((nForm == 6 ? L"S/N6 : " : L"S/N10: ") + strSerial + L" / " + state.strModel +
                                       L"\n");
                }
                state.bSerial = false;
                state.strModel.Empty();
            }
            break;
        }
        default:
            break;
        }
    }

    if (m_arrSerial10.IsEmpty() && m_arrSerial6.IsEmpty()) {
        LogError(__LINE__, L"Serial Number doesn't exist.");
    } else {
        const wchar_t* pszState = m_arrSerial6.IsEmpty()    ? L"Only New Serial exist."
                                  : m_arrSerial10.IsEmpty() ? L"Only Old Serial exist."
                                                            : L"Mix Serial Number exist.";
        WriteLog(L"", kSource, __LINE__, CString(L"Info :CVelorixUpdaterApp::GetScannerInfoList: ") + pszState,
                 LOG_LEVEL_TRACE, -1);
    }
    OutputDebugStringW(L"\n");
    return nResult;
}

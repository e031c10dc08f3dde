// The catalogue parser: reads the update server's catalogue file into the application's
// catalogue list (one CUpdateInfo per item, texts in the user's language where the file
// offers it) and stores the licence URL, the credential and the return codes; and the
// completeness check of one catalogue item.
#include "app/VelorixUpdater.h"

#include "app/FileStream.h"
#include "app/Trace.h"
#include "app/XmlReaderLimits.h"
#include "app/support/VrxCommon.h"


#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <utility>

namespace {

const wchar_t kSource[] = L"VelorixUpdater";
const wchar_t kNoTargetMinVersion[] = L"-1.-1.-1.-1";

// Flags of the open recognised elements, in the order in which a text node goes to them:
// the text belongs to the first open one.
enum Flag : unsigned {
    FLAG_ID,
    FLAG_TITLE_DEFAULT,
    FLAG_TITLE_LANG,
    FLAG_VERSION,
    FLAG_LINK_DEFAULT,
    FLAG_LINK_LANG,
    FLAG_DESCRIPTION_DEFAULT,
    FLAG_DESCRIPTION_LANG,
    FLAG_PUBDATE,
    FLAG_DELDATE,
    FLAG_LICENSE_DEFAULT,
    FLAG_LICENSE_LANG,
    FLAG_ISS,
    FLAG_MODULE_DEFAULT,
    FLAG_MODULE_LANG,
    FLAG_EXCLUDE,
    FLAG_RETURN_INFO,
    FLAG_INSTCHKKEY,
    FLAG_INSTCHKPATH,
    FLAG_AUTH,
};

constexpr unsigned Bit(Flag flag) {
    return 1u << flag;
}

enum class Element {
    Other,
    Velorix,
    Item,
    Plain,  // no attributes read: its start opens its one flag
    Title,
    Version,
    Link,
    Description,
    License,
    Module,
    ReturnInfo,
};

struct ElementName {
    const wchar_t* pszName;
    UINT nLength;
    Element element;
    unsigned nFlags;  // the flags the element's end tag clears (and a plain element's start opens)
};

#define DLV_ELEMENT(name, element, flags) {L##name, sizeof(name) - 1, element, flags}
const ElementName kElements[] = {
    DLV_ELEMENT("velorix", Element::Velorix, 0),
    DLV_ELEMENT("item", Element::Item, 0),
    DLV_ELEMENT("id", Element::Plain, Bit(FLAG_ID)),
    DLV_ELEMENT("title", Element::Title, Bit(FLAG_TITLE_DEFAULT) | Bit(FLAG_TITLE_LANG)),
    DLV_ELEMENT("version", Element::Version, Bit(FLAG_VERSION)),
    DLV_ELEMENT("link", Element::Link, Bit(FLAG_LINK_DEFAULT) | Bit(FLAG_LINK_LANG)),
    DLV_ELEMENT("description", Element::Description, Bit(FLAG_DESCRIPTION_DEFAULT) | Bit(FLAG_DESCRIPTION_LANG)),
    DLV_ELEMENT("gmt_pubDate", Element::Plain, Bit(FLAG_PUBDATE)),
    DLV_ELEMENT("gmt_delDate", Element::Plain, Bit(FLAG_DELDATE)),
    DLV_ELEMENT("license", Element::License, Bit(FLAG_LICENSE_DEFAULT) | Bit(FLAG_LICENSE_LANG)),
    DLV_ELEMENT("iss", Element::Plain, Bit(FLAG_ISS)),
    DLV_ELEMENT("module", Element::Module, Bit(FLAG_MODULE_DEFAULT) | Bit(FLAG_MODULE_LANG)),
    DLV_ELEMENT("exclude", Element::Plain, Bit(FLAG_EXCLUDE)),
    DLV_ELEMENT("return_info", Element::ReturnInfo, Bit(FLAG_RETURN_INFO)),
    DLV_ELEMENT("instchkkey", Element::Plain, Bit(FLAG_INSTCHKKEY)),
    DLV_ELEMENT("instchkpath", Element::Plain, Bit(FLAG_INSTCHKPATH)),
    DLV_ELEMENT("auth", Element::Plain, Bit(FLAG_AUTH)),
};
#undef DLV_ELEMENT

const ElementName kOtherElement = {L"", 0, Element::Other, 0};

const ElementName& FindElement(const wchar_t* pszName, UINT nLength) {
    for (const ElementName& name : kElements) {
        if (name.nLength == nLength && wmemcmp(name.pszName, pszName, nLength) == 0) return name;
    }
    return kOtherElement;
}

bool IsName(const wchar_t* pszName, const wchar_t* pszWanted) {
    return wcscmp(pszName, pszWanted) == 0;
}

// A module size: the number when the text is one, else -1.
LONGLONG ParseSize(const wchar_t* pszValue) {
    return IsNumberString(pszValue) ? _wtoi64(pszValue) : -1;
}

// "year/month/day hour:minute:second" as local calendar time.
bool ParseDate(const wchar_t* pszText, CTime& tmDate) {
    int nYear = 0, nMonth = 0, nDay = 0, nHour = 0, nMinute = 0, nSecond = 0;
    if (swscanf(pszText, L"%d/%d/%d %d:%d:%d", &nYear, &nMonth, &nDay, &nHour, &nMinute, &nSecond) != 6) return false;
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
        nMinute < 0 || nMinute > 59 || nSecond < 0 || nSecond > 59) {
        return false;
    }
    const CTime tmConverted(nYear, nMonth, nDay, nHour, nMinute, nSecond);
    if (!tmConverted.IsValid()) return false;
    tmDate = tmConverted;
    return true;
}

void Log(int nLine, const wchar_t* pszText, int nLevel = LOG_LEVEL_ERROR) {
    WriteLog(L"", kSource, nLine, pszText, nLevel, -1);
}

// Logs the text followed by the thread's last-error code.
void LogWithCode(int nLine, const wchar_t* pszText, int nLevel = LOG_LEVEL_ERROR) {
    CString strCode;
    NumberToText(strCode);
    Log(nLine, CString(pszText) + strCode, nLevel);
}

// The reader reports its failures as HRESULTs and leaves the last-error code alone, so the
// HRESULT is what the log line carries.
void LogWithResult(int nLine, const wchar_t* pszText, HRESULT hr, int nLevel = LOG_LEVEL_ERROR) {
    SetLastError(static_cast<DWORD>(hr));
    LogWithCode(nLine, pszText, nLevel);
}

// How reading one element's attributes ended.
struct AttributeWalk {
    enum { Complete, NameFailed, ValueFailed } result = Complete;
    HRESULT hr = S_OK;
    int nCount = 0;  // attributes written in the file (default attributes are not counted)
};

// Calls onAttribute(name, value) for each attribute of the current element that the file
// gives (not a default one), until the last one or the first name or value that cannot be read.
template <typename OnAttribute>
AttributeWalk WalkAttributes(IXmlReader* pReader, OnAttribute onAttribute) {
    AttributeWalk walk;
    for (HRESULT hrMove = pReader->MoveToFirstAttribute(); hrMove == S_OK; hrMove = pReader->MoveToNextAttribute()) {
        if (pReader->IsDefault()) continue;
        const wchar_t* pszName = nullptr;
        if (FAILED(walk.hr = pReader->GetLocalName(&pszName, nullptr))) {
            walk.result = AttributeWalk::NameFailed;
            return walk;
        }
        const wchar_t* pszValue = nullptr;
        if (FAILED(walk.hr = pReader->GetValue(&pszValue, nullptr))) {
            walk.result = AttributeWalk::ValueFailed;
            return walk;
        }
        ++walk.nCount;
        onAttribute(pszName, pszValue);
    }
    return walk;
}

// A text chosen by language: the first element without attributes gives the default, the
// last element whose lang attribute names the user's language gives the language text.
struct LanguageText {
    CString strDefault;
    CString strLanguage;

    // The text to store: the language text when there is one.
    CString Take() {
        CString strChosen = std::move(strLanguage.IsEmpty() ? strDefault : strLanguage);
        strDefault.Empty();
        strLanguage.Empty();
        return strChosen;
    }
};

// A module URL with the sizes taken together with it.
struct ModuleChoice {
    CString strUrl;
    LONGLONG nSize = 0;
    LONGLONG nInstallSize = 0;
};

// The state of one parse. Each parse makes a fresh one.
class CCatalogueParser {
public:
    explicit CCatalogueParser(CVelorixUpdaterApp& app) : m_app(app) { GetLanguageCode(m_strLanguageCode); }

    BOOL Parse(const CString& strPath);

private:
    enum class Step { Continue, Succeeded, Failed };

    const ElementName* CurrentElement();
    Step OnElementStart();
    Step OnElementEnd();
    Step OnText();
    Step OnEndOfDocument();
    Step TakeText(Flag flag, const wchar_t* pszValue);
    Step EvaluateReturnInfo();
    void ClassifyLanguageElement(Flag flagDefault, Flag flagLanguage, const CString& strDefault);
    void ReadVersionAttributes();
    void ReadModuleAttributes();
    void ReadReturnInfoAttributes();
    void CompleteItem();
    void Open(Flag flag) { m_nOpenFlags |= Bit(flag); }

    CVelorixUpdaterApp& m_app;
    CLimitedXmlReader m_reader;
    CString m_strLanguageCode;
    int m_nElementCount = 0;
    unsigned m_nOpenFlags = 0;
    LanguageText m_title, m_link, m_description, m_license;
    ModuleChoice m_moduleDefault, m_moduleLanguage;
    LONGLONG m_nPendingSize = 0;
    LONGLONG m_nPendingInstallSize = 0;
    CString m_strInstChkKey, m_strInstChkPath, m_strAuth;
    CString m_strReturnInfo, m_strReturnCode;
    CUpdateInfo m_item;
};

BOOL CCatalogueParser::Parse(const CString& strPath) {
    CComPtr<IStream> pStream;
    if (FAILED(FileStream::OpenFile(strPath, pStream.Receive()))) {
        LogWithCode(__LINE__,
                    L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:[FileStream::OpenFile] failed,GetLastError code is:");
        return FALSE;
    }
    HRESULT hr = m_reader.Create();
    if (FAILED(hr)) {
        LogWithResult(__LINE__, L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:CreateXmlReader failed,GetLastError code is:",
                      hr);
        return FALSE;
    }
    CComPtr<IUnknown> pInput;
    hr = m_reader.CreateInput(pStream.Get(), pInput);
    if (FAILED(hr)) {
        LogWithResult(__LINE__,
                      L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:CreateXmlReaderInputWithEncodingName failed,"
                      L"GetLastError code is:",
                      hr);
        return FALSE;
    }
    hr = m_reader.AttachInput(pInput.Get());
    if (FAILED(hr)) {
        LogWithResult(__LINE__, L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->SetInput failed,GetLastError code is:",
                      hr);
        return FALSE;
    }

    XmlNodeType nodeType = XmlNodeType_None;
    Step step = Step::Continue;
    while (step == Step::Continue) {
        hr = m_reader->Read(&nodeType);
        if (hr != S_OK) break;
        switch (nodeType) {
        case XmlNodeType_Element:
            step = OnElementStart();
            break;
        case XmlNodeType_EndElement:
            step = OnElementEnd();
            break;
        case XmlNodeType_Text:
        case XmlNodeType_Whitespace:
            step = OnText();
            break;
        default:
            break;
        }
    }
    if (step != Step::Continue) return step == Step::Succeeded;
    if (FAILED(hr)) {
        LogWithResult(__LINE__, L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->Read failed,GetLastError code is:",
                      hr);
        return FALSE;
    }
    LogWithResult(__LINE__, L"Info::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->Read failed,GetLastError code is:", hr,
                  LOG_LEVEL_TRACE);
    return OnEndOfDocument() == Step::Succeeded;
}

// The name of the element start or end the reader stands on; null (logged) when unreadable.
const ElementName* CCatalogueParser::CurrentElement() {
    const wchar_t* pszName = nullptr;
    UINT nLength = 0;
    const HRESULT hr = m_reader->GetLocalName(&pszName, &nLength);
    if (FAILED(hr)) {
        LogWithResult(__LINE__,
                      L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetLocalName failed,GetLastError code is:", hr);
        return nullptr;
    }
    return &FindElement(pszName, nLength);
}

CCatalogueParser::Step CCatalogueParser::OnElementStart() {
    const ElementName* pName = CurrentElement();
    if (!pName) return Step::Failed;
    const ElementName& name = *pName;
    if (++m_nElementCount == 1) {
        if (name.element != Element::Velorix) {
            Log(__LINE__, L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:first node is not <velorix>");
            return Step::Failed;
        }
        m_app.m_bCatalogueRoot = 1;
        return Step::Continue;
    }
    switch (name.element) {
    case Element::Plain:
        m_nOpenFlags |= name.nFlags;
        break;
    case Element::Title:
        ClassifyLanguageElement(FLAG_TITLE_DEFAULT, FLAG_TITLE_LANG, m_title.strDefault);
        break;
    case Element::Link:
        ClassifyLanguageElement(FLAG_LINK_DEFAULT, FLAG_LINK_LANG, m_link.strDefault);
        break;
    case Element::Description:
        ClassifyLanguageElement(FLAG_DESCRIPTION_DEFAULT, FLAG_DESCRIPTION_LANG, m_description.strDefault);
        break;
    case Element::License:
        ClassifyLanguageElement(FLAG_LICENSE_DEFAULT, FLAG_LICENSE_LANG, m_license.strDefault);
        break;
    case Element::Version:
        ReadVersionAttributes();
        Open(FLAG_VERSION);
        break;
    case Element::Module:
        ReadModuleAttributes();
        break;
    case Element::ReturnInfo:
        ReadReturnInfoAttributes();
        Open(FLAG_RETURN_INFO);
        break;
    case Element::Velorix:
    case Element::Item:
    case Element::Other:
        break;
    }
    return Step::Continue;
}

CCatalogueParser::Step CCatalogueParser::OnElementEnd() {
    const ElementName* pName = CurrentElement();
    if (!pName) return Step::Failed;
    const ElementName& name = *pName;
    if (name.element == Element::Item) CompleteItem();
    m_nOpenFlags &= ~name.nFlags;
    return Step::Continue;
}

CCatalogueParser::Step CCatalogueParser::OnText() {
    const wchar_t* pszValue = nullptr;
    const HRESULT hr = m_reader->GetValue(&pszValue, nullptr);
    if (FAILED(hr)) {
        LogWithResult(__LINE__, L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetValue failed,GetLastError code is:",
                      hr);
        return Step::Failed;
    }
    if (m_nOpenFlags == 0) return Step::Continue;
    return TakeText(static_cast<Flag>(std::countr_zero(m_nOpenFlags)), pszValue);
}

CCatalogueParser::Step CCatalogueParser::TakeText(Flag flag, const wchar_t* pszValue) {
    switch (flag) {
    case FLAG_ID:
        m_item.m_strID = pszValue;
        break;
    case FLAG_TITLE_DEFAULT:
        m_title.strDefault = pszValue;
        break;
    case FLAG_TITLE_LANG:
        m_title.strLanguage = pszValue;
        break;
    case FLAG_VERSION:
        m_item.m_strVersion = IsVersionString(pszValue) ? pszValue : L"";
        break;
    case FLAG_LINK_DEFAULT:
        m_link.strDefault = pszValue;
        break;
    case FLAG_LINK_LANG:
        m_link.strLanguage = pszValue;
        break;
    case FLAG_DESCRIPTION_DEFAULT:
        m_description.strDefault = pszValue;
        break;
    case FLAG_DESCRIPTION_LANG:
        m_description.strLanguage = pszValue;
        break;
    case FLAG_PUBDATE:
    case FLAG_DELDATE:
        if (!ParseDate(pszValue, flag == FLAG_PUBDATE ? m_item.m_tmPubDate : m_item.m_tmDelDate)) {
            LogWithCode(__LINE__, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList: Date format is failed.GetLastError code is:");
            return Step::Failed;
        }
        break;
    case FLAG_LICENSE_DEFAULT:
        m_license.strDefault = pszValue;
        break;
    case FLAG_LICENSE_LANG:
        m_license.strLanguage = pszValue;
        break;
    case FLAG_ISS:
        m_item.m_strIss = pszValue;
        break;
    case FLAG_MODULE_DEFAULT:
    case FLAG_MODULE_LANG: {
        ModuleChoice& module = flag == FLAG_MODULE_DEFAULT ? m_moduleDefault : m_moduleLanguage;
        module.strUrl = pszValue;
        module.nSize = m_nPendingSize;
        module.nInstallSize = m_nPendingInstallSize;
        break;
    }
    case FLAG_EXCLUDE:
        m_item.m_strExclude = pszValue;
        break;
    case FLAG_RETURN_INFO:
        m_strReturnInfo = pszValue;
        return EvaluateReturnInfo();
    case FLAG_INSTCHKKEY:
        m_strInstChkKey = pszValue;
        break;
    case FLAG_INSTCHKPATH:
        m_strInstChkPath = pszValue;
        break;
    case FLAG_AUTH:
        m_strAuth = pszValue;
        break;
    }
    return Step::Continue;
}

// The server's verdict, as soon as its text is read: "OK" with "OK01-0001" lets the list
// follow, "OK" with "OK01-0002" means that nothing applies; anything else is a failure.
CCatalogueParser::Step CCatalogueParser::EvaluateReturnInfo() {
    if (m_strReturnInfo == L"OK") {
        if (m_strReturnCode == L"OK01-0001") return Step::Continue;
        m_app.m_arrNewSoftInfo.RemoveAll();
        if (m_strReturnCode == L"OK01-0002") {
            Log(__LINE__, L"CVelorixUpdaterApp::CreateNewSoftInfoList:List is empty.", LOG_LEVEL_TRACE);
            return Step::Succeeded;
        }
        Log(__LINE__, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error returnCode is " + m_strReturnCode);
        return Step::Failed;
    }
    if (m_strReturnCode == L"NG01-0011") {
        m_app.m_strNGReturnCode = m_strReturnCode;
        Log(__LINE__, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error strReturnCode is " + m_strReturnCode);
    }
    Log(__LINE__, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error strReturnInfo is " + m_strReturnInfo);
    return Step::Failed;
}

CCatalogueParser::Step CCatalogueParser::OnEndOfDocument() {
    if (m_strReturnInfo != L"OK") {
        Log(__LINE__, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error strReturnInfo is " + m_strReturnInfo);
        return Step::Failed;
    }
    if (m_strReturnCode != L"OK01-0001" && m_strReturnCode != L"OK01-0002") {
        Log(__LINE__, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error returnCode is " + m_strReturnCode);
        return Step::Failed;
    }
    m_app.m_strAuth = m_strAuth;
    m_app.m_strLicense = m_license.Take();
    if (m_app.m_strLicense.IsEmpty()) {
        Log(__LINE__, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList: License is empty.");
        return Step::Failed;
    }
    return Step::Succeeded;
}

// title, link, description, license: without attributes the element is the default text
// when no default was taken yet; with a lang attribute naming the user's language it is the
// language text; otherwise it is ignored.
void CCatalogueParser::ClassifyLanguageElement(Flag flagDefault, Flag flagLanguage, const CString& strDefault) {
    bool bLanguageMatch = false;
    const AttributeWalk walk = WalkAttributes(m_reader.Get(), [&](const wchar_t* pszName, const wchar_t* pszValue) {
        if (IsName(pszName, L"lang") && m_strLanguageCode == pszValue) bLanguageMatch = true;
    });
    if (walk.result != AttributeWalk::Complete) return;
    if (walk.nCount == 0) {
        if (strDefault.IsEmpty()) Open(flagDefault);
    } else if (bLanguageMatch) {
        Open(flagLanguage);
    }
}

void CCatalogueParser::ReadVersionAttributes() {
    const AttributeWalk walk = WalkAttributes(m_reader.Get(), [&](const wchar_t* pszName, const wchar_t* pszValue) {
        if (!IsName(pszName, L"targetMinVersion")) return;
        m_item.m_strTargetMinVersion =
            (*pszValue != L'\0' && IsVersionString(pszValue)) ? pszValue : kNoTargetMinVersion;
    });
    if (walk.result == AttributeWalk::NameFailed) {
        Log(__LINE__, L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetLocalName failed");
    } else if (walk.result == AttributeWalk::ValueFailed) {
        Log(__LINE__, L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetValue failed");
    }
}

// module: every element's sizes become the pending sizes; an element whose lang names the
// user's language is the language module, one with attributes but no lang the default
// module while none was taken; one without attributes is ignored.
void CCatalogueParser::ReadModuleAttributes() {
    bool bHasLanguage = false, bLanguageMatch = false;
    const AttributeWalk walk = WalkAttributes(m_reader.Get(), [&](const wchar_t* pszName, const wchar_t* pszValue) {
        if (IsName(pszName, L"lang")) {
            bHasLanguage = true;
            if (m_strLanguageCode == pszValue) bLanguageMatch = true;
        } else if (IsName(pszName, L"size")) {
            m_nPendingSize = ParseSize(pszValue);
        } else if (IsName(pszName, L"installSize")) {
            m_nPendingInstallSize = ParseSize(pszValue);
        }
    });
    if (walk.result == AttributeWalk::NameFailed) {
        LogWithResult(__LINE__,
                      L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetLocalName failed,node is <module>,"
                      L"Failed to get the attribute,GetLastError code is:",
                      walk.hr);
        return;
    }
    if (walk.result == AttributeWalk::ValueFailed) {
        LogWithResult(__LINE__,
                      L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetValue failed,node is <module>,"
                      L"Failed to get the value of attribute,GetLastError code is:",
                      walk.hr);
        return;
    }
    if (bLanguageMatch) {
        Open(FLAG_MODULE_LANG);
    } else if (walk.nCount > 0 && !bHasLanguage && m_moduleDefault.strUrl.IsEmpty()) {
        Open(FLAG_MODULE_DEFAULT);
    }
}

void CCatalogueParser::ReadReturnInfoAttributes() {
    const AttributeWalk walk = WalkAttributes(m_reader.Get(), [&](const wchar_t* pszName, const wchar_t* pszValue) {
        if (IsName(pszName, L"code")) m_strReturnCode = pszValue;
    });
    if (walk.result == AttributeWalk::NameFailed) {
        LogWithResult(__LINE__,
                      L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetLocalName failed,node is <return_info>,"
                      L"Failed to get the attribute code.GetLastError code is:",
                      walk.hr);
    } else if (walk.result == AttributeWalk::ValueFailed) {
        LogWithResult(__LINE__,
                      L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->GetValue failed,node is <return_info>,"
                      L"Failed to get the value of attribute code.GetLastError code is:",
                      walk.hr);
    }
}

// End of an item: the chosen texts and module go into the item, which joins the list; the
// item's buffers start empty for the next one (the licence, credential and return
// information belong to the whole file and stay).
void CCatalogueParser::CompleteItem() {
    m_item.m_strTitle = m_title.Take();
    m_item.m_strLink = m_link.Take();
    m_item.m_strDescription = m_description.Take();
    ModuleChoice& module = m_moduleLanguage.strUrl.IsEmpty() ? m_moduleDefault : m_moduleLanguage;
    m_item.m_strModule = std::move(module.strUrl);
    m_item.m_nSize = module.nSize;
    m_item.m_nInstallSize = module.nInstallSize;
    m_item.m_strInstChkKey = std::move(m_strInstChkKey);
    m_item.m_strInstChkPath = std::move(m_strInstChkPath);
    m_app.m_arrNewSoftInfo.Add(std::move(m_item));
    m_item.Init();
    m_moduleDefault = ModuleChoice();
    m_moduleLanguage = ModuleChoice();
    m_strInstChkKey.Empty();
    m_strInstChkPath.Empty();
    m_nPendingSize = 0;
    m_nPendingInstallSize = 0;
}

}  // namespace

BOOL CVelorixUpdaterApp::CreateNewSoftInfoList(const CString& strPath) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::CreateNewSoftInfoList");
    m_bCatalogueRoot = 0;
    m_arrNewSoftInfo.RemoveAll();
    CCatalogueParser parser(*this);
    return parser.Parse(strPath);
}

BOOL CVelorixUpdaterApp::CheckNewInstallItemEmpty(const CUpdateInfo& info) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::CheckNewInstallItemEmpty");
    if (info.m_strID.IsEmpty()) {
        Log(__LINE__, L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty id is empty.");
        return TRUE;
    }
    const struct {
        bool bMissing;
        const wchar_t* pszText;
    } tests[] = {
        {info.m_strTitle.IsEmpty(), L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty title is empty.The ItemID is "},
        {info.m_strVersion.IsEmpty(), L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty version is empty.The ItemID is "},
        {info.m_tmPubDate.GetTime() == 0,
         L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty gmt_pubDate is empty.The ItemID is "},
        {info.m_tmDelDate.GetTime() == 0,
         L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty gmt_delDate is empty.The ItemID is "},
        {info.m_strModule.IsEmpty(), L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty module is empty.The ItemID is "},
        {info.m_strIss.IsEmpty(), L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty iss is empty.The ItemID is "},
        {info.m_nSize < 0, L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty module size < 0.The ItemID is "},
        {info.m_nInstallSize <= 0,
         L"Error:CVelorixUpdaterApp::CheckNewInstallItemEmpty module installSize < 0.The ItemID is "},
    };
    for (const auto& test : tests) {
        if (test.bMissing) {
            Log(__LINE__, test.pszText + info.m_strID);
            return TRUE;
        }
    }
    return FALSE;
}

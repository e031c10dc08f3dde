#include "bridge/RegistryScript.h"

#include "fw/Handle.h"

#include <cwctype>
#include <optional>
#include <vector>

namespace {

struct ScriptValue {
    std::wstring strName;  // empty: the key's default value
    DWORD dwType = REG_SZ;
    std::wstring strData;
};

struct ScriptKey {
    std::wstring strName;
    bool bNoRemove = false;
    bool bForceRemove = false;
    std::vector<ScriptValue> values;
    std::vector<ScriptKey> keys;
};

// Reads the script text into its key tree; nullopt when the text is malformed.
class CScriptParser {
public:
    CScriptParser(const std::wstring& strText, const CRegistryScript::Replacements& replacements)
        : m_strText(strText), m_replacements(replacements) {}

    // The root key and its tree.
    std::optional<std::pair<HKEY, std::vector<ScriptKey>>> Parse() {
        std::wstring strRoot;
        if (!Token(strRoot) || strRoot != L"HKCR") return std::nullopt;
        std::vector<ScriptKey> keys;
        if (!Block(keys)) return std::nullopt;
        SkipBlanks();
        if (m_nPos != m_strText.size()) return std::nullopt;
        return std::make_pair(HKEY_CLASSES_ROOT, std::move(keys));
    }

private:
    void SkipBlanks() {
        while (m_nPos < m_strText.size() && std::iswspace(m_strText[m_nPos])) ++m_nPos;
    }
    bool Peek(wchar_t ch) {
        SkipBlanks();
        return m_nPos < m_strText.size() && m_strText[m_nPos] == ch;
    }
    bool Expect(wchar_t ch) {
        if (!Peek(ch)) return false;
        ++m_nPos;
        return true;
    }
    // A bare word or a quoted text ('' inside quotes is one quote), with replacements made.
    bool Token(std::wstring& strToken) {
        SkipBlanks();
        strToken.clear();
        if (m_nPos >= m_strText.size()) return false;
        if (m_strText[m_nPos] == L'\'') {
            for (++m_nPos; m_nPos < m_strText.size(); ++m_nPos) {
                if (m_strText[m_nPos] == L'\'') {
                    if (m_nPos + 1 < m_strText.size() && m_strText[m_nPos + 1] == L'\'') {
                        strToken += L'\'';
                        ++m_nPos;
                    } else {
                        ++m_nPos;
                        return Replace(strToken);
                    }
                } else {
                    strToken += m_strText[m_nPos];
                }
            }
            return false;
        }
        while (m_nPos < m_strText.size() && !std::iswspace(m_strText[m_nPos]) &&
               std::wstring_view(L"{}='").find(m_strText[m_nPos]) == std::wstring_view::npos) {
            strToken += m_strText[m_nPos++];
        }
        return !strToken.empty() && Replace(strToken);
    }
    bool Replace(std::wstring& strToken) const {
        std::wstring strResult;
        for (size_t i = 0; i < strToken.size(); ++i) {
            if (strToken[i] != L'%') {
                strResult += strToken[i];
                continue;
            }
            const size_t iEnd = strToken.find(L'%', i + 1);
            if (iEnd == std::wstring::npos) return false;
            const auto it = m_replacements.find(strToken.substr(i + 1, iEnd - i - 1));
            if (it == m_replacements.end()) return false;
            strResult += it->second;
            i = iEnd;
        }
        strToken = std::move(strResult);
        return true;
    }
    // "= s 'text'" or "= d 'number'".
    bool Assignment(ScriptValue& value) {
        std::wstring strType;
        if (!Expect(L'=') || !Token(strType) || !Token(value.strData)) return false;
        if (strType == L"s") {
            value.dwType = REG_SZ;
            return true;
        }
        if (strType != L"d" || value.strData.empty()) return false;
        for (wchar_t ch : value.strData) {
            if (!std::iswdigit(ch)) return false;
        }
        value.dwType = REG_DWORD;
        return true;
    }
    // "{ entries }": keys and named values.
    bool Block(std::vector<ScriptKey>& keys, std::vector<ScriptValue>* pValues = nullptr) {
        if (!Expect(L'{')) return false;
        while (!Expect(L'}')) {
            std::wstring strWord;
            if (!Token(strWord)) return false;
            if (strWord == L"val" && pValues) {
                ScriptValue value;
                if (!Token(value.strName) || !Assignment(value)) return false;
                pValues->push_back(std::move(value));
                continue;
            }
            ScriptKey key;
            if (strWord == L"NoRemove" || strWord == L"ForceRemove") {
                key.bNoRemove = strWord == L"NoRemove";
                key.bForceRemove = !key.bNoRemove;
                if (!Token(strWord)) return false;
            }
            key.strName = std::move(strWord);
            if (Peek(L'=')) {
                ScriptValue value;
                if (!Assignment(value)) return false;
                key.values.push_back(std::move(value));
            }
            if (Peek(L'{') && !Block(key.keys, &key.values)) return false;
            keys.push_back(std::move(key));
        }
        return true;
    }

    const std::wstring& m_strText;
    const CRegistryScript::Replacements& m_replacements;
    size_t m_nPos = 0;
};

HRESULT WriteValue(HKEY hKey, const ScriptValue& value) {
    LSTATUS nStatus;
    if (value.dwType == REG_DWORD) {
        const DWORD dwData = std::wcstoul(value.strData.c_str(), nullptr, 10);
        nStatus = RegSetValueExW(hKey, value.strName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwData),
                                 sizeof(dwData));
    } else {
        nStatus = RegSetValueExW(hKey, value.strName.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.strData.c_str()),
                                 static_cast<DWORD>((value.strData.size() + 1) * sizeof(wchar_t)));
    }
    return HRESULT_FROM_WIN32(nStatus);
}

HRESULT RegisterKeys(HKEY hParent, const std::vector<ScriptKey>& keys) {
    for (const ScriptKey& key : keys) {
        if (key.bForceRemove) {
            const LSTATUS nStatus = RegDeleteTreeW(hParent, key.strName.c_str());
            if (nStatus != ERROR_SUCCESS && nStatus != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(nStatus);
        }
        HKEY hKeyRaw = nullptr;
        const LSTATUS nStatus = RegCreateKeyExW(hParent, key.strName.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                                nullptr, &hKeyRaw, nullptr);
        if (nStatus != ERROR_SUCCESS) return HRESULT_FROM_WIN32(nStatus);
        const CRegKey hKey(hKeyRaw);
        for (const ScriptValue& value : key.values) {
            if (const HRESULT hr = WriteValue(hKey.Get(), value); FAILED(hr)) return hr;
        }
        if (const HRESULT hr = RegisterKeys(hKey.Get(), key.keys); FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT UnregisterKeys(HKEY hParent, const std::vector<ScriptKey>& keys) {
    for (const ScriptKey& key : keys) {
        if (!key.bNoRemove) {
            const LSTATUS nStatus = RegDeleteTreeW(hParent, key.strName.c_str());
            if (nStatus != ERROR_SUCCESS && nStatus != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(nStatus);
            continue;
        }
        HKEY hKeyRaw = nullptr;
        const LSTATUS nStatus = RegOpenKeyExW(hParent, key.strName.c_str(), 0, KEY_READ | KEY_WRITE, &hKeyRaw);
        if (nStatus == ERROR_FILE_NOT_FOUND) continue;
        if (nStatus != ERROR_SUCCESS) return HRESULT_FROM_WIN32(nStatus);
        const CRegKey hKey(hKeyRaw);
        for (const ScriptValue& value : key.values) {
            if (value.strName.empty()) continue;  // a kept key keeps its default value
            const LSTATUS nDelete = RegDeleteValueW(hKey.Get(), value.strName.c_str());
            if (nDelete != ERROR_SUCCESS && nDelete != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(nDelete);
        }
        if (const HRESULT hr = UnregisterKeys(hKey.Get(), key.keys); FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace

CRegistryScript::CRegistryScript(std::wstring strText, Replacements replacements)
    : m_strText(std::move(strText)), m_replacements(std::move(replacements)) {}

HRESULT CRegistryScript::Register() const {
    const auto tree = CScriptParser(m_strText, m_replacements).Parse();
    if (!tree) return E_FAIL;
    return RegisterKeys(tree->first, tree->second);
}

HRESULT CRegistryScript::Unregister() const {
    const auto tree = CScriptParser(m_strText, m_replacements).Parse();
    if (!tree) return E_FAIL;
    return UnregisterKeys(tree->first, tree->second);
}

// CRegistryScript: a registration script in the registrar's text form, applied to or removed
// from the registry. A script names keys under a root ("HKCR"), each optionally with a default
// value ("= s 'text'"), named values ("val Name = s 'text'" or "= d 'number'") and sub-keys in
// braces. "NoRemove" keys are kept on removal (only what the script puts below them goes);
// "ForceRemove" keys are deleted with everything below them before they are written.
// %NAME% is replaced by the value given for NAME.
#pragma once

#include <windows.h>

#include <map>
#include <string>

class CRegistryScript {
public:
    using Replacements = std::map<std::wstring, std::wstring>;

    CRegistryScript(std::wstring strText, Replacements replacements);

    // Writes the script's keys and values; S_OK, or the first failure (a malformed script
    // gives E_FAIL and writes nothing).
    HRESULT Register() const;
    // Removes what the script wrote; missing keys are no failure.
    HRESULT Unregister() const;

private:
    std::wstring m_strText;
    Replacements m_replacements;
};

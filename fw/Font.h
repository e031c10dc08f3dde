// CFont: owns one GDI font.
#pragma once

#include "fw/Handle.h"

class CFont {
public:
    BOOL CreateFontIndirect(const LOGFONTW* pLogFont) {
        m_hFont.Reset(pLogFont ? ::CreateFontIndirectW(pLogFont) : nullptr);
        return m_hFont ? TRUE : FALSE;
    }
    HFONT GetSafeHandle() const { return static_cast<HFONT>(m_hFont.Get()); }
    operator HFONT() const { return GetSafeHandle(); }
    void DeleteObject() { m_hFont.Reset(); }

private:
    CGdiObject m_hFont;
};

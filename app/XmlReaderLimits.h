// The XML reader every file of the program is read with (catalogue, count answer,
// scanner file): DTDs prohibited, element depth limited, files above a size limit refused,
// and all of the reader's memory drawn from a capped allocator, so a hostile or broken
// file fails cleanly instead of exhausting memory.
#pragma once

#include <objidl.h>
#include "fw/ComPtr.h"
#include <xmllite.h>

// Limits of one reader. The input limit keeps the reader's memory well below the
// allocator's cap: Wine's reader does not survive a refused allocation.
const UINT kXmlMaxElementDepth = 64;
const ULONGLONG kXmlMaxInputBytes = 64ull * 1024 * 1024;
const SIZE_T kXmlMaxReaderMemory = 512u * 1024 * 1024;

// One reader with its allocator; the allocator serves both the reader and its input.
class CLimitedXmlReader {
public:
    // Creates the reader; the result is the reader's creation HRESULT.
    HRESULT Create();
    // Hands the stream to the reader as UTF-8 (binding, not a hint); a stream longer than
    // the input limit gives HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE).
    HRESULT SetInput(IStream* pStream);
    // The two steps of SetInput, for callers that report them apart: the UTF-8 input over
    // the stream (with the size refusal), then attaching it to the reader.
    HRESULT CreateInput(IStream* pStream, CComPtr<IUnknown>& pInput);
    HRESULT AttachInput(IUnknown* pInput);
    IXmlReader* operator->() const { return m_pReader.Get(); }
    IXmlReader* Get() const { return m_pReader.Get(); }

private:
    CComPtr<IMalloc> m_pMalloc;
    CComPtr<IXmlReader> m_pReader;
};

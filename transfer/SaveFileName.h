// The name under which a file fetched by URL is saved: the URL's last path component made
// safe, so that the saved file always lies directly in the download folder.
#pragma once

#include "fw/String.h"

// strName with every character that Windows does not allow in a file name (path separators,
// ":" which would name an NTFS stream, *?"<>|, control characters) replaced by "_", trailing
// dots and blanks removed (Windows drops them), and a reserved device name (CON, NUL, COM1,
// LPT1, ... with or without extension) prefixed with "_". Empty when nothing usable is left
// (an empty name, ".", "..").
CString MakeSaveFileName(const CString& strName);

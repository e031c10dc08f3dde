// The language code for a given user-interface language id; GetLanguageCode applies it
// to the current one.
#pragma once

#include "fw/String.h"

#include <windows.h>

void LanguageCodeOf(LANGID wLanguage, CString& strCode);

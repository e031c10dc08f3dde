// Helpers of the catalogue tests: catalogue files written from a template, and the lines
// the code under test appended to the main log.
#pragma once

#include "fw/String.h"
#include "tests/common/LogTail.h"
#include "tests/fixtures/TempFolder.h"

#include <string>

// A catalogue around the given body (items and anything else inside the root), with return
// information "OK" / "OK01-0001", a licence and a credential unless the body brings its own
// header. In the text "{L}" stands for the user's language code and "{X}" for another one.
std::string Catalogue(const std::string& strBody);
std::string CatalogueWithoutHeader(const std::string& strBody);
// A complete item; strExtra goes in after its fields.
std::string Item(const std::string& strId, const std::string& strExtra = "");
// The text with "{L}" and "{X}" replaced.
std::string WithLanguage(std::string strText);

// Writes the bytes as a file in the folder; the file's full path.
CString WriteTestFile(const CTempFolder& folder, const wchar_t* pszName, const std::string& strContent);


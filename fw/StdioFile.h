// CStdioFile: the file class used for saved downloads and licence texts. Bytes are read
// and written as they are in every mode (the program streams whole files, not lines).
#pragma once

#include "fw/File.h"

class CStdioFile : public CFile {};

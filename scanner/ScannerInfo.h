// One scanner: its model name and serial number (a typed serial has no model name).
#pragma once

#include "fw/String.h"

struct _ScannerInfo {
    CString strModel;
    CString strSerialNo;
};

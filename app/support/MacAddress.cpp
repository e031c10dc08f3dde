// This computer's network (MAC) address, for the download-count report.
// winsock2.h must come before windows.h.
#include <winsock2.h>
#include <iphlpapi.h>

#include "app/support/VrxCommon.h"

#include <vector>

BOOL GetMacAddress(CString& strAddress) {
    strAddress.Empty();
    // The adapter list is variable-sized: ask again with the size the system names.
    ULONG cbBuffer = 16 * 1024;
    std::vector<ULONGLONG> buffer;
    ULONG ulResult = ERROR_BUFFER_OVERFLOW;
    for (int nTry = 0; nTry < 3 && ulResult == ERROR_BUFFER_OVERFLOW; ++nTry) {
        buffer.resize(cbBuffer / sizeof(ULONGLONG) + 1);
        ulResult = GetAdaptersAddresses(AF_UNSPEC,
                                        GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                                            GAA_FLAG_SKIP_DNS_SERVER,
                                        nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &cbBuffer);
    }
    if (ulResult != ERROR_SUCCESS) return FALSE;
    // The first Ethernet or wireless adapter in the system's order, whatever its state,
    // so that the same computer reports the same address from run to run.
    for (auto* pAdapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); pAdapter; pAdapter = pAdapter->Next) {
        const BYTE* pb = pAdapter->PhysicalAddress;
        if ((pAdapter->IfType != IF_TYPE_ETHERNET_CSMACD && pAdapter->IfType != IF_TYPE_IEEE80211) ||
            pAdapter->PhysicalAddressLength != 6 || (pb[0] | pb[1] | pb[2] | pb[3] | pb[4] | pb[5]) == 0)
            continue;
        strAddress.Format(L"%02X-%02X-%02X-%02X-%02X-%02X", pb[0], pb[1], pb[2], pb[3], pb[4], pb[5]);
        return TRUE;
    }
    return FALSE;
}

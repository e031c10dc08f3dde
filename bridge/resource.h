// Resource identifiers of the bridge library.
#pragma once

#define IDR_VRXUACBRIDGE 101   // registry script: the application identifier
#define IDR_THEUACBRIDGE 102   // registry script: the class and its programmatic identifiers
#define IDS_PROJNAME 100
#define IDS_DISPLAYNAME 101    // the name the consent prompt shows

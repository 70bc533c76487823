// Resource ids of ravelin.dll. The host and the type library loader rely on
// TYPELIB 1; the rest are the plug-in's own.
#pragma once

#define IDS_PROJNAME 100
#define IDS_FENLETLAUNCHINTERFACE_DESC 102
#define IDR_FENLETLAUNCHINTERFACE 103

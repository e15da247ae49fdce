// A DLL with an entry point that returns TRUE and nothing else: no imports,
// no exports, no resources. The load benchmark loads it side by side with
// Korzel.dll to show what the plug-in adds to a bare load.
#include <windows.h>

extern "C" BOOL WINAPI EmptyDllEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }

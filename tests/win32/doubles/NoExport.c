/* A module that is loaded under a sibling's name but lacks CreateInterface. */
__declspec(dllexport) int __cdecl NotCreateInterface(void) { return 0; }

// Calling conventions and visibility shared by every module of the engine
// (what they are is stated in quenta/MessageRenderer.h).
#pragma once

#if defined(_WIN32)
#define QUENTA_EXPORT extern "C" __declspec(dllexport)
#define QUENTA_CDECL __cdecl
#else
#define QUENTA_EXPORT extern "C" __attribute__((visibility("default")))
#define QUENTA_CDECL
#endif

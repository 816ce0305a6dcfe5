/* The call log and behaviour switches shared by the C host and its sibling
 * doubles: one DLL, loaded with the host and never unloaded, so that the log
 * outlives the doubles that the host unloads between scenarios. */
#ifndef QUENTA_WIN32_CALL_LOG_H
#define QUENTA_WIN32_CALL_LOG_H

#include <stdint.h>

#if defined(QUENTA_CALL_LOG_BUILD)
#define CALL_LOG_API __declspec(dllexport)
#else
#define CALL_LOG_API __declspec(dllimport)
#endif

/* Appends one line, formatted as by printf. */
CALL_LOG_API void RecordCall(const char* format, ...) __attribute__((format(printf, 1, 2)));
CALL_LOG_API int32_t CallCount(void);
/* Line `index`, or "" out of range. */
CALL_LOG_API const char* CallAt(int32_t index);
CALL_LOG_API void ClearCalls(void);

/* Named integers that switch the doubles' behaviour. */
CALL_LOG_API void SetSetting(const char* key, int32_t value);
CALL_LOG_API int32_t GetSetting(const char* key, int32_t fallback);
CALL_LOG_API void ClearSettings(void);

/* Shift-JIS or ASCII bytes as readable text into `out`: printable ASCII as
 * is, every other byte (and the backslash) as \xNN; cut to fit `size`. */
CALL_LOG_API void Printable(const char* bytes, char* out, int32_t size);

#endif

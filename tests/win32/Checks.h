/* Checks for the scenarios of the C host: each failed check prints where and
 * what, counts against the scenario it ran in, and lets the scenario go on
 * (a scenario returns early only where going on would crash). */
#ifndef QUENTA_WIN32_CHECKS_H
#define QUENTA_WIN32_CHECKS_H

#include <stdbool.h>
#include <stdint.h>

typedef struct Checks {
    const char* scenario;
    int32_t failures;
} Checks;

bool CheckTrue(Checks* t, bool value, const char* what, const char* file, int line);
bool CheckInt(Checks* t, int64_t actual, int64_t expected, const char* what, const char* file, int line);
bool CheckText(Checks* t, const char* actual, const char* expected, const char* what, const char* file, int line);
/* The call log, from its first line, equals `expected`: count lines. */
bool CheckCalls(Checks* t, const char* const* expected, int32_t count, const char* file, int line);
/* The lines of the call log that start with `prefix` equal `expected`. */
bool CheckCallsStartingWith(Checks* t, const char* prefix, const char* const* expected, int32_t count,
                            const char* file, int line);

#define CHECK(t, value) CheckTrue((t), (value), #value, __FILE__, __LINE__)
#define CHECK_INT(t, actual, expected) CheckInt((t), (actual), (expected), #actual, __FILE__, __LINE__)
#define CHECK_TEXT(t, actual, expected) CheckText((t), (actual), (expected), #actual, __FILE__, __LINE__)
#define CHECK_CALLS(t, ...)                                                                                   \
    CheckCalls((t), (const char* const[]){__VA_ARGS__},                                                       \
               (int32_t)(sizeof((const char* const[]){__VA_ARGS__}) / sizeof(const char*)), __FILE__, __LINE__)
#define CHECK_NO_CALLS(t) CheckCalls((t), NULL, 0, __FILE__, __LINE__)
#define CHECK_CALLS_STARTING_WITH(t, prefix, ...)                                                             \
    CheckCallsStartingWith((t), (prefix), (const char* const[]){__VA_ARGS__},                                 \
                           (int32_t)(sizeof((const char* const[]){__VA_ARGS__}) / sizeof(const char*)),       \
                           __FILE__, __LINE__)
#define CHECK_NO_CALLS_STARTING_WITH(t, prefix) CheckCallsStartingWith((t), (prefix), NULL, 0, __FILE__, __LINE__)

#endif

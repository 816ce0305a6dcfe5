#include "Checks.h"

#include <stdio.h>
#include <string.h>

#include "CallLog.h"

static void Fail(Checks* t, const char* file, int line) {
    ++t->failures;
    const char* name = strrchr(file, '/');
    fprintf(stderr, "%s:%d: failure in %s\n", name ? name + 1 : file, line, t->scenario);
}

bool CheckTrue(Checks* t, bool value, const char* what, const char* file, int line) {
    if (value) return true;
    Fail(t, file, line);
    fprintf(stderr, "  %s is false\n", what);
    return false;
}

bool CheckInt(Checks* t, int64_t actual, int64_t expected, const char* what, const char* file, int line) {
    if (actual == expected) return true;
    Fail(t, file, line);
    fprintf(stderr, "  %s is %lld (0x%llx), expected %lld (0x%llx)\n", what, (long long)actual,
            (unsigned long long)actual, (long long)expected, (unsigned long long)expected);
    return false;
}

bool CheckText(Checks* t, const char* actual, const char* expected, const char* what, const char* file, int line) {
    if (actual && strcmp(actual, expected) == 0) return true;
    Fail(t, file, line);
    fprintf(stderr, "  %s is \"%s\"\n  expected \"%s\"\n", what, actual ? actual : "(null)", expected);
    return false;
}

static bool StartsWith(const char* text, const char* prefix) { return strncmp(text, prefix, strlen(prefix)) == 0; }

static bool SameLines(const char* prefix, const char* const* expected, int32_t count) {
    int32_t matched = 0;
    for (int32_t i = 0; i < CallCount(); ++i) {
        if (!StartsWith(CallAt(i), prefix)) continue;
        if (matched == count || strcmp(CallAt(i), expected[matched]) != 0) return false;
        ++matched;
    }
    return matched == count;
}

static void PrintLines(const char* prefix, const char* const* expected, int32_t count) {
    fprintf(stderr, "  calls%s%s%s:\n", *prefix ? " starting with \"" : "", prefix, *prefix ? "\"" : "");
    for (int32_t i = 0; i < CallCount(); ++i) {
        if (StartsWith(CallAt(i), prefix)) fprintf(stderr, "    %s\n", CallAt(i));
    }
    fprintf(stderr, "  expected:\n");
    for (int32_t i = 0; i < count; ++i) fprintf(stderr, "    %s\n", expected[i]);
}

bool CheckCalls(Checks* t, const char* const* expected, int32_t count, const char* file, int line) {
    return CheckCallsStartingWith(t, "", expected, count, file, line);
}

bool CheckCallsStartingWith(Checks* t, const char* prefix, const char* const* expected, int32_t count,
                            const char* file, int line) {
    if (SameLines(prefix, expected, count)) return true;
    Fail(t, file, line);
    PrintLines(prefix, expected, count);
    return false;
}

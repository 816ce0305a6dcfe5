#include "CallLog.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kMaxCalls = 4096, kLineBytes = 200, kMaxSettings = 64, kKeyBytes = 48 };

/* Fixed storage: the log lives as long as the process and never allocates. */
static char calls[kMaxCalls][kLineBytes];
static int32_t callCount;

static struct {
    char key[kKeyBytes];
    int32_t value;
} settings[kMaxSettings];
static int32_t settingCount;

void RecordCall(const char* format, ...) {
    if (callCount == kMaxCalls) {
        fprintf(stderr, "call log full\n");
        abort();
    }
    va_list args;
    va_start(args, format);
    vsnprintf(calls[callCount], kLineBytes, format, args);
    va_end(args);
    ++callCount;
}

int32_t CallCount(void) { return callCount; }

const char* CallAt(int32_t index) { return index >= 0 && index < callCount ? calls[index] : ""; }

void ClearCalls(void) { callCount = 0; }

void SetSetting(const char* key, int32_t value) {
    for (int32_t i = 0; i < settingCount; ++i) {
        if (strcmp(settings[i].key, key) == 0) {
            settings[i].value = value;
            return;
        }
    }
    if (settingCount == kMaxSettings || strlen(key) >= kKeyBytes) {
        fprintf(stderr, "setting %s does not fit\n", key);
        abort();
    }
    strcpy(settings[settingCount].key, key);
    settings[settingCount].value = value;
    ++settingCount;
}

int32_t GetSetting(const char* key, int32_t fallback) {
    for (int32_t i = 0; i < settingCount; ++i) {
        if (strcmp(settings[i].key, key) == 0) return settings[i].value;
    }
    return fallback;
}

void ClearSettings(void) { settingCount = 0; }

void Printable(const char* bytes, char* out, int32_t size) {
    int32_t used = 0;
    for (const char* p = bytes ? bytes : ""; *p && used + 5 <= size; ++p) {
        const unsigned char c = (unsigned char)*p;
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out[used++] = (char)c;
        } else {
            used += snprintf(out + used, (size_t)(size - used), "\\x%02X", c);
        }
    }
    if (size > 0) out[used < size ? used : size - 1] = '\0';
}

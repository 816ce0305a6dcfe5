#include "core/ShowError.h"

#include <cstdarg>
#include <cstdio>

#include "platform/Platform.h"

namespace quenta::core {

namespace {
char messageBuffer[kMessageBufferSize];
}  // namespace

bool ShowError(const char* format, ...) {
    messageBuffer[0] = '\0';
    va_list args;
    va_start(args, format);
    std::vsnprintf(messageBuffer, sizeof messageBuffer, format, args);
    va_end(args);
    platform::ShowMessageBox(messageBuffer, kMessageCaption);
    return false;
}

}  // namespace quenta::core

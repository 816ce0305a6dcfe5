// The module's only way of telling the user something: a message box
// captioned "Surfex2". Always returns false, so a caller reports and fails in
// one step.
#pragma once

namespace quenta::core {

// The three messages, Shift-JIS.
// "ＤＬＬ【 %s 】の読み込みに失敗しました": loading module %s failed.
inline constexpr char kModuleNotLoadedMessage[] =
    "\x82\x63\x82k\x82k\x81y %s \x81z\x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8"
    "\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
// "【 %s 】\nCreateInterfaceの取得に失敗しました": %s has no CreateInterface.
inline constexpr char kNoExportMessage[] =
    "\x81y %s \x81z\nCreateInterface\x82\xCC\x8E\xE6\x93\xBE\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC"
    "\x82\xB5\x82\xBD";
// "CreateInterfaceに失敗しました": CreateInterface refused the ID.
inline constexpr char kCreateFailedMessage[] =
    "CreateInterface\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD";

inline constexpr char kMessageCaption[] = "Surfex2";
inline constexpr int kMessageBufferSize = 1024;

// printf-style; the text is cut to fit the process-wide 1024-byte buffer.
bool ShowError(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace quenta::core

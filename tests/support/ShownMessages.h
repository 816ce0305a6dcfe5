// What the module shows the user, captured between StartCapturingMessages and
// CapturedMessages as "caption: text\n" lines in UTF-8.
//
// On Linux the message box is a line on stderr and is captured as such. On
// Windows the box is the system's own: a hook on the test's thread reads each
// box as it opens and presses its OK button, so that MessageBoxA returns
// without a user. A box shown while nothing captures waits for a user, and the
// test runs into its time limit.
#pragma once

#include <gtest/gtest.h>

#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace quenta::testing {

#if defined(_WIN32)

namespace shown_messages {

struct Capture {
    HHOOK hook = nullptr;
    HWND lastBox = nullptr;
    std::string lines;
};

// The hook procedure has no context argument: one capture per process.
inline Capture& TheCapture() {
    static Capture capture;
    return capture;
}

// The bytes MessageBoxA was given: the box converted them with the ANSI code
// page, and GetWindowTextA converts them back with the same one.
inline std::string WindowBytes(HWND window) {
    std::string bytes(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    bytes.resize(static_cast<size_t>(GetWindowTextA(window, bytes.data(), static_cast<int>(bytes.size()))));
    return bytes;
}

inline std::string Utf8FromShiftJis(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(932, 0, bytes.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
    const int wideSize = static_cast<int>(wide.size());
    std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0,
                                                             nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), static_cast<int>(utf8.size()), nullptr,
                        nullptr);
    return utf8;
}

// "#32770" is the dialog class every message box has.
inline bool IsDialog(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

inline LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    Capture& capture = TheCapture();
    auto* window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && window != capture.lastBox && IsDialog(window)) {
        capture.lastBox = window;
        // The static text of a message box has the control ID 0xFFFF.
        const std::string text = WindowBytes(GetDlgItem(window, 0xFFFF));
        capture.lines += Utf8FromShiftJis(WindowBytes(window)) + ": " + Utf8FromShiftJis(text) + "\n";
        EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "a message box with an owner window";
        EXPECT_NE(GetDlgItem(window, IDOK), nullptr) << "a message box without an OK button";
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(capture.hook, code, wParam, lParam);
}

}  // namespace shown_messages

inline void StartCapturingMessages() {
    shown_messages::Capture& capture = shown_messages::TheCapture();
    ASSERT_EQ(capture.hook, nullptr) << "already capturing";
    capture = {};
    capture.hook = SetWindowsHookExA(WH_CBT, shown_messages::OnActivate, nullptr, GetCurrentThreadId());
    ASSERT_NE(capture.hook, nullptr);
}

inline std::string CapturedMessages() {
    shown_messages::Capture& capture = shown_messages::TheCapture();
    if (capture.hook) UnhookWindowsHookEx(capture.hook);
    std::string lines = std::move(capture.lines);
    capture = {};
    return lines;
}

#else

inline void StartCapturingMessages() { ::testing::internal::CaptureStderr(); }
inline std::string CapturedMessages() { return ::testing::internal::GetCapturedStderr(); }

#endif

}  // namespace quenta::testing

#pragma once
// Starting a program and waiting for its window, timed from the outside: the part of
// launch_probe that both of its measurements share.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "forms/window.h"

namespace bench {

inline constexpr DWORD kPatienceMs = 30000;

inline double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

inline std::wstring Unescape(const wchar_t* arg) {
    std::wstring out;
    for (const wchar_t* p = arg; *p; ++p) {
        if (p[0] == L'\\' && p[1] == L'u' && std::wcslen(p) >= 6) {
            const std::wstring hex(p + 2, 4);
            wchar_t* end = nullptr;
            const unsigned long code = std::wcstoul(hex.c_str(), &end, 16);
            if (end && *end == L'\0') {
                out.push_back(static_cast<wchar_t>(code));
                p += 5;
                continue;
            }
        }
        out.push_back(*p);
    }
    return out;
}

struct Target {
    std::wstring label, exe, windowClass, caption;
};

struct Launched {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double visibleMs = 0;
    double readyMs = 0;
};

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

// A message with a time limit: the target may hang, or be held up by a message box.
inline bool SendWithin(forms::Window to, UINT message, DWORD patienceMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(to.hwnd(), message, 0, 0, SMTO_NORMAL, patienceMs, &ignored) != 0;
}

// Only a window of the process just started counts: a straggler from an earlier
// run must not stop the clock.
inline HWND FindVisibleWindow(DWORD processId, const Target& target) {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExW(nullptr, hwnd, target.windowClass.c_str(), target.caption.c_str()))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == processId && IsWindowVisible(hwnd)) return hwnd;
    }
    return nullptr;
}

inline void End(Launched& launched) {
    if (!launched.process.hProcess) return;
    TerminateProcess(launched.process.hProcess, 0);
    WaitForSingleObject(launched.process.hProcess, kPatienceMs);
    CloseHandle(launched.process.hThread);
    CloseHandle(launched.process.hProcess);
    launched.process = {};
}

inline bool Launch(const Target& target, Launched& launched) {
    std::wstring commandLine = L"\"" + target.exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const double start = NowMs();
    if (!CreateProcessW(target.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &launched.process)) {
        std::fwprintf(stderr, L"cannot start %ls: error %lu\n", target.exe.c_str(), GetLastError());
        return false;
    }
    for (;;) {
        if (HWND hwnd = FindVisibleWindow(launched.process.dwProcessId, target)) {
            launched.window = hwnd;
            launched.visibleMs = NowMs() - start;
            break;
        }
        // Also the pause between polls.
        if (WaitForSingleObject(launched.process.hProcess, 1) == WAIT_OBJECT_0) {
            std::fwprintf(stderr, L"%ls exited before showing its window\n", target.label.c_str());
            End(launched);
            return false;
        }
        if (NowMs() - start > kPatienceMs) {
            std::fwprintf(stderr, L"%ls showed no window \"%ls\" of class %ls\n", target.label.c_str(),
                          target.caption.c_str(), target.windowClass.c_str());
            End(launched);
            return false;
        }
    }
    if (!SendWithin(launched.window, WM_NULL, kPatienceMs)) {
        std::fwprintf(stderr, L"%ls does not answer messages\n", target.label.c_str());
        End(launched);
        return false;
    }
    launched.readyMs = NowMs() - start;
    return true;
}

}  // namespace bench

// tarvex.exe as built, run as its own process.

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/window.h"
#include "ui/main_window.h"

namespace {

std::wstring ExecutablePath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L"\\/"));  // .../tests/wine
    return path + L"\\..\\..\\app\\tarvex.exe";
}

// The process's own main window: test processes beside it show windows of the same class.
app::Window WaitForMainWindow(DWORD pid) {
    for (int tries = 0; tries < 200; ++tries, Sleep(50))
        for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, app::Form::kWindowClass, nullptr));) {
            DWORD owner = 0;
            if (GetWindowThreadProcessId(h, &owner) && owner == pid && IsWindowVisible(h)) return h;
        }
    return {};
}

// The file names of the modules loaded in a process, in lower case.
std::vector<std::wstring> ModulesOf(DWORD pid) {
    std::vector<std::wstring> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        names.push_back(_wcslwr(module.szModule));
    CloseHandle(snapshot);
    return names;
}

TEST(Executable, StartsComputesAndEndsWithExitCodeZero) {
    std::wstring command = L"\"" + ExecutablePath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    const app::Window form = WaitForMainWindow(process.dwProcessId);
    if (form) {
        EXPECT_EQ(form.Text(), L"Tarvex zamienników opon samochodowych v1.2 by ZELT");
        const auto control = [&](int id) { return form.Child(app::Form::kFirstControlId + id); };
        control(ui::form1::Przelicz).Click();
        EXPECT_EQ(control(ui::form1::srdnicaakt).Text(), L"385.8");
        EXPECT_EQ(control(ui::form1::Label26).Text(), L"150");
        // Shown and used without the picture decoder or the accessibility service loaded.
        const std::vector<std::wstring> modules = ModulesOf(process.dwProcessId);
        EXPECT_GT(modules.size(), 3u);
        for (const wchar_t* unwanted : {L"windowscodecs.dll", L"oleacc.dll"})
            EXPECT_EQ(std::ranges::count(modules, std::wstring(unwanted)), 0) << unwanted;
        PostMessageW(control(ui::form1::Command1).hwnd(), BM_CLICK, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    if (!ended) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    ASSERT_TRUE(form);
    EXPECT_TRUE(ended);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(form.hwnd()));
}

}  // namespace

// tarvex.exe as built: what it carries, and the program run as its own process.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form.h"
#include "ui/main_window.h"

namespace {

std::wstring ExecutablePath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L"\\/"));  // .../tests/wine
    return path + L"\\..\\..\\app\\tarvex.exe";
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(ExecutablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }
    const BYTE* Data(LPCWSTR type, LPCWSTR name, WORD language, DWORD* size = nullptr) {
        HRSRC info = FindResourceExW(module_, type, name, language);
        if (!info) return nullptr;
        if (size) *size = SizeofResource(module_, info);
        return static_cast<const BYTE*>(LockResource(LoadResource(module_, info)));
    }
    HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(Resources, IconGroupOneHoldsFourImagesInOrder) {
    const BYTE* group = Data(RT_GROUP_ICON, MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(group, nullptr);
    const WORD* header = reinterpret_cast<const WORD*>(group);
    EXPECT_EQ(header[1], 1);  // icon
    ASSERT_EQ(header[2], 4);
    const struct {
        int size, bits;
    } expected[] = {{16, 4}, {16, 8}, {32, 4}, {32, 8}};
    const auto* entries = reinterpret_cast<const GroupEntry*>(group + 6);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].width, expected[i].size);
        EXPECT_EQ(entries[i].bitCount, expected[i].bits);
        EXPECT_EQ(entries[i].id, 30001 + i);
        DWORD size = 0;
        const BYTE* image = Data(RT_ICON, MAKEINTRESOURCEW(30001 + i), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &size);
        ASSERT_NE(image, nullptr);
        const auto* bmp = reinterpret_cast<const BITMAPINFOHEADER*>(image);
        EXPECT_EQ(bmp->biWidth, expected[i].size);
        EXPECT_EQ(bmp->biHeight, 2 * expected[i].size);  // colour image and mask
        EXPECT_EQ(bmp->biBitCount, expected[i].bits);
        const DWORD colourRow = ((expected[i].size * expected[i].bits + 31) / 32) * 4;
        const DWORD maskRow = ((expected[i].size + 31) / 32) * 4;
        EXPECT_EQ(size, sizeof(BITMAPINFOHEADER) + (4u << expected[i].bits) + (colourRow + maskRow) * expected[i].size);
        EXPECT_EQ(entries[i].bytes, size);
    }
}

TEST_F(Resources, VersionIsOnePointZeroInUsEnglish) {
    DWORD size = 0;
    const BYTE* block = Data(RT_VERSION, MAKEINTRESOURCEW(1), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), &size);
    ASSERT_NE(block, nullptr);
    std::vector<BYTE> copy(block, block + size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileDateMS | fixed->dwFileDateLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    const std::pair<std::wstring, std::wstring> strings[] = {
        {L"CompanyName", L"ZELT"},          {L"ProductName", L"Tarvex"},   {L"FileVersion", L"1.00"},
        {L"ProductVersion", L"1.00"},       {L"InternalName", L"tarvex"}, {L"OriginalFilename", L"tarvex.exe"}};
    const std::wstring_view raw(reinterpret_cast<const wchar_t*>(copy.data()), copy.size() / 2);
    size_t previous = 0;
    for (const auto& [key, value] : strings) {
        SCOPED_TRACE(std::string(key.begin(), key.end()));
        wchar_t* text = nullptr;
        ASSERT_TRUE(VerQueryValueW(copy.data(), (L"\\StringFileInfo\\040904B0\\" + key).c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_EQ(std::wstring(text), value);
        const size_t at = raw.find(key);
        EXPECT_GT(at, previous);  // in the listed order
        previous = at;
    }
}

struct Process {
    PROCESS_INFORMATION info{};
    ~Process() {
        if (info.hProcess) {
            TerminateProcess(info.hProcess, 99);  // only if a test failed half way
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

struct Search {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (pid == search->pid && IsWindowVisible(hwnd) && std::wstring(cls) == app::Form::kWindowClass) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD pid) {
    for (int tries = 0; tries < 200; ++tries) {
        Search search{pid};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

std::wstring ControlText(HWND form, int id) {
    wchar_t text[64] = {};
    SendMessageW(GetDlgItem(form, app::Form::kFirstControlId + id), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(Executable, StartsComputesAndEndsWithExitCodeZero) {
    std::wstring command = L"\"" + ExecutablePath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    Process process;
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process.info));
    HWND form = WaitForMainWindow(process.info.dwProcessId);
    ASSERT_NE(form, nullptr);
    wchar_t caption[128] = {};
    GetWindowTextW(form, caption, 128);
    EXPECT_STREQ(caption, L"Tarvex zamienników opon samochodowych v1.2 by ZELT");

    SendMessageW(GetDlgItem(form, app::Form::kFirstControlId + ui::form1::Przelicz), BM_CLICK, 0, 0);
    EXPECT_EQ(ControlText(form, ui::form1::srdnicaakt), L"385.8");
    EXPECT_EQ(ControlText(form, ui::form1::Label26), L"150");

    PostMessageW(GetDlgItem(form, app::Form::kFirstControlId + ui::form1::Command1), BM_CLICK, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.info.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process.info.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(form));
    CloseHandle(process.info.hProcess);
    CloseHandle(process.info.hThread);
    process.info = {};
}

}  // namespace

// Starts Windows programs and times them from the outside, for scripts/bench.sh:
//
//   launch_probe startup RUNS  LABEL EXE CLASS CAPTION  [LABEL EXE CLASS CAPTION ...]
//     per run and program: "startup LABEL VISIBLE_MS READY_MS", the programs taking
//     turns so that a change in machine load hits them alike.
//   launch_probe click CLICKS  BUTTON ENTRIES  LABEL EXE CLASS CAPTION  [LABEL EXE CLASS CAPTION ...]
//     starts each program in turn, selects ENTRIES (comma-separated, "-" for none) in
//     its window's combo boxes (in control-id order) and clicks BUTTON once to check it
//     works: "boxes LABEL [TEXT] ..."; then clicks CLICKS more times, the programs
//     taking turns click by click; per program "click LABEL N MEAN_US MEDIAN_US MAX_US",
//     then "roundtrip LABEL N MEAN_US" for as many WM_NULL messages to the button:
//     what any cross-process message pays.
//
// VISIBLE is process creation to the main window being visible; READY adds the
// first reply of the window's thread after that, i.e. the program has finished
// its start-up work and is taking messages. "\uXXXX" in an argument stands for
// that character, so command lines stay ASCII whatever locale Wine converts them with.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "forms/window.h"
#include "launch.h"

namespace {

using namespace bench;

int Startup(int runs, const std::vector<Target>& targets) {
    // One unrecorded round first: Wine maps its DLLs on the first start.
    for (int run = -1; run < runs; ++run) {
        for (const Target& target : targets) {
            Launched launched;
            if (!Launch(target, launched)) return 1;
            End(launched);
            if (run >= 0) {
                std::wprintf(L"startup %ls %.3f %.3f\n", target.label.c_str(), launched.visibleMs,
                             launched.readyMs);
                std::fflush(stdout);
            }
            Sleep(200);  // let the closed window's teardown finish outside the clock
        }
    }
    return 0;
}

struct Child {
    HWND hwnd;
    int id;
    std::wstring windowClass;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<Child>*>(param)->push_back({hwnd, GetDlgCtrlID(hwnd), ClassOf(hwnd)});
    return TRUE;
}

// A message box of the program (class #32770): what a failed click shows.
struct DialogSearch {
    DWORD processId;
    std::wstring text;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || ClassOf(hwnd) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
    search->text = forms::Window(hwnd).Text();
    std::vector<Child> children;
    EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (const Child& c : children) {
        if (_wcsicmp(c.windowClass.c_str(), L"Static") == 0) search->text += L": " + forms::Window(c.hwnd).Text();
    }
    return FALSE;
}

bool Click(forms::Window button) { return SendWithin(button, BM_CLICK, 5000); }

// One program being clicked: its window's button and boxes, and the times taken.
struct Clicked {
    Target target;
    Launched launched;
    forms::Window button;
    std::vector<forms::Window> boxes;
    std::vector<double> times;
};

// Starts the program, selects the entries and clicks once, which shows whether
// clicking works at all (a message box would block it).
bool Prepare(Clicked& c, const std::wstring& buttonText, const std::vector<std::wstring>& entries) {
    if (!Launch(c.target, c.launched)) return false;
    std::vector<Child> children;
    EnumChildWindows(c.launched.window, CollectChild, reinterpret_cast<LPARAM>(&children));
    // Stable: a drop-down combo's own edit box has the same id in every combo.
    std::stable_sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.id < b.id; });
    std::vector<forms::Combo> combos;
    for (const Child& child : children) {
        const forms::Window w(child.hwnd);
        if (_wcsicmp(child.windowClass.c_str(), L"Button") == 0 && w.Text() == buttonText) c.button = w;
        if (_wcsicmp(child.windowClass.c_str(), L"ComboBox") == 0) combos.push_back(child.hwnd);
        if (_wcsicmp(child.windowClass.c_str(), L"Edit") == 0) c.boxes.push_back(w);
    }
    if (!c.button) {
        std::fwprintf(stderr, L"%ls: no button \"%ls\"\n", c.target.label.c_str(), buttonText.c_str());
        return false;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const int index = i < combos.size() ? combos[i].Find(entries[i]) : CB_ERR;
        if (index == CB_ERR || !combos[i].Select(index)) {
            std::fwprintf(stderr, L"%ls: cannot select \"%ls\" in combo box %u\n", c.target.label.c_str(),
                          entries[i].c_str(), static_cast<unsigned>(i + 1));
            return false;
        }
    }
    if (!Click(c.button)) {
        DialogSearch search{c.launched.process.dwProcessId, L"(none found)"};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        std::fwprintf(stderr, L"%ls: the click did not return; message box: %ls\n", c.target.label.c_str(),
                      search.text.c_str());
        return false;
    }
    std::wprintf(L"boxes %ls", c.target.label.c_str());
    for (forms::Window box : c.boxes) std::wprintf(L" [%ls]", box.Text().c_str());
    std::wprintf(L"\n");
    return true;
}

// The programs take turns click by click, so that a change in machine load hits them alike.
int Clicks(int clicks, std::vector<Clicked>& programs, const std::wstring& buttonText,
           const std::vector<std::wstring>& entries) {
    int status = 0;
    for (Clicked& c : programs) {
        if (status == 0 && !Prepare(c, buttonText, entries)) status = 1;
    }
    for (int i = 0; i < clicks && status == 0; ++i) {
        for (Clicked& c : programs) {
            const double before = NowMs();
            if (!Click(c.button)) {
                std::fwprintf(stderr, L"%ls: click %d did not return\n", c.target.label.c_str(), i + 1);
                status = 1;
                break;
            }
            c.times.push_back(NowMs() - before);
        }
    }
    for (Clicked& c : programs) {
        if (status == 0) {
            double total = 0;
            for (double t : c.times) total += t;
            std::sort(c.times.begin(), c.times.end());
            std::wprintf(L"click %ls %d %.1f %.1f %.1f\n", c.target.label.c_str(), clicks, total * 1000 / clicks,
                         c.times[c.times.size() / 2] * 1000, c.times.back() * 1000);
            // What any message to that window costs, for comparison.
            const double nullStart = NowMs();
            for (int i = 0; i < clicks; ++i) SendWithin(c.button, WM_NULL, 5000);
            std::wprintf(L"roundtrip %ls %d %.1f\n", c.target.label.c_str(), clicks,
                         (NowMs() - nullStart) * 1000 / clicks);
        }
        End(c.launched);
    }
    return status;
}

int Usage() {
    std::fwprintf(stderr,
                  L"usage: launch_probe startup RUNS LABEL EXE CLASS CAPTION [LABEL EXE CLASS CAPTION ...]\n"
                  L"       launch_probe click CLICKS BUTTON ENTRIES LABEL EXE CLASS CAPTION"
                  L" [LABEL EXE CLASS CAPTION ...]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    const std::wstring mode = argv[1];
    const int count = _wtoi(argv[2]);
    if (count <= 0) return Usage();
    std::vector<std::wstring> args;
    for (int i = 3; i < argc; ++i) args.push_back(Unescape(argv[i]));

    if (mode == L"startup") {
        if (args.empty() || args.size() % 4 != 0) return Usage();
        std::vector<Target> targets;
        for (size_t i = 0; i < args.size(); i += 4) targets.push_back({args[i], args[i + 1], args[i + 2], args[i + 3]});
        return Startup(count, targets);
    }
    if (mode == L"click") {
        if (args.size() < 6 || args.size() % 4 != 2) return Usage();
        std::vector<std::wstring> entries;
        for (size_t start = 0; args[1] != L"-" && start <= args[1].size();) {
            const size_t comma = std::min(args[1].find(L',', start), args[1].size());
            entries.push_back(args[1].substr(start, comma - start));
            start = comma + 1;
        }
        std::vector<Clicked> programs;
        for (size_t i = 2; i < args.size(); i += 4)
            programs.push_back({{args[i], args[i + 1], args[i + 2], args[i + 3]}, {}, {}, {}, {}});
        return Clicks(count, programs, args[0], entries);
    }
    return Usage();
}

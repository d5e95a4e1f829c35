#pragma once
// Thin, non-owning views of a window and of a combo box. Each method is one call of the
// API it is named after; texts go through WM_GETTEXT, so they read another process's
// controls as well as this one's. Header-only and free of the runtime, so that the
// program, its tests and the bench tools all use the same few lines.

#include <windows.h>

#include <string>
#include <string_view>

namespace forms {

class Window {
public:
    Window(HWND hwnd = nullptr) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(hwnd_, message, wParam, lParam);
    }
    std::wstring Text() const {
        std::wstring text(static_cast<size_t>(Send(WM_GETTEXTLENGTH)) + 1, L'\0');
        text.resize(static_cast<size_t>(Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    bool SetText(std::wstring_view text) const { return SetWindowTextW(hwnd_, std::wstring(text).c_str()); }
    Window Child(int id) const { return GetDlgItem(hwnd_, id); }
    bool Visible() const { return IsWindowVisible(hwnd_); }
    HFONT Font() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT)); }
    void Click() const { Send(BM_CLICK); }
    RECT Rect() const {  // on the screen
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return r;
    }
    RECT Place() const {  // in the parent's client area
        RECT r = Rect();
        MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    RECT Client() const {
        RECT r{};
        GetClientRect(hwnd_, &r);
        return r;
    }

private:
    HWND hwnd_;
};

class Combo : public Window {
public:
    using Window::Window;
    Combo(Window w) : Window(w) {}
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }  // -1: none
    bool Select(int index) const { return Send(CB_SETCURSEL, static_cast<WPARAM>(index)) == index; }
    int Find(std::wstring_view entry) const {
        return static_cast<int>(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(std::wstring(entry).c_str())));
    }
    // False when there is no such entry.
    bool Entry(int index, std::wstring& text) const {
        const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length == CB_ERR) return false;
        text.assign(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        if (copied == CB_ERR) return false;
        text.resize(static_cast<size_t>(copied));
        return true;
    }
    Window Field() const { return Info().hwndItem; }  // the edit the user types in
    Window List() const { return Info().hwndList; }

private:
    COMBOBOXINFO Info() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(hwnd(), &info);
        return info;
    }
};

}  // namespace forms

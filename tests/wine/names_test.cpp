// What a screen reader says for each box and button: the label just before it, or the
// name the program gives it, or a button's own caption.

#include <oleacc.h>

#include <algorithm>

#include "harness.h"

namespace tarvex_test {
namespace {

std::wstring Trimmed(std::wstring_view text) { return std::wstring(text.substr(0, text.find_last_not_of(L' ') + 1)); }

// The name the accessibility layer gives a control; empty when it has none.
std::wstring SpokenName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return L"";
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF: 0
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(self, &name) == S_OK && name) text = name;
    SysFreeString(name);
    object->Release();
    return text;
}

// Wine 8's accessibility layer takes names given to windows but does not keep them.
bool NamesAreKept() {
    app::ComRef<IAccPropServices> services;
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(services.put()));
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool kept = services.get() && services->SetHwndPropStr(probe, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                                   PROPID_ACC_NAME, L"x") == S_OK;
    DestroyWindow(probe);
    return kept;
}

using Names = ProgramTest;

TEST_F(Names, EveryBoxButtonAndResultHasANameAScreenReaderCanRead) {
    const bool kept = NamesAreKept();
    const std::pair<app::FormRef*, const app::FormDesc*> forms[] = {
        {&program_.Form1, &ui::kForm1}, {&program_.Form2, &ui::kForm2}, {&program_.Form3, &ui::kForm3}};
    for (const auto& [ref, desc] : forms) {
        app::Form& form = ref->get();
        form.Show();
        for (const app::ControlDesc& c : desc->controls) {
            const bool focusable = std::ranges::find(desc->tabOrder, c.id) != desc->tabOrder.end();
            if (!focusable && c.spokenName.empty()) continue;
            SCOPED_TRACE(testing::Message() << "control " << c.id);
            const HWND h = form.control(c.id);
            const auto caption = std::ranges::find(desc->controls, c.id, &app::ControlDesc::captionOf);
            if (caption != desc->controls.end()) {
                // Named by the label that comes just before it.
                EXPECT_EQ(GetWindow(h, GW_HWNDPREV), form.control(caption->id));
                if (c.kind == app::Kind::TextBox) {
                    EXPECT_EQ(Trimmed(SpokenName(h)), Trimmed(caption->text));
                }
            } else if (!c.spokenName.empty()) {
                if (kept) {
                    EXPECT_EQ(SpokenName(h), c.spokenName);
                }
            } else {
                ASSERT_EQ(c.kind, app::Kind::Button) << "nothing names it";
                EXPECT_EQ(SpokenName(h), c.text);
            }
        }
    }
}

}  // namespace
}  // namespace tarvex_test

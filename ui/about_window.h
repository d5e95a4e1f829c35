#pragma once
// Form2, the About window: title, version, status, author and contact.

#include "design/form_api.h"
#include "design/form_desc.h"

namespace ui {

namespace form2 {
enum Control : int {
    Label1, Label2, Label5, Label6, Label10, Label3, Label7, Label4, Label8, Label9, Command201,
    kControlCount
};
}  // namespace form2

extern const forms::FormDesc kForm2;

void Command201_Click(forms::Controls& form);  // "Zamknij": hides the window

}  // namespace ui

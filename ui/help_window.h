#pragma once
// Form3, the Help window: what the program is for and how to use it.

#include "design/form_api.h"
#include "design/form_desc.h"

namespace ui {

namespace form3 {
enum Control : int { Label1_1, Label2, Label3, Label1_0, Label4, Command301, kControlCount };
}  // namespace form3

extern const forms::FormDesc kForm3;

void Command301_Click(forms::Controls& form);  // "Zamknij ": hides the window

}  // namespace ui

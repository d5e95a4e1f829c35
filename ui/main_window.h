#pragma once
// Form1, the main window: the two tyre sizes, the INFO results, the speed table, the four
// buttons and the verdict on the new size.

#include "design/form_api.h"
#include "design/form_desc.h"

namespace ui {

namespace form1 {
// One enumerator per control, named as in the designer; "_N" is an element of a
// control array (Label27_3 is Label27, element 3).
enum Control : int {
    Label1, szerokosclabel2, Label3, Label4, Combo1, Combo2, Combo3, Text1, Text2, Text3,
    Label2, Label5, Label6, Label7, Combo4, Combo5, Combo6, Text4, Text5, Text6,
    Label8,
    Label9, srdnicaakt, Label28_0,
    Label10, srednicanew, Label28_2,
    Label11, roznica, Label28_1,
    blad, procentbl, Label29,
    Label14, Label13,
    Label15, Label27_0, Label21_1, Label27_4,
    Label16, Label27_2, Label22, Label27_3,
    Label17, Label27_1, Label23, Label27_10,
    Label18, Label27_7, Label24, Label27_9,
    Label19, Label27_6, Label25, Label27_8,
    Label20, Label27_5, Label26, Label27_11,
    Przelicz, Command2, Command3, Command1,
    Label30, Label31, Label32, Label33, Label34,  // the verdict: heading, three lines, reminder
    kControlCount
};
}  // namespace form1

extern const forms::FormDesc kForm1;

void Przelicz_Click(forms::Controls& form);  // compares the two sizes
void Command1_Click(forms::Controls& form);  // "Zakończ"
void Command2_Click(forms::Controls& form);  // "O programie ..."
void Command3_Click(forms::Controls& form);  // "Pomoc"

}  // namespace ui

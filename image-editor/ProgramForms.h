// The making of the program's forms.
#pragma once

// Makes the main form and every dialog of the program, each owned by the
// application and living to the end, in the order in which they count on
// one another: the main form first, as the dialogs read its settings and
// pictures when they are made.
void CreateProgramForms();

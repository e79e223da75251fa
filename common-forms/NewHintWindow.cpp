#include "NewHintWindow.h"

#include "Zelvani.h"

TNewHintWindow::TNewHintWindow() {
    ShortString name;
    ZvGetFontName(name);
    forms::TFont font;
    font.SetName(name.str());
    font.SetSize(8);
    font.SetColor(Canvas().Font.Color());
    Canvas().Font.Assign(font);
}

void UseSystemHints() {
    forms::Application->SetHintWindowClass<TNewHintWindow>();
    forms::Application->HintPause = 500;
    forms::Application->HintHidePause = 10000;
}

#include "Main.h"

using namespace forms;

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmMain", .Caption = "Zelvani Mirolux", .Left = 40, .Top = 30, .ClientWidth = 760,
              .ClientHeight = 540, .BorderStyle = bsSizeable});
    EndDescription();
}

#include "Color2.h"

using namespace forms;

namespace {

const TColorForm::TNamedColor kPalette[] = {
    {"Black", 0x000000}, {"Dark Red", 0x000080}, {"Dark Yellow", 0x008080},  {"Green", 0x008000},
    {"Teal", 0x808000},  {"Dark Blue", 0x800000}, {"Violet", 0x800080},      {"Gray-50%", 0x808080},
    {"White", 0xFFFFFF}, {"Red", 0x0000FF},      {"Yellow", 0x00FFFF},      {"Bright Green", 0x00FF00},
    {"Turquoise", 0xFFFF00}, {"Blue", 0xFF0000}, {"Pink", 0xFF00FF},        {"Gray-25%", 0xC0C0C0},
};

}  // namespace

TfrmColor2::TfrmColor2(TComponent* AOwner) : TColorForm(AOwner) {
    Describe({.Name = "frmColor2", .Caption = "Colors", .ClientWidth = 341, .ClientHeight = 238,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .FontName = "MS Sans Serif", .FontSize = 8, .OnShow = Handler(&TfrmColor2::Form_Show)});
    AddStandardPage(192);
    AddPalette(kPalette, 16);
    AddNumberFields(tabStandard, 88);
    AddSwatchAndButtons(206);
    EndDescription();
}

void TfrmColor2::Form_Show(TComponent*) {
    ApplyLook();
    NewColor = CurrentColor;
    UpdateColor(FromColor);
    txtStandardColor->SetFocus();
}

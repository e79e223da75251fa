#include "StartupDialog.h"

#include "DialogLook.h"
#include "Main.h"
#include "RegData.h"
#include "Startup.h"

using namespace forms;

TfrmStartup* frmStartup = nullptr;
TRadioButton* StartupButtons[5];

namespace {

struct Choice {
    TPaintBox* TfrmStartup::*Picture;
    TRadioButton* TfrmStartup::*Button;
    const char* PictureName;
    const char* Name;
    const char* Caption;
    const char* Hint;
};
const Choice kChoices[] = {
    {&TfrmStartup::picNew, &TfrmStartup::optNew, "picNew", "optNew", "&Create a new blank screen",
     "Creates a new blank screen using the default settings"},
    {&TfrmStartup::picOpen, &TfrmStartup::optOpen, "picOpen", "optOpen", "&Open an existing screen",
     "Opens an existing screen so that you can edit or show it"},
    {&TfrmStartup::picCaptureTheme, &TfrmStartup::optCaptureTheme, "picCaptureTheme", "optCaptureTheme", "Display capture &themes",
     "Displays the Capture Themes dialog box"},
    {&TfrmStartup::picScreenCapture, &TfrmStartup::optScreenCapture, "picScreenCapture", "optScreenCapture", "Display &screen capture dialog",
     "Displays the Screen Capture dialog box"},
};

}  // namespace

TfrmStartup::TfrmStartup(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmStartup", .ClientWidth = 334, .ClientHeight = 214, .BorderStyle = bsDialog,
              .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnCreate = Handler(&TfrmStartup::Form_Create)});
    Add(lblWhat, {.Name = "lblWhat", .Left = 8, .Top = 8, .Caption = "What do you want to do?"});
    int tag = 0;
    for (const Choice& c : kChoices) {
        ++tag;
        Add(this->*c.Picture, {.Name = c.PictureName, .Left = 16, .Top = 28 + 40 * (tag - 1), .Width = 32, .Height = 32,
                               .Hint = c.Hint, .Tag = tag, .OnDblClick = Handler(&TfrmStartup::optStartup_DblClick)});
        (this->*c.Picture)->OnPaint = Handler(&TfrmStartup::picPicture_Paint);
        // A picture is clicked when the left button comes up on it.
        (this->*c.Picture)->OnMouseUp = [this](TComponent* Sender, TMouseButton Button, WPARAM, int, int) {
            if (Button == mbLeft) picPicture_Click(Sender);
        };
        Add(this->*c.Button, {.Name = c.Name, .Left = 56, .Top = 36 + 40 * (tag - 1), .Width = 184, .Height = 17,
                              .Caption = c.Caption, .Hint = c.Hint, .Tag = tag,
                              .OnDblClick = Handler(&TfrmStartup::optStartup_DblClick)});
    }
    Add(chkDontShow, {.Name = "chkDontShow", .Left = 8, .Top = 190, .Width = 236, .Height = 17,
                      .Caption = "&Don't show this dialog box again",
                      .Hint = "Select if you don't want to see this dialog box the next time you start Zelvani "
                              "Mirolux"});
    Add(cmdOK, {.Name = "cmdOK", .Left = 251, .Top = 28, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmStartup::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 251, .Top = 60, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TfrmStartup::cmdCancel_Click)});
    EndDescription();
}

void TfrmStartup::Form_Create(TComponent*) {
    StartupButtons[1] = optNew;
    StartupButtons[2] = optOpen;
    StartupButtons[3] = optCaptureTheme;
    StartupButtons[4] = optScreenCapture;
    SetCaption(ProgramTitle);
    ApplyDialogLook(*this);
    // The stored choice shows checked even where it cannot be chosen now.
    StartupButtons[Startup + 1]->SetChecked(true);
    optCaptureTheme->SetEnabled(false);
    picCaptureTheme->SetEnabled(false);
}

void TfrmStartup::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    for (int tag = 1; tag <= 4; ++tag)
        if (StartupButtons[tag]->Checked()) Startup = tag - 1;
    SetOption(OptStartupDialog, !chkDontShow->Checked());
    ModalResult = mrOk;
}

void TfrmStartup::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

void TfrmStartup::optStartup_DblClick(TComponent*) { cmdOK_Click(cmdOK); }

void TfrmStartup::picPicture_Click(TComponent* Sender) {
    TRadioButton* button = StartupButtons[Sender->Tag];
    button->SetChecked(true);
    button->SetFocus();
}

// The pictures of the choices are the main window's common pictures 2 to 5.
void TfrmStartup::picPicture_Paint(TComponent* Sender) {
    auto* picture = static_cast<TPaintBox*>(Sender);
    frmMain->imlCommon->Draw(picture->Canvas(), 0, 0, picture->Tag + 1, picture->Enabled());
}

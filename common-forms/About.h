// The about box: a white borderless panel on which the logo, the copyright
// lines and the information lines appear one after another, then the
// version text, which keeps cycling through the colour wheel's colours.
#pragma once
#include "Forms.h"
#include "Timer.h"
#include "ToolBar.h"

class TfrmAbout : public forms::TForm {
public:
    explicit TfrmAbout(forms::TComponent* AOwner);

    forms::TImage* picBoard = nullptr;
    forms::TImage* picLogo = nullptr;
    forms::TLabel* lblVersion = nullptr;
    forms::TImage* picVersion = nullptr;
    forms::TLabel* lblCopyright = nullptr;
    forms::TLabel* lblAllRights = nullptr;
    forms::TLabel* lblUserName = nullptr;
    forms::TLabel* lblCompanyName = nullptr;
    forms::TLabel* lblWarning = nullptr;
    forms::TImageList* imlDummy = nullptr;
    forms::TToolBar* tlbMain = nullptr;
    forms::TToolButton* tlnOK = nullptr;
    forms::TTimer* tmrShow = nullptr;
    forms::TTimer* tmrVersion = nullptr;

    // Keeps a copy of the logo, so that the caller's picture may go; nullptr
    // leaves the box without one.
    void SetLogo(forms::TGraphic* Logo);
    // Animated: the steps come 800 ms apart, the lines are typed, the
    // version fades in and then cycles through the colours. Otherwise every
    // step follows at once and the texts appear whole.
    void SetAnimate(bool Value);

    void Form_Show(forms::TComponent* Sender);
    void Form_KeyPress(forms::TComponent* Sender, char& Key);
    void tlnOKClick(forms::TComponent* Sender);
    void tmrShow_Timer(forms::TComponent* Sender);
    void tmrVersion_Timer(forms::TComponent* Sender);

private:
    enum TManner { AtOnce, Typed, FadedIn };
    // Draws the label's text onto Surface at (X, Y) in the manner given;
    // false when the box was closed meanwhile.
    bool DrawLabel(forms::TImage* Surface, forms::TLabel* Label, int X, int Y, TManner Manner);
    void PaintText(forms::TImage* Surface, forms::TLabel* Label, int X, int Y, const std::string& Text,
                  forms::TColor Color);
    // Waits Ms milliseconds handling the messages that come; false as soon
    // as the box has been closed.
    bool Pause(int Ms);
    bool Closing() const { return ModalResult != forms::mrNone; }
    void DrawFrames();

    bool FAnimate = true;
    int FStep = 0;
    int FColorState = 0;
    forms::TColor FVersionColor = 0;
};

// The system's message box: a modal form built for the call from a text, a
// caption, an icon and one to three buttons with free captions, and the box
// that shows the text of the last Windows error.
#include <memory>
#include <string>

#include "ComState.h"
#include "Forms.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

namespace {

LPCSTR SystemIconOf(int Icon) {
    switch (Icon) {
    case zvIconStop: return IDI_HAND;
    case zvIconQuestion: return IDI_QUESTION;
    case zvIconExclamation: return IDI_EXCLAMATION;
    case zvIconInformation: return IDI_ASTERISK;
    default: return nullptr;
    }
}

constexpr int kTextLeft = 62;
constexpr int kMargin = 15;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 25;

class TfrmMessage : public TForm {
public:
    TImage* picIcon = nullptr;
    TLabel* lblText = nullptr;
    TButton* cmdButton[3] = {};

    TfrmMessage(const std::string& Text, const std::string& Caption, int DefaultButton, int Icon,
                const std::string Buttons[3])
        : TForm(Application) {
        ShortString fontName;
        ZvGetFontName(fontName);
        Describe({.Name = "frmMessage",
                  .Caption = Caption.empty() ? zvcom::ProductTitle.str() : Caption,
                  .BorderStyle = bsDialog,
                  .BorderIcons = biSystemMenu,
                  .Position = poScreenCenter,
                  .FontName = fontName.str(),
                  .FontSize = 8});
        Add(picIcon, {.Name = "picIcon", .Left = kMargin, .Top = kMargin, .Width = kIconSize, .Height = kIconSize});
        if (LPCSTR icon = SystemIconOf(Icon)) picIcon->Picture.SetIcon(LoadIconA(nullptr, icon), false);

        // The text wraps at half the screen width, a word longer than that
        // (a long path) as well, so that the box stays on the screen; the
        // box grows to fit it.
        RECT r = {0, 0, Screen.Width() / 2, 0};
        DrawTextA(Canvas().Handle(), Text.c_str(), -1, &r, DT_CALCRECT | WrappedTextFlags);
        const int w = r.right, h = r.bottom;
        Add(lblText, {.Name = "lblText", .Left = kTextLeft, .Top = kMargin, .Width = w, .Height = h,
                      .Caption = Text, .AutoSize = false, .WordWrap = true});
        SetWidth(std::max(kTextLeft + w + 30, 300));

        const int top = h > kIconSize ? kMargin + h + kMargin : kMargin + kIconSize + kMargin;
        const int count = Buttons[1].empty() ? 1 : Buttons[2].empty() ? 2 : 3;
        const int c = ClientWidth() / 2;
        static const int kLefts[3][3] = {{-42}, {-87, 3}, {-132, -42, 48}};
        static const char* const kNames[3] = {"cmdButton1", "cmdButton2", "cmdButton3"};
        for (int i = 0; i < count; ++i)
            Add(cmdButton[i], {.Name = kNames[i], .Left = c + kLefts[count - 1][i], .Top = top,
                               .Width = kButtonWidth, .Height = kButtonHeight, .Caption = Buttons[i],
                               // The last button answers Escape.
                               .Cancel = i == count - 1, .ModalResult = i + 1});

        // The button that opens with the focus (tab order 0) answers Enter.
        // A number that names no shown button leaves the first one there.
        if (DefaultButton == 2 && count >= 2) {
            cmdButton[1]->SetTabOrder(0);
            if (count == 3) cmdButton[2]->SetTabOrder(1);
        } else if (DefaultButton == 3 && count == 3) {
            cmdButton[2]->SetTabOrder(0);
        }
        SetClientSize(ClientWidth(), top + kButtonHeight + 8);
        EndDescription();
    }
};

}  // namespace

ZVCOM_API int WINAPI ZvMessageBox(const ShortString& Text, const ShortString& Caption, int DefaultButton, int Icon,
                                  const ShortString& Button1, const ShortString& Button2,
                                  const ShortString& Button3) {
    const std::string buttons[3] = {Button1.str(), Button2.str(), Button3.str()};
    // Should the box itself fail, the answer is that of its cancel button,
    // the one that changes nothing.
    const int cancel = buttons[1].empty() ? 1 : buttons[2].empty() ? 2 : 3;
    return Guarded(cancel, [&] {
        auto box = std::make_unique<TfrmMessage>(Text.str(), Caption.str(), DefaultButton, Icon, buttons);
        MessageBeep(static_cast<UINT>(Icon));
        return box->ShowModal();
    });
}

ZVCOM_API void WINAPI ZvDisplayMessage() {
    const DWORD error = GetLastError();
    SafeCall([&] {
        char text[256] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0x400, text,
                       255, nullptr);
        ZvMessageBox(ShortString(text), ShortString(), 1, zvIconStop, ShortString("OK"), ShortString(),
                     ShortString());
    });
}

#include "CapturePanels.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <tuple>

#include "Autosizer.h"
#include "DialogParts.h"
#include "FileSettings.h"
#include "ZvColor.h"
#include "ZvCom.h"

using namespace forms;

namespace {

constexpr int kPanelWidth = 280, kPanelHeight = 60;
constexpr const char* kSecondsHint = "Specifies the number of seconds before capturing";

// A whole number typed into an edit; false for an empty text or one that is
// not all digits (a minus sign only in front).
bool ParseNumber(const std::string& Text, int& Value) {
    size_t i = Text.size() > 0 && Text[0] == '-' ? 1 : 0;
    if (i == Text.size() || Text.size() - i > 9) return false;
    for (size_t k = i; k < Text.size(); ++k)
        if (Text[k] < '0' || Text[k] > '9') return false;
    Value = std::atoi(Text.c_str());
    return true;
}

int NumberOr0(const TEdit* Edit) {
    int value = 0;
    return ParseNumber(Edit->Text(), value) ? value : 0;
}

// The number of a paste-to item: the three characters before its last one.
int ItemNumber(const std::string& Item) {
    return Item.size() >= 4 ? std::atoi(Item.substr(Item.size() - 4, 3).c_str()) : -1;
}

void Tell(const std::string& Text, const std::string& Caption) {
    ZvMessageBox(ShortString(Text), ShortString(Caption), 1, zvIconStop, ShortString("OK"), ShortString(""),
                 ShortString(""));
}

}  // namespace

bool CheckCaptureFileName(const std::string& Name) {
    if (Name.empty()) {
        Tell("You must type a filename.", "Screen Capture");
        return false;
    }
    for (unsigned char c : Name)
        if (c >= 32 && c <= 127 && std::string_view("\\/:?\"<>|").find(static_cast<char>(c)) != std::string::npos) {
            Tell("A filename cannot contain any of the following characters:\r\n\t\\ / : ? \" < > |",
                 "Screen Capture");
            return false;
        }
    if (std::count(Name.begin(), Name.end(), '*') > 1) {
        Tell("A filename cannot contain more than one *.", "Screen Capture");
        return false;
    }
    return true;
}

// ---- Building the panels -------------------------------------------------------

TEdit* TCapturePanelForm::AddEdit(TEdit*& Member, TLabel*& Label, TWinControl* Parent, const std::string& Name,
                                  const std::string& Caption, int Left, int Top, int LabelWidth, int Width,
                                  int MaxLength, int Tag) {
    Add(Label, {.Name = "lbl" + Name.substr(3), .Parent = Parent, .Left = Left, .Top = Top + 4, .Caption = Caption});
    Add(Member, {.Name = Name, .Parent = Parent, .Left = Left + LabelWidth, .Top = Top, .Width = Width, .Height = 21,
                 .Tag = Tag, .MaxLength = MaxLength},
        [this](TEdit& e) {
            e.OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txt_ContextPopup(s, p, h); };
        });
    Label->FocusControl = Member;
    return Member;
}

TUpDown* TCapturePanelForm::AddUpDown(TUpDown*& Member, TEdit* Edit, const std::string& Name, int Min, int Max,
                                      const std::string& Hint) {
    Add(Member, {.Name = Name, .Parent = Edit->Parent(), .Left = Edit->Left() + Edit->Width() - 16, .Top = Edit->Top(),
                 .Width = 16, .Height = Edit->Height(), .Hint = Hint, .TabStop = false,
                 .OnClick = Handler(&TCapturePanelForm::upd_Click)},
        [&](TUpDown& u) {
            u.Thousands = false;
            u.SetMin(Min);
            u.SetMax(Max);
            u.SetPosition(Min);
            u.SetAssociate(Edit);
        });
    return Member;
}

void TCapturePanelForm::AddPanels(const PanelGroups& Groups, bool Full) {
    auto panel = [&](TPanel*& Member, TWinControl* Group, const char* Name) {
        Add(Member, {.Name = Name, .Parent = Group, .Left = Groups.Left, .Top = Groups.Top, .Width = kPanelWidth,
                     .Height = kPanelHeight, .Visible = false, .BevelOuter = bvNone});
    };
    if (Full)
        for (auto [pan, label1, label2, group, code] :
             {std::tuple{&pan10, &lbl10NoProp1, &lbl10NoProp2, Groups.When, "10"},
              std::tuple{&pan20, &lbl20NoProp1, &lbl20NoProp2, Groups.What, "20"},
              std::tuple{&pan30, &lbl30NoProp1, &lbl30NoProp2, Groups.Then, "30"}}) {
            const std::string name = code;
            panel(*pan, group, ("pan" + name).c_str());
            Add(*label1, {.Name = "lbl" + name + "NoProp1", .Parent = *pan, .Top = 12, .Width = kPanelWidth,
                          .Height = 13, .Caption = "No properties for", .AutoSize = false, .Alignment = taCenter});
            Add(*label2, {.Name = "lbl" + name + "NoProp2", .Parent = *pan, .Top = 30, .Width = kPanelWidth,
                          .Height = 13, .AutoSize = false, .ShowAccelChar = false, .Alignment = taCenter});
        }

    // When: the delay, the shortcut key, the click on the icon.
    panel(pan11, Groups.When, "pan11");
    AddSecondsControls(pan11, "&Seconds:", 60);
    panel(pan12, Groups.When, "pan12");
    AddShortcutControls(pan12, 4);
    panel(pan13, Groups.When, "pan13");
    AddClickControls(pan13, {"Left clic&k", "Rig&ht click", "Left &double click"}, 150);
    for (TRadioButton* click : {opt13Click1, opt13Click2, opt13Click3})
        click->OnDblClick = Handler(&TCapturePanelForm::opt_DblClick);

    // What: the area with its autosizer, the cursor's background.
    panel(pan21, Groups.What, "pan21");
    AddAreaControls(pan21, {"&Left:", "&Right:", "To&p:", "&Bottom:"}, {206, 0});
    panel(pan22, Groups.What, "pan22");
    // The swatch and its button stand clear of the caption's end.
    AddColorControls(pan22, "Background color:", {100, 0}, {158, 0});

    // Then: the picture to paste to, the printer, the file name.
    panel(pan31, Groups.Then, "pan31");
    Add(pan31Area, {.Name = "pan31Area", .Parent = pan31, .Width = kPanelWidth, .Height = kPanelHeight,
                    .BevelOuter = bvNone});
    Add(opt31PasteTo, {.Name = "opt31PasteTo", .Parent = pan31Area, .Top = 2, .Width = 80, .Height = 17,
                       .Caption = "Past&e to:", .Hint = "Pastes the captured screen to an existing picture",
                       .OnClick = Handler(&TCapturePanelForm::opt31_Click),
                       .OnDblClick = Handler(&TCapturePanelForm::opt_DblClick)});
    Add(cbo31PasteTo, {.Name = "cbo31PasteTo", .Parent = pan31Area, .Left = 84, .Width = 190,
                       .Hint = "Specifies which picture to be pasted"},
        [this](TComboBox& c) {
            c.Sorted = true;
            c.DropDownCount = 6;
            c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                cbo31PasteTo_DrawItem(s, cv, i, r, st);
            };
        });
    Add(opt31PasteAsNew, {.Name = "opt31PasteAsNew", .Parent = pan31Area, .Top = 28, .Width = 120, .Height = 17,
                          .Caption = "Paste as &new", .Hint = "Pastes the captured screen as a new picture",
                          .OnClick = Handler(&TCapturePanelForm::opt31_Click),
                          .OnDblClick = Handler(&TCapturePanelForm::opt_DblClick)});

    if (Full) {
        panel(pan32, Groups.Then, "pan32");
        Add(lbl32Printer, {.Name = "lbl32Printer", .Parent = pan32, .Top = 4, .Width = 190, .Height = 13,
                           .AutoSize = false, .ShowAccelChar = false});
        Add(cmd32Settings, {.Name = "cmd32Settings", .Parent = pan32, .Left = 200, .Width = 75, .Height = 25,
                            .Caption = "Setti&ngs...", .Hint = "Changes the active printer and its settings"});
    }

    panel(pan33, Groups.Then, "pan33");
    AddEdit(txt33Filename, lbl33Filename, pan33, "txt33Filename", "&Filename:", 0, 0, 52, 140, 48, 0);
    Add(cmd33Settings, {.Name = "cmd33Settings", .Parent = pan33, .Left = 200, .Width = 75, .Height = 25,
                        .Caption = "Setti&ngs...", .Hint = "Changes the screen file settings",
                        .OnClick = Handler(&TCapturePanelForm::cmd33Settings_Click)});

    imlChild = new TImageList(this);
    imlChild->SetName("imlChild");
}

void TCapturePanelForm::AddSecondsControls(TWinControl* Parent, const std::string& Caption, int LabelWidth) {
    AddEdit(txt11Seconds, lbl11Seconds, Parent, "txt11Seconds", Caption, 0, 0, LabelWidth, 40, 1, 0);
    txt11Seconds->Hint = kSecondsHint;
    txt11Seconds->OnKeyPress = [this](TComponent* s, char& k) { txt11Seconds_KeyPress(s, k); };
    txt11Seconds->OnExit = Handler(&TCapturePanelForm::txt11Seconds_Exit);
    AddUpDown(upd11Seconds, txt11Seconds, "upd11Seconds", 1, 9, kSecondsHint);
}

void TCapturePanelForm::AddShortcutControls(TWinControl* Parent, int LabelTop) {
    Add(lbl12Shortcut, {.Name = "lbl12Shortcut", .Parent = Parent, .Top = LabelTop, .Caption = "&Shortcut key:"});
    Add(hky12Shortcut, {.Name = "hky12Shortcut", .Parent = Parent, .Left = 76, .Width = 150, .Height = 21,
                        .Hint = "Defines a keyboard shortcut you press to capture screen"},
        [](THotKey& h) { h.SetRules(HKCOMB_NONE | HKCOMB_S | HKCOMB_A, scCtrl | scAlt); });
    lbl12Shortcut->FocusControl = hky12Shortcut;
}

void TCapturePanelForm::AddClickControls(TWinControl* Parent, const std::array<const char*, 3>& Captions,
                                         int Width) {
    TRadioButton** const members[] = {&opt13Click1, &opt13Click2, &opt13Click3};
    for (int i = 0; i < 3; ++i)
        Add(*members[i], {.Name = "opt13Click" + std::to_string(i + 1), .Parent = Parent, .Top = i * 18,
                          .Width = Width, .Height = 17, .Caption = Captions[static_cast<size_t>(i)]});
}

void TCapturePanelForm::AddAreaControls(TWinControl* Parent, const std::array<const char*, 4>& Captions,
                                        POINT Autosizer) {
    const int width = Screen.Width(), height = Screen.Height();
    for (auto [edit, label, updown, name, caption, left, tp, tag, maximum] :
         {std::tuple{&txt21Left, &lbl21Left, &upd21Left, "Left", Captions[0], 0, 0, 11, width - 2},
          std::tuple{&txt21Right, &lbl21Right, &upd21Right, "Right", Captions[1], 104, 0, 12, width - 1},
          std::tuple{&txt21Top, &lbl21Top, &upd21Top, "Top", Captions[2], 0, 26, 21, height - 2},
          std::tuple{&txt21Bottom, &lbl21Bottom, &upd21Bottom, "Bottom", Captions[3], 104, 26, 22, height - 1}}) {
        const std::string n = name;
        AddEdit(*edit, *label, Parent, "txt21" + n, caption, left, tp, 42, 56, 4, tag);
        (*edit)->OnKeyPress = [this](TComponent* s, char& k) { txt21_KeyPress(s, k); };
        (*edit)->OnExit = Handler(&TCapturePanelForm::txt21_Exit);
        AddUpDown(*updown, *edit, "upd21" + n, tag % 10 == 1 ? 0 : 1, maximum, "");
    }
    Add(cmd21Autosizer, {.Name = "cmd21Autosizer", .Parent = Parent, .Left = Autosizer.x, .Top = Autosizer.y,
                         .Width = 74, .Height = 25, .Caption = "&Autosizer...",
                         .Hint = "Specifies an exact window size and position",
                         .OnClick = Handler(&TCapturePanelForm::cmd21Autosizer_Click)});
}

void TCapturePanelForm::AddColorControls(TWinControl* Parent, const std::string& Caption, POINT Swatch,
                                         POINT Button) {
    Add(lbl22Color, {.Name = "lbl22Color", .Parent = Parent, .Top = 4, .Caption = Caption});
    Add(txt22Color, {.Name = "txt22Color", .Parent = Parent, .Left = Swatch.x, .Top = Swatch.y, .Width = 50,
                     .Height = 21, .Enabled = false, .TabStop = false},
        [](TEdit& e) { e.SetColor(clWhite); });
    Add(cmd22Color, {.Name = "cmd22Color", .Parent = Parent, .Left = Button.x, .Top = Button.y, .Width = 75,
                     .Height = 25, .Caption = "Ch&ange...", .Hint = "Changes the background color of the mouse cursor",
                     .OnClick = Handler(&TCapturePanelForm::cmd22Color_Click)});
}

int ListIndex(const ShortString& S, size_t Count) {
    const int index = CodedByte(S, 1);
    return index < static_cast<int>(Count) ? index : 0;
}

// ---- Loading and writing the coded strings ------------------------------------

void TCapturePanelForm::LoadWhen(const ShortString& When) {
    upd11Seconds->SetPosition(CodedByte(When, 2));
    TRadioButton* clicks[] = {opt13Click1, opt13Click2, opt13Click3};
    const int click = CodedByte(When, 3);
    for (int i = 0; i < 3; ++i) clicks[i]->SetChecked(i == click);
    hky12Shortcut->SetHotKey(static_cast<TShortCut>(CodedByte(When, 4) * 256 + CodedByte(When, 5)));
}

void TCapturePanelForm::LoadWhat(const ShortString& What) {
    const unsigned char* p = CodedBytes(What);
    auto two = [&](int Position) { return Position + 1 <= What.Length ? ReadTwoByte(p + Position - 1) : 0; };
    // The lower edges keep to their ranges; an upper edge below its lower
    // one takes the lower one's place.
    for (auto [low, high, at] : {std::tuple{upd21Left, upd21Right, 2}, std::tuple{upd21Top, upd21Bottom, 6}}) {
        low->SetPosition(two(at));
        const int upper = two(at + 2);
        high->SetPosition(upper < low->Position() ? low->Position() : upper);
    }
    SetSwatchColor(static_cast<TColor>(CodedByte(What, 10) + CodedByte(What, 11) * 256 + CodedByte(What, 12) * 65536));
}

void TCapturePanelForm::LoadFileName(const ShortString& Then) { txt33Filename->SetText(ThenFileName(Then)); }

ShortString TCapturePanelForm::WhenFromControls(int First) const {
    const int click = opt13Click1->Checked() ? 0 : opt13Click2->Checked() ? 1 : 2;
    const TShortCut key = hky12Shortcut->HotKey();
    const char bytes[] = {static_cast<char>(First), static_cast<char>(upd11Seconds->Position()),
                          static_cast<char>(click), static_cast<char>(key >> 8), static_cast<char>(key & 0xFF)};
    return ShortString(std::string_view(bytes, sizeof bytes));
}

ShortString TCapturePanelForm::WhatFromControls(int First) const {
    unsigned char bytes[12] = {static_cast<unsigned char>(First)};
    int at = 1;
    for (const TUpDown* u : {upd21Left, upd21Right, upd21Top, upd21Bottom}) {
        WriteTwoByte(bytes + at, u->Position());
        at += 2;
    }
    const int color = SwatchColor();
    bytes[9] = static_cast<unsigned char>(ZvRed(color));
    bytes[10] = static_cast<unsigned char>(ZvGreen(color));
    bytes[11] = static_cast<unsigned char>(ZvBlue(color));
    return ShortString(std::string_view(reinterpret_cast<const char*>(bytes), sizeof bytes));
}

ShortString TCapturePanelForm::ThenFromControls(int First, const ShortString& Old) const {
    return ComposeThen(First, opt31PasteTo->Checked() ? 0 : 1, Old, txt33Filename->Text());
}

TColor TCapturePanelForm::SwatchColor() const { return txt22Color->Color(); }
void TCapturePanelForm::SetSwatchColor(TColor Value) { txt22Color->SetColor(Value); }

void TCapturePanelForm::ShowPanel(TWinControl* Group, int Code, const std::string& Prefix) {
    char code[12];
    std::snprintf(code, sizeof code, "%02d", Code);
    for (TControl* c : Group->Controls())
        if (auto* p = dynamic_cast<TPanel*>(c)) {
            const std::string& name = p->Name();
            const bool ours = name.size() >= 2 && name.compare(name.size() - 2, 2, code) == 0;
            if (!ours) p->Hide();
        }
    if (auto* p = dynamic_cast<TPanel*>(FindComponent(Prefix + code))) p->Show();
}

bool TCapturePanelForm::CheckHotKey(const std::string& Caption) {
    // Modifiers without a key are no shortcut either: no key could fire it.
    if (!pan12->Visible() || (hky12Shortcut->HotKey() & 0xFF) != 0) return true;
    Tell("You have not specify a shortcut key.", Caption);
    hky12Shortcut->SetFocus();
    return false;
}

bool TCapturePanelForm::CheckFileNamePanel() {
    if (!pan33->Visible() || CheckCaptureFileName(txt33Filename->Text())) return true;
    txt33Filename->SetFocus();
    return false;
}

// ---- The paste-to list ---------------------------------------------------------

void TCapturePanelForm::AddChild(bool HasIcon, const std::string& Name, int Index, HICON Icon) {
    if (Icon)
        imlChild->AddIcon(Icon);
    else
        imlChild->Add(std::make_unique<TBitmap>());
    // Numbers past three columns could not be read back from the item.
    if (Index < 0 || Index > 999) return;
    char number[8];
    std::snprintf(number, sizeof number, "%3d", Index);
    cbo31PasteTo->Add(Name + number + (HasIcon ? "1" : "0"));
}

void TCapturePanelForm::DisableControl(const std::string& Name) {
    if (auto* c = dynamic_cast<TWinControl*>(FindComponent(Name))) c->SetEnabled(false);
}

void TCapturePanelForm::PreparePasteTo(int Child) {
    const auto& items = cbo31PasteTo->Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (ItemNumber(items[i]) == Child) {
            cbo31PasteTo->SetItemIndex(static_cast<int>(i));
            break;
        }
    if (items.empty()) {
        opt31PasteTo->SetEnabled(false);
        cbo31PasteTo->SetEnabled(false);
        cbo31PasteTo->SetColor(clBtnFace);
    }
}

bool TCapturePanelForm::SelectedChild(int& Child) const {
    const int index = cbo31PasteTo->ItemIndex();
    if (index < 0 || index >= static_cast<int>(cbo31PasteTo->Items().size())) return false;
    Child = ItemNumber(cbo31PasteTo->Items()[static_cast<size_t>(index)]);
    return true;
}

void TCapturePanelForm::LayOutPasteToCurrent(int Top) {
    opt31PasteTo->SetWidth(120);
    opt31PasteTo->SetCaption("Past&e to current");
    opt31PasteTo->Hint = "Pastes the captured screen to the current picture";
    opt31PasteAsNew->SetBounds(0, 20, 120, opt31PasteAsNew->Height());
    pan31Area->SetBounds(pan31Area->Left(), Top, pan31Area->Width(), 37);
    cbo31PasteTo->Hide();
}

void TCapturePanelForm::cbo31PasteTo_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect,
                                              UINT State) {
    if (State & ODS_DISABLED) {
        cbo31PasteTo->SetColor(clBtnFace);
        Canvas.Font.SetColor(clBtnShadow);
    } else {
        cbo31PasteTo->SetColor(clWindow);
    }
    if (Index < 0 || Index >= static_cast<int>(cbo31PasteTo->Items().size())) return;
    const std::string& item = cbo31PasteTo->Items()[static_cast<size_t>(Index)];
    const std::string name = item.substr(0, item.size() >= 4 ? item.size() - 4 : 0);
    Canvas.Brush.SetClear(true);
    if (!item.empty() && item.back() == '1') {
        imlChild->Draw(Canvas, Rect.left + 1, Rect.top, ItemNumber(item), true);
        Canvas.TextOut(Rect.left + 19, Rect.top + 1, name);
    } else {
        Canvas.TextOut(Rect.left + 2, Rect.top + 1, name);
    }
}

// ---- The handlers the panels share ---------------------------------------------

void TCapturePanelForm::txt11Seconds_KeyPress(TComponent*, char& Key) { zvscreen::KeepDigits(Key, '1'); }

void TCapturePanelForm::txt11Seconds_Exit(TComponent*) {
    const int seconds = std::clamp(NumberOr0(txt11Seconds), 1, 9);
    txt11Seconds->SetText(std::to_string(seconds));
    upd11Seconds->SetPosition(seconds);
}

void TCapturePanelForm::txt21_KeyPress(TComponent*, char& Key) { zvscreen::KeepDigits(Key); }

TUpDown* TCapturePanelForm::UpDownOf(TComponent* Edit) const {
    switch (Edit->Tag) {
    case 11: return upd21Left;
    case 12: return upd21Right;
    case 21: return upd21Top;
    default: return upd21Bottom;
    }
}

// The number is taken when the field is left (OK and Next take the focus
// first, so they read it too): a partner pushed on every keystroke would
// move for the first digit of a number meant to lie beyond it.
void TCapturePanelForm::txt21_Exit(TComponent* Sender) {
    auto* edit = static_cast<TEdit*>(Sender);
    TUpDown* updown = UpDownOf(Sender);
    updown->SetPosition(std::clamp(NumberOr0(edit), 0, updown->Max()));
    edit->SetText(std::to_string(updown->Position()));
    PushPartner(Sender->Tag, updown->Position());
}

// Left stays below Right and Top below Bottom: a lower edge at or past its
// partner pushes the partner one beyond it, and the other way round.
void TCapturePanelForm::PushPartner(int Tag, int Value) {
    const bool lower = Tag % 10 == 1;
    TUpDown* const partners[] = {upd21Right, upd21Left, upd21Bottom, upd21Top};
    TUpDown* partner = partners[(Tag / 10 - 1) * 2 + (lower ? 0 : 1)];
    if (lower && Value >= partner->Position()) partner->SetPosition(Value + 1);
    if (!lower && Value <= partner->Position()) partner->SetPosition(Value - 1);
}

void TCapturePanelForm::upd_Click(TComponent* Sender) {
    if (TEdit* edit = static_cast<TUpDown*>(Sender)->Associate()) edit->SetFocus();
}

void TCapturePanelForm::txt_ContextPopup(TComponent* Sender, POINT MousePos, bool& Handled) {
    ZvComEditMenu(static_cast<TEdit*>(Sender), MousePos.x, MousePos.y);
    Handled = true;
}

void TCapturePanelForm::opt_DblClick(TComponent*) {
    TButton* ok = OKButton();
    if (ok->Enabled()) ok->Click();
}

// The list is for "Paste to" only, and only while that can be chosen.
void TCapturePanelForm::opt31_Click(TComponent*) {
    cbo31PasteTo->SetEnabled(opt31PasteTo->Checked() && opt31PasteTo->Enabled());
}

void TCapturePanelForm::cmd21Autosizer_Click(TComponent*) {
    cmd21Autosizer->SetFocus();
    RECT area = {upd21Left->Position(), upd21Top->Position(), upd21Right->Position(), upd21Bottom->Position()};
    if (ShowAutosizer(area)) {
        upd21Left->SetPosition(area.left);
        upd21Right->SetPosition(area.right);
        upd21Top->SetPosition(area.top);
        upd21Bottom->SetPosition(area.bottom);
    }
    OKButton()->SetFocus();
}

void TCapturePanelForm::cmd22Color_Click(TComponent*) {
    cmd22Color->SetFocus();
    TColor color = SwatchColor();
    ZvShowColor(ShortString(ColorKey()), color);
    if (color != SwatchColor()) SetSwatchColor(color);
    OKButton()->SetFocus();
}

void TCapturePanelForm::cmd33Settings_Click(TComponent*) {
    cmd33Settings->SetFocus();
    if (!CheckCaptureFileName(txt33Filename->Text())) {
        txt33Filename->SetFocus();
        return;
    }
    ShortString& then = NumberingString();
    int digits = CodedByte(then, 3);
    bool depend = CodedByte(then, 4) == 1;
    if (ShowFileSettings(digits, depend) && then.Length >= 4) {
        CodedBytes(then)[2] = static_cast<unsigned char>(digits);
        CodedBytes(then)[3] = depend ? 1 : 0;
    }
    OKButton()->SetFocus();
}

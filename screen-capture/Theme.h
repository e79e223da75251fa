// The Capture Theme dialog: the list of named capture themes, in which the
// user adds, renames, edits and deletes themes and captures with one.
// Each name of the list has exactly one of the twenty slots, which holds
// the whole theme; a slot whose length is 0 is free.
#pragma once
#include <array>
#include <string>

#include "CaptureTheme.h"
#include "Forms.h"
#include "ListBox.h"

class TfrmTheme : public forms::TForm {
public:
    explicit TfrmTheme(forms::TComponent* AOwner);

    forms::TLabel* lblThemeList;
    forms::TListBox* lstThemeList;
    forms::TPanel* panButtons;
    forms::TButton *cmdCapture, *cmdCancel, *cmdAdd, *cmdRename, *cmdEdit, *cmdDelete;

    // Lists a theme the host stored, unless the list is full, the theme is
    // malformed or its name is empty or listed already.
    void AddTheme(const ShortString& Theme);
    // The theme at a list position (1 the first); empty outside the list.
    ShortString ThemeAt(int Index) const;
    int Count() const { return static_cast<int>(lstThemeList->Items().size()); }

    void Form_Show(forms::TComponent* Sender);
    void cmdAdd_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void cmdCapture_Click(forms::TComponent* Sender);
    void cmdDelete_Click(forms::TComponent* Sender);
    void cmdEdit_Click(forms::TComponent* Sender);
    void cmdRename_Click(forms::TComponent* Sender);
    void lstThemeList_Click(forms::TComponent* Sender);
    void lstThemeList_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                               UINT State);

private:
    // Asks for a name, Verb saying what for; empty when the user cancelled
    // or the name is listed already (the user has been told).
    std::string AskThemeName(const std::string& Verb, const std::string& Initial);
    void UpdateButtons(bool Changed);
    // The name of the selected item, or empty.
    std::string SelectedName() const;
    void SelectName(const std::string& Name);
    ShortString* SlotOf(const std::string& Name);
    const ShortString* SlotOf(const std::string& Name) const;
    ShortString* FreeSlot();
    bool Listed(const std::string& Name) const;

    std::array<ShortString, kMaxCaptureThemes> FSlots{};
};

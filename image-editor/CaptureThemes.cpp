#include "CaptureThemes.h"

#include "CaptureExecution.h"
#include "CaptureMenu.h"
#include "CaptureTheme.h"
#include "Common.h"
#include "Main.h"
#include "RegData.h"
#include "ZvScreen.h"

using namespace forms;

namespace {

// The theme dialog between its Init and its Free, freed also when its use
// fails.
struct TThemeDialog {
    TThemeDialog() { ZvShowThemeInit(); }
    ~TThemeDialog() { ZvShowThemeFree(); }
    TThemeDialog(const TThemeDialog&) = delete;
    TThemeDialog& operator=(const TThemeDialog&) = delete;
};

}  // namespace

void ShowCaptureThemes() {
    ShortString chosen;
    {
        const TThemeDialog dialog;
        for (int i = 0; i < Themes && i < kMaxThemes; ++i) ZvShowThemeAdd(ThemeTable[i]);
        const int count = ZvShowTheme();
        int selected = 0;
        if (ZvShowThemeChoice(selected) == mrOk && selected > 0) ZvShowThemeGet(selected, chosen);
        int kept = 0;
        for (int i = 1; i <= count && kept < kMaxThemes; ++i) {
            ShortString theme;
            ZvShowThemeGet(i, theme);
            if (theme.Length > 0) ThemeTable[kept++] = theme;
        }
        for (int i = kept; i < kMaxThemes; ++i) ThemeTable[i] = ShortString();
        Themes = kept;
    }
    // The theme items and their shortcuts follow the list at once.
    frmMain->mnuCapture_Click(frmMain->mnuCapture);
    frmMain->mnuPTheme_Popup(frmMain->mnuPTheme);
    if (chosen.Length > 0) CaptureWithTheme(chosen);
}

void CaptureWithTheme(const ShortString& Theme) {
    EndToolActions(false, true);
    const TThemeSettings settings = SplitCaptureTheme(Theme);
    ArmCaptureWith(settings.When, settings.What, settings.Then, settings.Options);
}

void ShowCaptureWizard() {
    TCaptureSettings settings = QuickCaptureSettings();
    BYTE flag = 0;
    if (!ZvShowWizard(settings, flag)) return;
    WhenSettings = settings.When;
    WhatSettings = settings.What;
    ShowQuickCaptureSettings();
    EndToolActions(false, true);
    ArmCapture();
}

void TfrmMain::mnuCaptureWizard_Click(TComponent*) { ShowCaptureWizard(); }

void TfrmMain::mnuCaptureThemeList_Click(TComponent*) { ShowCaptureThemes(); }

// Theme item N (its Tag) of the Capture menu or of the Theme button's menu.
void TfrmMain::mnuCaptureThemeItem_Click(TComponent* Sender) {
    const int n = Sender->Tag;
    if (n >= 1 && n <= Themes && n <= kMaxThemes) CaptureWithTheme(ThemeTable[n - 1]);
}

#include "Common.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "Child.h"
#include "CloseAll.h"
#include "Dialogs.h"
#include "Main.h"
#include "RegData.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

namespace {

int ScreenCounter = 0;

// The messages of opening and saving: no caption, one button.
void Refuse(const std::string& Text) { AskUser(Text, "", 1, zvIconStop, "OK"); }

// The file's name without its folder, and its extension upper-cased
// without the dot.
std::string NameOf(const std::string& FileName) {
    const size_t slash = FileName.find_last_of("\\/:");
    return slash == std::string::npos ? FileName : FileName.substr(slash + 1);
}
std::string ExtensionOf(const std::string& FileName) {
    const std::string name = NameOf(FileName);
    const size_t dot = name.find_last_of('.');
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext;
}
std::string NameWithoutExtension(const std::string& FileName) {
    const std::string name = NameOf(FileName);
    return name.substr(0, name.find_last_of('.'));
}

bool FileExists(const std::string& FileName) {
    const DWORD attributes = GetFileAttributesA(FileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void SetTrailingBackslashShort(ShortString& Path, bool Add, ShortString& Result) {
    std::string path = Path.str();
    if (!path.empty()) {
        const bool ends = path.back() == '\\';
        if (Add && !ends) path += '\\';
        if (!Add && ends) path.pop_back();
    }
    Path.assign(path);
    Result = Path;
}

int AskUser(const std::string& Text, const std::string& Caption, int DefaultButton, int Icon,
            const std::string& Button1, const std::string& Button2, const std::string& Button3) {
    return ZvMessageBox(ShortString(Text), ShortString(Caption), DefaultButton, Icon, ShortString(Button1),
                        ShortString(Button2), ShortString(Button3));
}

int PictureType(const std::string& FileName) {
    const std::string ext = ExtensionOf(FileName);
    if (ext == "BMP") return 2;
    if (ext == "JPG" || ext == "JPE" || ext == "JPEG") return 4;
    if (ext == "EMF" || ext == "WMF") return 0;
    return -1;
}

int ScreenCount() { return frmMain ? frmMain->MDIChildCount() : 0; }

TfrmChild* ScreenAt(int Index) { return frmMain ? dynamic_cast<TfrmChild*>(frmMain->MDIChildren(Index)) : nullptr; }

TfrmChild* ActiveScreen() { return frmMain ? dynamic_cast<TfrmChild*>(frmMain->ActiveMDIChild()) : nullptr; }

int NextScreenNumber() { return ++ScreenCounter; }

TfrmChild* CreateScreen(const std::string& Caption, int TypeIndex, const std::function<void(TfrmChild&)>& Prepare) {
    auto* screen = new TfrmChild(Application);
    screen->Tag = TypeIndex;
    screen->SetCaption(Caption);
    UpdateScreenIcon(screen);
    if (Prepare) {
        try {
            Prepare(*screen);
        } catch (...) {
            Free(screen);
            throw;
        }
    }
    screen->Show();
    return screen;
}

int NumberIn(const std::string& Text) {
    if (Text.empty()) return 0;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(Text.c_str(), &end, 10);
    if (*end != '\0') return 0;
    if (errno == ERANGE || value > INT_MAX) return value < 0 ? INT_MIN : INT_MAX;
    return static_cast<int>(std::max<long>(value, INT_MIN));
}

std::string ScreenListLine(const std::string& Caption, int Index) {
    char number[16];
    std::snprintf(number, sizeof number, "%3d", Index);
    return Caption + number;
}

int ScreenNumberOf(const std::string& Line) {
    if (Line.size() < 3) return -1;
    const std::string tail = Line.substr(Line.size() - 3);
    const size_t digits = tail.find_first_not_of(' ');
    if (digits == std::string::npos || tail.find_first_not_of("0123456789", digits) != std::string::npos) return -1;
    return std::atoi(tail.c_str() + digits);
}

void DrawScreenListLine(TCanvas& Canvas, const RECT& Rect, const std::string& Line) {
    if (TfrmChild* screen = ScreenAt(ScreenNumberOf(Line)))
        frmMain->imlChild->Draw(Canvas, Rect.left + 1, Rect.top, screen->Tag, true);
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, Line.substr(0, Line.size() < 3 ? 0 : Line.size() - 3));
}

void EndToolActions(bool AllScreens, bool DropSelection) {
    if (AllScreens)
        for (int i = 0; TfrmChild* screen = ScreenAt(i); ++i) CancelTool(screen, DropSelection);
    frmMain->panMagnifierFront->Hide();
}

void BringMainWindowToFront() {
    Application->Restore();
    ZvSetForegroundWindow(frmMain->Handle());
}

void OpenScreenFile(const std::string& FileName) {
    BringMainWindowToFront();
    if (ScreenCount() >= MaxScreens) return;
    if (!FileExists(FileName)) return Refuse("File not found - " + FileName);
    const int type = PictureType(FileName);
    if (type < 0) return Refuse("Unable to open file - " + FileName);
    EndToolActions(true, true);
    // The picture is read whole before a screen is made for it.
    std::unique_ptr<TGraphic> graphic(ZvLoadPicture(FileName.c_str()));
    if (!graphic || graphic->Empty()) return Refuse("Unable to open file - " + FileName);
    // A screen that cannot take its picture (no memory for a metafile's
    // bitmap, for one) goes again, and the user hears why nothing opened.
    try {
        CreateScreen(NameWithoutExtension(FileName), type, [&](TfrmChild& Screen) {
            Screen.FileName = FileName;
            Screen.TakePicture(*graphic);
            UpdateScrollBars(&Screen);
            FitToPage(&Screen, false);
        });
    } catch (...) {
        Refuse("Unable to open file - " + FileName);
    }
}

bool SaveScreenToFile(TfrmChild* Screen, const std::string& FileName) {
    if (!ZvSavePicture(FileName.c_str(), &Screen->Picture())) {
        Refuse("Unable to save file - " + FileName);
        return false;
    }
    Screen->Tag = std::max(PictureType(FileName), 0);
    UpdateScreenIcon(Screen);
    Screen->FileName = FileName;
    Screen->SetCaption(NameWithoutExtension(FileName));
    return true;
}

bool SaveScreen(TfrmChild* Screen, const std::string& Caption, const std::string& FileName, bool SaveAs) {
    if (!FileName.empty() && !SaveAs) {
        EndToolActions(true, true);
        return SaveScreenToFile(Screen, FileName);
    }
    EndToolActions(false, true);
    TSaveDialog dialog(nullptr);
    dialog.DefaultExt = "bmp";
    dialog.FileName = FileName;
    dialog.Filter = "Windows Bitmap|*.bmp|JPEG File Interchange Format|*.jpg|Enhanced Metafile|*.emf|Windows Metafile|*.wmf";
    dialog.FilterIndex = 1;
    dialog.InitialDir = FileLocation;
    dialog.Title = "Save " + Caption + " As";
    dialog.Options = ofOverwritePrompt | ofHideReadOnly | ofPathMustExist;
    if (!dialog.Execute(frmMain->Handle())) return false;
    EndToolActions(true, true);
    return SaveScreenToFile(Screen, dialog.FileName);
}

bool CheckFileName(const std::string& Name, const std::string& Caption) {
    auto fault = [&](const std::string& Text) {
        AskUser(Text, Caption, 1, zvIconExclamation, "OK");
        return false;
    };
    if (Name.empty()) return fault("You must type a filename.");
    if (Name.find_first_of("\"/:<>?\\|") != std::string::npos)
        return fault("A filename cannot contain any of the following characters:\r\n\t\\ / : ? \" < > |");
    if (std::count(Name.begin(), Name.end(), '*') > 1) return fault("A filename cannot contain more than one *.");
    return true;
}

bool CloseAllScreens(const std::string& Caption) {
    const int count = ScreenCount();
    if (count == 0) return true;
    EndToolActions(false, true);
    std::vector<TfrmChild*> screens;
    bool modified = false;
    for (int i = 0; i < count; ++i) {
        screens.push_back(ScreenAt(i));
        modified = modified || (screens.back()->Tag & 1);
    }
    if (modified) {
        frmCloseAll->SetCaption(Caption);
        switch (frmCloseAll->ShowModal()) {
        case mrYes: break;
        case mrNo: modified = false; break;
        default: return false;
        }
    }
    for (int i = count - 1; i >= 0; --i) {
        TfrmChild* screen = screens[static_cast<size_t>(i)];
        if (modified && (screen->Tag & 1) && frmCloseAll->IsChecked(i) &&
            !SaveScreen(screen, screen->Caption(), screen->FileName, false))
            return false;
        screen->AskSave = false;
        screen->Close();
    }
    return true;
}

void SetFormBusy(TForm* Form, bool Enabled) {
    Form->SetEnabled(Enabled);
    forms::Screen.SetBusy(!Enabled);
}

void FitToPage(TfrmChild* Screen, bool Force) {
    int availW = frmMain->ClientWidth() - 4, availH = frmMain->ClientHeight() - 4;
    if (frmMain->clbDrawings->Visible()) availW -= frmMain->clbDrawings->Width();
    if (frmMain->clbMain->Visible()) availH -= frmMain->clbMain->Height();
    if (frmMain->panStatusBar->Visible()) availH -= frmMain->panStatusBar->Height();
    const HWND wnd = Screen->Handle();
    if (IsZoomed(wnd) && !Force) return;
    LockWindowUpdate(wnd);
    if (IsZoomed(wnd) || IsIconic(wnd)) ShowWindow(wnd, SW_RESTORE);
    int border, barHeight, barWidth;
    GetScrollBarMetrics(Screen, border, barHeight, barWidth);
    Screen->SetClientSize(Screen->picMain->Width() + barWidth + 4, Screen->picMain->Height() + barHeight + 4);
    int left = Screen->Left(), top = Screen->Top(), width = Screen->Width(), height = Screen->Height();
    if (left + width > availW) left = availW - width;
    if (top + height > availH) top = availH - height;
    left = std::max(left, 0);
    top = std::max(top, 0);
    width = std::min(width, availW);
    height = std::min(height, availH);
    Screen->SetBounds(left, top, width, height);
    LockWindowUpdate(nullptr);
    UpdateScrollBars(Screen);
}

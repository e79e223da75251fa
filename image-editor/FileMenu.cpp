// The File and Help menus of the main window, and the files dropped on it.
#include <windows.h>
#include <shellapi.h>

#include "Child.h"
#include "Common.h"
#include "Dialogs.h"
#include "Main.h"
#include "RegData.h"
#include "Startup.h"
#include "ZvCom.h"
#include "Zelvani.h"

using namespace forms;

void TfrmMain::mnuFile_Click(TComponent*) {
    const bool room = ScreenCount() < MaxScreens;
    MenuItem("mnuFileNew")->Enabled = room;
    MenuItem("mnuFileOpen")->Enabled = room;
    MenuItem("mnuFileClose")->Enabled = ScreenCount() > 0;
    TfrmChild* screen = ActiveScreen();
    MenuItem("mnuFileSave")->Enabled = screen != nullptr;
    MenuItem("mnuFileSaveAs")->Enabled = screen != nullptr;
    MenuItem("mnuFileSetAsWallpaper")->Enabled = screen && (!screen->FileName.empty() || (screen->Tag & 1));
    MenuItem("mnuFileReload")->Enabled = screen && !screen->FileName.empty();
}

void TfrmMain::mnuFileOpen_Click(TComponent*) {
    if (ScreenCount() >= MaxScreens) return;
    EndToolActions(false, true);
    TOpenDialog dialog(nullptr);
    dialog.DefaultExt = "bmp";
    dialog.Filter = "All Pictures|*.bmp;*.jpg;*.jpe;*.jpeg;*.emf;*.wmf|Windows Bitmap|*.bmp|"
                    "JPEG File Interchange Format|*.jpg;*.jpe;*.jpeg|Enhanced Metafile|*.emf|Windows Metafile|*.wmf|"
                    "All Files|*.*";
    dialog.InitialDir = FileLocation;
    dialog.Title = "Open Files";
    dialog.Options = ofHideReadOnly | ofAllowMultiSelect | ofPathMustExist | ofFileMustExist;
    if (!dialog.Execute(Handle())) return;
    EndToolActions(true, true);
    for (const std::string& file : dialog.Files()) {
        if (ScreenCount() >= MaxScreens) break;
        OpenScreenFile(file);
    }
}

void TfrmMain::mnuFileClose_Click(TComponent*) {
    if (TfrmChild* screen = ActiveScreen()) screen->Close();
}

void TfrmMain::mnuFileSave_Click(TComponent* Sender) {
    EndToolActions(true, true);
    if (TfrmChild* screen = ActiveScreen()) SaveScreen(screen, screen->Caption(), screen->FileName, Sender->Tag == 2);
}

void TfrmMain::mnuFileReload_Click(TComponent*) {
    TfrmChild* screen = ActiveScreen();
    if (!screen) return;
    if (AskUser("Reloading picture from disk will lose all your changes. Are you sure to reload this picture from disk?",
                "", 1, zvIconQuestion, "&Yes", "&No") != 1)
        return;
    const std::string name = screen->FileName;
    auto refuse = [](const std::string& Text) { AskUser(Text, "", 1, zvIconStop, "OK"); };
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) return refuse("File not found - " + name);
    const int type = PictureType(name);
    if (type < 0) return refuse("Unable to reload file - " + name);
    EndToolActions(true, true);
    // The file is read first: a reload that fails leaves the screen, its
    // marks and its undo steps as they were.
    std::unique_ptr<TGraphic> graphic(ZvLoadPicture(name.c_str()));
    if (!graphic || graphic->Empty()) return refuse("Unable to reload file - " + name);
    screen->Tag = type;
    UpdateScreenIcon(screen);
    std::string caption = name.substr(name.find_last_of("\\/:") + 1);
    screen->SetCaption(caption.substr(0, caption.find_last_of('.')));
    screen->Undo = std::make_unique<TPicUndo>();
    screen->Undo->OnChange = [this] { UpdateCommandStates(); };
    const bool resized = graphic->Width() != screen->picMain->Width() || graphic->Height() != screen->picMain->Height();
    if (screen->picMain->Parent() != screen->panMain) screen->picMain->SetParent(screen->panMain);
    screen->picMain->SetBounds(0, 0, graphic->Width(), graphic->Height());
    screen->TakePicture(*graphic);
    screen->picMain->Repaint();
    if (resized) FitToPage(screen, false);
    UpdateScrollBars(screen);
    UpdateCommandStates();
}

void TfrmMain::mnuFileExit_Click(TComponent*) { Close(); }

void TfrmMain::mnuHelpWeb_Click(TComponent* Sender) {
    SetFormBusy(this, false);
    const char* page = Sender->Tag == 2 ? "http://www.zelvani.com/mirolux/" : "http://www.zelvani.com/";
    ShellExecuteA(Handle(), nullptr, page, nullptr, nullptr, SW_SHOWDEFAULT);
    SetFormBusy(this, true);
}

void TfrmMain::WMDropFiles(HDROP Drop) {
    // The system's record of the drop is given back whatever happens here.
    struct TRelease {
        HDROP Drop;
        ~TRelease() { DragFinish(Drop); }
    } release{Drop};
    EndToolActions(true, true);
    const UINT count = DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        if (ScreenCount() >= MaxScreens) break;
        // The whole name, up to the system's limit of a path.
        char name[MAX_PATH] = {};
        DragQueryFileA(Drop, i, name, MAX_PATH);
        if (IsPictureName(name)) OpenScreenFile(name);
    }
}

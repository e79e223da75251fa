// Screens in the program's own main window: opening, saving, reloading and
// closing pictures, with the messages a user sees and answers, the scroll
// bars and the fitting of a screen to its picture.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "Child.h"
#include "Common.h"
#include "EditCommands.h"
#include "ProgramWindows.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

class Screens : public ::testing::Test {
protected:
    void SetUp() override { frmMain->Show(); }
    void TearDown() override { CloseEveryScreen(); }
    // A screen of a new 20 x 10 picture file, marked modified.
    static TfrmChild* OpenModified(const std::string& Name) {
        OpenScreenFile(MakePicture(Name, 20, 10));
        TfrmChild* screen = ActiveScreen();
        if (screen) SetModified(screen, true);
        return screen;
    }
    // The test's timers go with it.
    TComponent timers{nullptr};
};

TEST_F(Screens, APictureFileOpensAsAScreenNamedAfterItAndOthersAreRefused) {
    const std::string file = MakePicture("photo.bmp", 40, 30);
    OpenScreenFile(file);
    ASSERT_EQ(ScreenCount(), 1);
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->Caption(), "photo");
    EXPECT_EQ(screen->Tag, 2);
    EXPECT_EQ(screen->FileName, file);
    EXPECT_EQ(screen->picMain->Width(), 40);
    EXPECT_EQ(screen->Picture().Canvas().Pixel(39, 29), static_cast<TColor>(RGB(39, 29, 7)));
    PumpFor(300);  // the main timer's round
    EXPECT_TRUE(frmMain->tlnSave->Enabled());
    EXPECT_EQ(frmMain->lblStatusBar1->Caption(), "photo");
    EXPECT_EQ(frmMain->lblStatusBar2->Caption(), "40x30");

    const std::string text = TempFolder() + "\\notes.txt";
    std::ofstream(text) << "not a picture";
    Answer refused;
    AnswerNextBox(refused, "OK");
    OpenScreenFile(text);
    EXPECT_EQ(refused.Text, "Unable to open file - " + text);
    const std::string damaged = TempFolder() + "\\damaged.bmp";
    std::ofstream(damaged) << "BM and nothing a bitmap needs";
    Answer broken;
    AnswerNextBox(broken, "OK");
    OpenScreenFile(damaged);
    EXPECT_EQ(broken.Text, "Unable to open file - " + damaged);
    Answer missing;
    AnswerNextBox(missing, "OK");
    OpenScreenFile(TempFolder() + "\\gone.bmp");
    EXPECT_EQ(missing.Text, "File not found - " + TempFolder() + "\\gone.bmp");
    EXPECT_EQ(ScreenCount(), 1) << "no screen is left behind by a refused file";

    MaxScreens = 1;
    OpenScreenFile(file);
    EXPECT_EQ(ScreenCount(), 1) << "the limit of screens holds without a message";
    frmMain->UpdateCommandStates();
    EXPECT_FALSE(frmMain->tlnNew->Enabled());
    MaxScreens = 99;
}

TEST_F(Screens, AfterOpenTheMainWindowIsInFrontAndTakesTheKeys) {
    MakePicture("front.bmp", 30, 20);
    FileLocation = TempFolder();
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    ApplicationWindowWatch watch;
    WhenReady(
        timers,
        [] {
            HWND dialog = FindWindowA("#32770", "Open Files");
            return dialog && IsWindowVisible(dialog);
        },
        [] {
            Type("front.bmp");
            Press(VK_RETURN);
        });
    Chord({VK_CONTROL}, 'O');
    ASSERT_TRUE(watch.Until([] { return ScreenCount() == 1; })) << "Ctrl+O opened nothing";
    EXPECT_TRUE(watch.Until([] { return GetForegroundWindow() == frmMain->Handle(); }))
        << "in front instead: window " << GetForegroundWindow();
    EXPECT_EQ(GetActiveWindow(), frmMain->Handle());

    // Select All and Copy, pressed now, reach the main window.
    Chord({VK_CONTROL}, 'A');
    Chord({VK_CONTROL}, 'C');
    TBitmap copied;
    EXPECT_TRUE(watch.Until([&] { return ReadClipboard(copied); })) << "Ctrl+A, Ctrl+C did not reach the main window";
    EXPECT_EQ(copied.Width(), 30);
    EXPECT_EQ(copied.Height(), 20);
    EXPECT_FALSE(watch.Shown) << "the application window showed";
}

TEST_F(Screens, SavingGivesTheScreenTheNameAndTypeOfTheFileAndAFailedSaveChangesNothing) {
    TfrmChild* screen = OpenModified("plain.bmp");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->Tag, 3);
    const std::string jpeg = TempFolder() + "\\Shot.JPEG";
    ASSERT_TRUE(SaveScreenToFile(screen, jpeg));
    EXPECT_EQ(screen->Tag, 4) << "a JPEG, and no longer modified";
    EXPECT_EQ(screen->Caption(), "Shot");
    EXPECT_EQ(screen->FileName, jpeg);

    SetModified(screen, true);
    const std::string nowhere = TempFolder() + "\\no such folder\\x.bmp";
    Answer failed;
    AnswerNextBox(failed, "OK");
    EXPECT_FALSE(SaveScreenToFile(screen, nowhere));
    EXPECT_EQ(failed.Text, "Unable to save file - " + nowhere);
    EXPECT_EQ(screen->Tag, 5);
    EXPECT_EQ(screen->FileName, jpeg);
    EXPECT_EQ(screen->Caption(), "Shot");
}

TEST_F(Screens, AModifiedScreenAsksBeforeItClosesAndCancelKeepsIt) {
    TfrmChild* screen = OpenModified("asked.bmp");
    ASSERT_NE(screen, nullptr);
    Answer kept;
    AnswerNextBox(kept, "Cancel");
    screen->Close();
    EXPECT_EQ(kept.Text, "This screen has been modified. Do you want to save to disk?");
    PumpFor(100);
    EXPECT_EQ(ScreenCount(), 1);

    Answer dropped;
    AnswerNextBox(dropped, "&No");
    screen->Close();
    EXPECT_TRUE(dropped.Shown);
    EXPECT_TRUE(PumpUntil([] { return ScreenCount() == 0; })) << "No closes the screen unsaved";
}

TEST_F(Screens, TheEndOfTheSessionAsksAboutModifiedScreensAsClosingDoes) {
    TfrmChild* screen = OpenModified("session.bmp");
    ASSERT_NE(screen, nullptr);

    Answer cancelled;
    AnswerNextBox(cancelled, "Cancel");
    EXPECT_FALSE(SessionMayEnd()) << "Cancel in Close All refuses the end of the session";
    EXPECT_TRUE(cancelled.Shown) << "no Close All question came";
    EXPECT_EQ(ScreenCount(), 1);

    const std::string nowhere = TempFolder() + "\\no such folder\\session.bmp";
    screen->FileName = nowhere;
    Answer yes, failed;
    AnswerNextBox(yes, "&Yes");
    AnswerNextBox(failed, "OK");
    EXPECT_FALSE(SessionMayEnd()) << "a failed save refuses the end of the session";
    EXPECT_EQ(failed.Text, "Unable to save file - " + nowhere);
    EXPECT_EQ(ScreenCount(), 1);

    Answer no;
    AnswerNextBox(no, "&No");
    EXPECT_TRUE(SessionMayEnd()) << "No lets the session end";
    EXPECT_TRUE(no.Shown);
    EXPECT_TRUE(PumpUntil([] { return ScreenCount() == 0; })) << "the screens are closed unsaved";
}

TEST_F(Screens, AReloadThatFailsLosesNothingAndOneThatWorksStartsAfresh) {
    const std::string file = MakePicture("reload.bmp", 20, 10);
    OpenScreenFile(file);
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    screen->Undo->Add(screen->Picture());
    screen->Picture().Canvas().SetPixel(0, 0, clWhite);
    SetModified(screen, true);

    std::ofstream(file, std::ios::trunc) << "BM damaged since";
    Answer sure, refused;
    AnswerNextBox(sure, "&Yes");
    AnswerNextBox(refused, "OK");
    frmMain->mnuFileReload_Click(frmMain);
    EXPECT_EQ(refused.Text, "Unable to reload file - " + file);
    EXPECT_EQ(screen->Tag, 3) << "still modified";
    EXPECT_TRUE(screen->Undo->CanUndo()) << "the undo step stays";
    EXPECT_EQ(screen->Picture().Canvas().Pixel(0, 0), clWhite);

    MakePicture("reload.bmp", 30, 12);
    Answer again;
    AnswerNextBox(again, "&Yes");
    frmMain->mnuFileReload_Click(frmMain);
    EXPECT_EQ(screen->Tag, 2);
    EXPECT_FALSE(screen->Undo->CanUndo());
    EXPECT_EQ(screen->picMain->Width(), 30);
    EXPECT_EQ(screen->Picture().Canvas().Pixel(0, 0), static_cast<TColor>(RGB(0, 0, 7)));
}

TEST_F(Screens, CloseAllSavesOnlyTheCheckedScreens) {
    const std::string first = MakePicture("first.bmp", 8, 8), second = MakePicture("second.bmp", 8, 8);
    OpenScreenFile(first);
    OpenScreenFile(second);
    ASSERT_EQ(ScreenCount(), 2);
    for (int i = 0; i < 2; ++i) {
        TfrmChild* s = ScreenAt(i);
        s->Picture().Canvas().SetPixel(0, 0, 0x0000FF);
        SetModified(s, true);
    }
    // The active screen, "second", is number 0: unchecked, it stays as it
    // was on disk; "first" is saved.
    Later(&timers, [] {
        for (int i = 0; i < static_cast<int>(frmCloseAll->lstScreens->Items().size()); ++i)
            if (frmCloseAll->lstScreens->Items()[static_cast<size_t>(i)].rfind("second", 0) == 0)
                frmCloseAll->lstScreens->SetChecked(i, false);
        frmCloseAll->cmdYes->Click();
    }, 300);
    EXPECT_TRUE(CloseAllScreens("Close All"));
    EXPECT_TRUE(PumpUntil([] { return ScreenCount() == 0; }));
    std::unique_ptr<TGraphic> saved(ZvLoadPicture(first.c_str())), kept(ZvLoadPicture(second.c_str()));
    ASSERT_TRUE(saved && kept);
    EXPECT_EQ(static_cast<TBitmap*>(saved.get())->Canvas().Pixel(0, 0), 0x0000FF);
    EXPECT_EQ(static_cast<TBitmap*>(kept.get())->Canvas().Pixel(0, 0), static_cast<TColor>(RGB(0, 0, 7)));
}

TEST_F(Screens, TheScrollBarsFollowThePictureAndAScreenFitsTheFreeArea) {
    OpenScreenFile(MakePicture("small.bmp", 30, 20));
    TfrmChild* small = ActiveScreen();
    ASSERT_NE(small, nullptr);
    EXPECT_FALSE(small->slbHorz->Enabled());
    EXPECT_FALSE(small->slbVert->Enabled());
    EXPECT_EQ(small->panMain->Width(), 30);
    EXPECT_EQ(small->panMain->Height(), 20);

    OpenScreenFile(MakePicture("large.bmp", 2000, 1500));
    TfrmChild* large = ActiveScreen();
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->Left(), 0);
    EXPECT_EQ(large->Top(), 0);
    EXPECT_LE(large->Width(), frmMain->ClientWidth());
    EXPECT_TRUE(large->slbHorz->Enabled());
    EXPECT_TRUE(large->slbVert->Enabled());
    large->slbHorz->SetPosition(100);
    EXPECT_EQ(large->picMain->Left(), -100);
    large->slbVert->SetPosition(100000);
    EXPECT_EQ(large->picMain->Top(), -(1500 - large->slbVert->Height())) << "scrolled to the end, not past it";
}

TEST_F(Screens, DroppedFilesOpenWithTheirWholeNames) {
    // A path longer than a short string holds, within the system's limit.
    std::string folder = TempFolder() + "\\" + std::string(100, 'd');
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + std::string(80, 'e');
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_LT(folder.size(), 250u);
    const std::string file = folder + "\\" + std::string(258 - folder.size() - 5, 'p') + ".bmp";
    ASSERT_GT(file.size(), 255u);
    ASSERT_LT(file.size(), static_cast<size_t>(MAX_PATH));
    TBitmap b;
    b.SetSize(4, 4);
    ASSERT_TRUE(ZvSavePicture(file.c_str(), &b));

    const std::string list = file + '\0' + TempFolder() + "\\readme.txt" + '\0' + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    frmMain->WMDropFiles(static_cast<HDROP>(memory));
    ASSERT_EQ(ScreenCount(), 1) << "the picture opened, the text file was passed over";
    EXPECT_EQ(ActiveScreen()->FileName, file);
}

TEST_F(Screens, TheBarsFollowTheActiveScreenAndItsUndoList) {
    frmMain->UpdateCommandStates();
    EXPECT_FALSE(frmMain->tlnSave->Enabled());
    EXPECT_FALSE(frmMain->tlnRotate->Enabled());
    OpenScreenFile(MakePicture("states.bmp", 16, 16));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(frmMain->tlnSave->Enabled());
    EXPECT_TRUE(frmMain->tlnResize->Enabled());
    EXPECT_FALSE(frmMain->tlnUndo->Enabled());
    EXPECT_FALSE(frmMain->tlnCut->Enabled()) << "nothing is selected";
    screen->Undo->Add(screen->Picture());
    EXPECT_TRUE(frmMain->tlnUndo->Enabled()) << "the list tells the bars when it changes";
    screen->Undo->Undo(screen->Picture());
    EXPECT_FALSE(frmMain->tlnUndo->Enabled());
    EXPECT_TRUE(frmMain->tlnRedo->Enabled());
}

TEST_F(Screens, TheMagnifierShowsThePictureAroundTheMouse) {
    OpenScreenFile(MakePicture("zoom.bmp", 120, 100));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    auto viewAt = [](int X, int Y) { return frmMain->picMagnifier->Picture.Bitmap().Canvas().Pixel(X, Y); };
    frmMain->cboMagnifier->SetItemIndex(0);  // 100 %
    SendMessageA(screen->picMain->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 40));
    EXPECT_TRUE(frmMain->panMagnifierFront->Visible());
    EXPECT_EQ(viewAt(45, 45), static_cast<TColor>(RGB(50, 40, 7))) << "the mouse's pixel in the middle";
    EXPECT_EQ(viewAt(0, 5), static_cast<TColor>(RGB(5, 0, 7)));
    EXPECT_EQ(viewAt(0, 4), ColorToRGB(clSystemColor | COLOR_BTNSHADOW)) << "above the picture";

    frmMain->cboMagnifier->SetItemIndex(2);  // 400 %: 23 pixels over 92, from -1
    SendMessageA(screen->picMain->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(viewAt(45, 45), static_cast<TColor>(RGB(2, 2, 7)));
    EXPECT_EQ(viewAt(48, 48), static_cast<TColor>(RGB(3, 3, 7)));
    EXPECT_EQ(viewAt(10, 10), ColorToRGB(clSystemColor | COLOR_BTNSHADOW)) << "outside the picture";
    EXPECT_EQ(viewAt(0, 43), clBlack) << "the marks around the centre";

    EndToolActions(false, false);
    EXPECT_FALSE(frmMain->panMagnifierFront->Visible());
}

}  // namespace

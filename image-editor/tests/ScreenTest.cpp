// Screens in the program's own main window: opening, saving, reloading and
// closing pictures, with the messages a user sees and answers, the scroll
// bars and the fitting of a screen to its picture, the magnifier's view and
// what a maximised screen shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "Child.h"
#include "Common.h"
#include "EditCommands.h"
#include "ProgramWindows.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

// While it lives, the system refuses this program's bitmaps of Bytes of
// pixels or more, as when no memory is left for a picture of that size. Only
// the program's own calls are refused: the picture loader, a library of its
// own, still reads pictures of any size.
class TRefusedBitmaps {
public:
    explicit TRefusedBitmaps(std::uint64_t Bytes) {
        Limit = Bytes;
        Real = reinterpret_cast<TCreate>(GetProcAddress(GetModuleHandleA("gdi32.dll"), "CreateDIBSection"));
        Slot = ImportSlot(reinterpret_cast<void*>(Real));
        EXPECT_NE(Slot, nullptr) << "expected the program to import CreateDIBSection";
        Patch(reinterpret_cast<void*>(&Refusing));
    }
    ~TRefusedBitmaps() { Patch(reinterpret_cast<void*>(Real)); }
    TRefusedBitmaps(const TRefusedBitmaps&) = delete;
    TRefusedBitmaps& operator=(const TRefusedBitmaps&) = delete;

private:
    typedef HBITMAP(WINAPI* TCreate)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);
    static HBITMAP WINAPI Refusing(HDC DC, const BITMAPINFO* Info, UINT Usage, void** Bits, HANDLE Section,
                                   DWORD Offset) {
        const BITMAPINFOHEADER& h = Info->bmiHeader;
        const std::uint64_t rowBytes = (std::uint64_t(std::abs(h.biWidth)) * h.biBitCount + 31) / 32 * 4;
        if (rowBytes * std::abs(h.biHeight) < Limit) return Real(DC, Info, Usage, Bits, Section, Offset);
        if (Bits) *Bits = nullptr;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // The entry of the program's import table that holds Function.
    static void** ImportSlot(void* Function) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* nt =
            reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d)
            for (auto** slot = reinterpret_cast<void**>(base + d->FirstThunk); *slot; ++slot)
                if (*slot == Function) return slot;
        return nullptr;
    }
    void Patch(void* Function) {
        DWORD protection;
        if (!Slot || !VirtualProtect(Slot, sizeof *Slot, PAGE_READWRITE, &protection)) return;
        *Slot = Function;
        VirtualProtect(Slot, sizeof *Slot, protection, &protection);
    }
    static inline TCreate Real = nullptr;
    static inline std::uint64_t Limit = 0;
    void** Slot = nullptr;
};

// Files dropped on a window: the system's record of them, which the window
// that takes the drop must free.
HDROP DropOf(std::initializer_list<std::string> Files) {
    std::string list;
    for (const std::string& f : Files) list += f + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// Which rows of A differ from those of B, when they have the same size.
std::string DifferingRows(TBitmap& A, TBitmap& B) {
    const std::string size = std::to_string(A.Width()) + " x " + std::to_string(A.Height());
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return size + " against " + std::to_string(B.Width()) + " x " + std::to_string(B.Height());
    int count = 0, first = -1;
    for (int y = 0; y < A.Height(); ++y)
        if (std::memcmp(A.ScanLine(y), B.ScanLine(y), static_cast<size_t>(A.Width()) * 3) != 0 && count++ == 0)
            first = y;
    return size + ", " + std::to_string(count) + " rows differ" +
           (count ? ", the first is row " + std::to_string(first) : std::string());
}

// Where a point of a control lies on the screen.
POINT OnScreen(const TControl* Control, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Control->Handle(), &p);
    return p;
}

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

// A screen opens fitted to its picture, also when the user has maximised
// the active screen, which is then restored; the new screen shows its
// picture, and the buttons that work on a screen work on it.
TEST_F(Screens, AScreenOpensFittedToItsPictureAlsoBesideAMaximisedOne) {
    auto expectFitted = [](TfrmChild* Screen, int Width, int Height) {
        int border, barHeight, barWidth;
        GetScrollBarMetrics(Screen, border, barHeight, barWidth);
        EXPECT_FALSE(IsZoomed(Screen->Handle())) << Screen->Caption();
        EXPECT_EQ(Screen->ClientWidth(), Width + barWidth + 4) << "the client width of " << Screen->Caption();
        EXPECT_EQ(Screen->ClientHeight(), Height + barHeight + 4) << "the client height of " << Screen->Caption();
        EXPECT_FALSE(Screen->slbHorz->Enabled()) << Screen->Caption();
        EXPECT_FALSE(Screen->slbVert->Enabled()) << Screen->Caption();
    };
    OpenScreenFile(MakePicture("fitted.bmp", 200, 150));
    TfrmChild* fitted = ActiveScreen();
    ASSERT_NE(fitted, nullptr);
    expectFitted(fitted, 200, 150);
    MouseClicks(CaptionOf(fitted), 2);
    ASSERT_TRUE(IsZoomed(fitted->Handle())) << "a double click on the caption maximised nothing";

    OpenScreenFile(MakePicture("beside.bmp", 120, 90));
    TfrmChild* beside = ActiveScreen();
    ASSERT_NE(beside, nullptr);
    ASSERT_NE(beside, fitted);
    EXPECT_EQ(beside->Caption(), "beside");
    expectFitted(beside, 120, 90);
    EXPECT_FALSE(IsZoomed(fitted->Handle())) << "the maximised screen was restored beside the new one";
    frmMain->tmrMain_Timer(nullptr);
    EXPECT_TRUE(frmMain->tlnSave->Enabled()) << "the screen buttons work on the new screen";
    Settle();
    EXPECT_EQ(ScreenPixel(OnScreen(beside->picMain, 119, 89)), RGB(119, 89, 7))
        << "the picture's last pixel on the screen";
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

    frmMain->WMDropFiles(DropOf({file, TempFolder() + "\\readme.txt"}));
    ASSERT_EQ(ScreenCount(), 1) << "the picture opened, the text file was passed over";
    EXPECT_EQ(ActiveScreen()->FileName, file);
}

// The screen takes the loader's bitmap itself: it opens though no second
// bitmap of the picture's size could be had, shows exactly the loaded pixels
// and paints them in its window. A metafile, which has no bitmap to take,
// is drawn into one of its size.
TEST_F(Screens, ABitmapOrJpegPictureIsTakenOverWithoutASecondBitmapOfItsSize) {
    const std::string bmp = MakePicture("taken.bmp", 800, 600), jpeg = MakePicture("taken.jpg", 800, 600);
    const TRefusedBitmaps refused(1 << 20);
    for (const std::string& file : {bmp, jpeg}) {
        std::unique_ptr<TGraphic> loaded(ZvLoadPicture(file.c_str()));
        auto* expected = dynamic_cast<TBitmap*>(loaded.get());
        ASSERT_NE(expected, nullptr) << file;
        OpenScreenFile(file);
        TfrmChild* screen = ActiveScreen();
        ASSERT_NE(screen, nullptr) << file;
        EXPECT_EQ(screen->FileName, file);
        EXPECT_EQ(screen->picMain->Width(), 800);
        EXPECT_EQ(screen->picMain->Height(), 600);
        EXPECT_EQ(DifferingRows(screen->Picture(), *expected), "800 x 600, 0 rows differ") << file;

        PumpFor(200);
        for (POINT p : {POINT{3, 2}, POINT{150, 120}}) {
            POINT at = p;
            ClientToScreen(screen->picMain->Handle(), &at);
            HDC dc = GetDC(nullptr);
            const COLORREF shown = GetPixel(dc, at.x, at.y);
            ReleaseDC(nullptr, dc);
            EXPECT_EQ(shown, static_cast<COLORREF>(expected->Canvas().Pixel(p.x, p.y)))
                << file << ": the window at picture point " << p.x << ", " << p.y;
        }
        CloseEveryScreen();
    }

    OpenScreenFile(MakePicture("drawn.emf", 80, 60));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->picMain->Width(), 80);
    EXPECT_EQ(screen->picMain->Height(), 60);
    EXPECT_EQ(screen->Picture().Width(), 80);
    EXPECT_EQ(screen->Picture().Canvas().Pixel(70, 50), static_cast<TColor>(RGB(70, 50, 7)));
}

// An open that fails once its screen is made (no memory for the bitmap of a
// metafile's size) leaves no screen behind and tells the user; of dropped
// files, the next one still opens, and the drop is given back to the system.
TEST_F(Screens, AnOpenThatFailsLeavesNothingBehind) {
    const std::string emf = MakePicture("vast.emf", 800, 600), bmp = MakePicture("after.bmp", 20, 10);
    // The large bitmap that went last lends its pixels to the next of its
    // size: here the one the metafile was drawn from. One of another size
    // goes after it, so the screen has to ask the system.
    TBitmap().SetSize(900, 700);
    const TRefusedBitmaps refused(1 << 20);
    Answer opened;
    AnswerNextBox(opened, "OK");
    OpenScreenFile(emf);
    EXPECT_EQ(opened.Text, "Unable to open file - " + emf);
    EXPECT_EQ(ScreenCount(), 0) << "no empty screen stays";

    const HDROP drop = DropOf({emf, bmp});
    Answer dropped;
    AnswerNextBox(dropped, "OK");
    SendMessageA(frmMain->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(dropped.Text, "Unable to open file - " + emf);
    ASSERT_EQ(ScreenCount(), 1) << "the picture dropped after the failed one opens";
    EXPECT_EQ(ActiveScreen()->FileName, bmp);
    EXPECT_EQ(GlobalFlags(static_cast<HGLOBAL>(drop)), static_cast<UINT>(GMEM_INVALID_HANDLE))
        << "expected the drop to be given back to the system";
}

// A paste that finds no memory for the clipboard's picture tells why,
// changes nothing, and gives the clipboard back to the other programs.
TEST_F(Screens, APasteWithoutMemoryForThePictureIsToldAndFreesTheClipboard) {
    TfrmChild* screen = OpenModified("under.bmp");
    ASSERT_NE(screen, nullptr);
    {
        TBitmap large;
        large.SetSize(900, 700);
        ASSERT_TRUE(CopyToClipboard(large));
    }
    TBitmap().SetSize(901, 700);  // takes the spare pixels of the one that went
    const TRefusedBitmaps refused(1 << 20);
    Answer told;
    AnswerNextBox(told, "OK");
    Chord({VK_CONTROL}, 'V');
    ASSERT_TRUE(PumpUntil([&] { return told.Shown; })) << "Ctrl+V told nothing";
    EXPECT_EQ(told.Text.find("success"), std::string::npos) << told.Text;
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr) << "the clipboard was left open";
    EXPECT_FALSE(screen->Undo->CanUndo()) << "no undo step";
    EXPECT_FALSE(screen->SelLifted);
    EXPECT_EQ(screen->Picture().Width(), 20);

    Answer toldAgain;
    AnswerNextBox(toldAgain, "OK");
    frmMain->mnuEditPasteAsNew_Click(frmMain);
    EXPECT_TRUE(toldAgain.Shown);
    EXPECT_EQ(toldAgain.Text.find("success"), std::string::npos) << toldAgain.Text;
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(ScreenCount(), 1) << "no screen is made for a picture that could not be read";
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

TEST_F(Screens, TheMagnifierViewShowsOnTheScreenWhatIsAroundTheMouse) {
    OpenScreenFile(MakePicture("seen.bmp", 120, 100));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    const COLORREF shadow = ColorToRGB(clSystemColor | COLOR_BTNSHADOW), black = 0;
    struct Seen {
        int Zoom;         // item of the zoom list
        POINT Mouse;      // over the picture
        POINT View;       // a pixel of the view
        COLORREF Colour;  // what it shows
        const char* What;
    };
    const Seen cases[] = {
        {0, {50, 40}, {45, 45}, RGB(50, 40, 7), "100 %: the mouse's pixel in the middle"},
        {0, {50, 40}, {0, 5}, RGB(5, 0, 7), "100 %: the picture's top row"},
        {0, {50, 40}, {0, 4}, shadow, "100 %: above the picture"},
        {2, {2, 2}, {45, 45}, RGB(2, 2, 7), "400 %: the mouse's pixel"},
        {2, {2, 2}, {48, 48}, RGB(3, 3, 7), "400 %: the next pixel"},
        {2, {2, 2}, {10, 10}, shadow, "400 %: outside the picture"},
        {2, {2, 2}, {0, 43}, black, "400 %: the centre's mark"},
        {4, {50, 40}, {45, 45}, RGB(50, 40, 7), "800 %: the mouse's pixel"},
        {4, {50, 40}, {53, 45}, RGB(51, 40, 7), "800 %: eight view pixels to a picture pixel"},
        {4, {50, 40}, {20, 20}, RGB(47, 37, 7), "800 %: three pixels up and left"},
        {4, {50, 40}, {0, 41}, black, "800 %: the centre's mark"},
    };
    for (const Seen& c : cases) {
        frmMain->cboMagnifier->SetItemIndex(c.Zoom);
        const POINT target = OnScreen(screen->picMain, c.Mouse.x, c.Mouse.y);
        ToFront();
        MoveAlong(POINT{target.x + 6, target.y + 3}, target, 2, 0);
        ASSERT_TRUE(frmMain->panMagnifierFront->Visible()) << "the view shows while the mouse is over the picture";
        EXPECT_EQ(ScreenPixel(OnScreen(frmMain->picMagnifier, c.View.x, c.View.y)), c.Colour) << c.What;
    }
}

TEST_F(Screens, AMaximisedScreenIsPlainGreyAroundItsPicture) {
    OpenScreenFile(MakePicture("maxed.bmp", 30, 20));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    // A double click on the caption maximises the window.
    MouseClicks(CaptionOf(screen), 2);
    ASSERT_TRUE(IsZoomed(screen->Handle()));
    PumpFor(200);

    RECT area;
    GetClientRect(screen->sclMain->Handle(), &area);
    MapWindowPoints(screen->sclMain->Handle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    const int w = area.right - area.left, h = area.bottom - area.top;
    TBitmap shot;
    shot.SetSize(w, h);
    HDC dc = GetDC(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, w, h, dc, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, dc);
    // Everything there but the picture, the bars and their corner is the
    // plain grey of the scroll box.
    std::vector<RECT> parts;
    const std::initializer_list<TControl*> shown = {screen->panMain, screen->slbHorz, screen->slbVert, screen->panRect};
    for (TControl* c : shown) {
        RECT r;
        GetWindowRect(c->Handle(), &r);
        OffsetRect(&r, -area.left, -area.top);
        parts.push_back(r);
    }
    const COLORREF shadow = ColorToRGB(clSystemColor | COLOR_BTNSHADOW);
    int unlike = 0;
    std::string first;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = shot.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const POINT p = {x, y};
            if (std::any_of(parts.begin(), parts.end(), [p](const RECT& r) { return PtInRect(&r, p) != FALSE; }))
                continue;
            const COLORREF found = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            if (found == shadow) continue;
            if (unlike++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " + std::to_string(found);
        }
    }
    EXPECT_EQ(unlike, 0) << "pixels of the grey area that are not grey (" << std::to_string(shadow)
                         << "), the first: " << first;
}

// Help > About, chosen with the keys, shows the about box with the
// program's icon and title as its logo; Escape closes it.
TEST_F(Screens, HelpAboutShowsTheAboutBoxWithTheProgramsLogo) {
    // Whether the logo's place (centred, 15 pixels from the top) shows ink.
    const auto logoShown = [](HWND Box) {
        for (int y = 17; y < 59; y += 3)
            for (int x = 48; x < 304; x += 3) {
                POINT p = {x, y};
                ClientToScreen(Box, &p);
                if (ScreenPixel(p) != RGB(255, 255, 255)) return true;
            }
        return false;
    };
    const auto aboutBox = [] {
        HWND active = GetActiveWindow();
        RECT r = {};
        if (active && active != frmMain->Handle()) GetClientRect(active, &r);
        return r.right == 352 ? active : nullptr;
    };
    bool logo = false, done = false;
    HWND box = nullptr;
    // The logo shows at the reveal's first step.
    WhenReady(
        timers, [&] { return aboutBox() && logoShown(aboutBox()); },
        [&] {
            box = aboutBox();
            logo = true;
            Press(VK_ESCAPE);
            done = true;
        });
    // Should the box not show its logo, it is closed, so that the tests go on.
    auto* giveUp = new TTimer(&timers);
    giveUp->SetInterval(12000);
    giveUp->OnTimer = [&](TComponent*) {
        giveUp->SetEnabled(false);
        if (aboutBox()) PostMessageA(aboutBox(), WM_CLOSE, 0, 0);
    };
    // The menu's loop takes the second key.
    PressAlt('H');
    Press('A');
    PumpUntil([&] { return done; }, 15000);
    SettleInput();
    EXPECT_TRUE(logo) << "the about box with the program's icon and title";
    EXPECT_FALSE(box && IsWindowVisible(box)) << "Escape closes it";
}

}  // namespace

TEST(ScreenPaths, ATrailingBackslashIsAddedOrTakenOnceAndAFullPathKeeps255Characters) {
    struct Case {
        const char* Path;
        bool Add;
        const char* Expected;
    };
    for (const Case& c : {Case{"C:\\Shots", true, "C:\\Shots\\"}, Case{"C:\\Shots\\", true, "C:\\Shots\\"},
                          Case{"C:\\Shots\\", false, "C:\\Shots"}, Case{"C:\\Shots", false, "C:\\Shots"},
                          Case{"C:\\Shots\\\\", false, "C:\\Shots\\"}, Case{"", true, ""}, Case{"", false, ""}}) {
        ShortString path(c.Path), result("old");
        SetTrailingBackslashShort(path, c.Add, result);
        EXPECT_EQ(path.str(), c.Expected) << c.Path << (c.Add ? " with" : " without");
        EXPECT_EQ(result.str(), c.Expected) << c.Path << (c.Add ? " with" : " without");
    }
    // A path that fills the short string has no room for the backslash.
    const std::string full(255, 'x');
    ShortString path(full), result;
    SetTrailingBackslashShort(path, true, result);
    EXPECT_EQ(path.str(), full);
    EXPECT_EQ(result.str(), full);
    // Path and result may be the same string.
    ShortString same("D:\\");
    SetTrailingBackslashShort(same, false, same);
    EXPECT_EQ(same.str(), "D:");
}

TEST_F(Screens, PasteAsNewOfABitmapTooSmallLeavesTheActiveScreenAsTheUserPlacedIt) {
    OpenScreenFile(MakePicture("placed.bmp", 40, 30));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    // The user makes the window larger than its picture.
    screen->SetBounds(10, 10, 300, 250);
    RECT placed;
    GetWindowRect(screen->Handle(), &placed);
    auto pasteAsNewFromTheMenu = [] {
        frmMain->SetFocus();
        PressAlt('E');
        Tap('N');
        Settle();
    };
    {
        TBitmap small;
        small.SetSize(3, 100);
        ASSERT_TRUE(CopyToClipboard(small));
    }
    pasteAsNewFromTheMenu();
    RECT after;
    GetWindowRect(screen->Handle(), &after);
    EXPECT_EQ(ScreenCount(), 1) << "no screen for a bitmap under 4 x 4";
    EXPECT_EQ(after.right - after.left, placed.right - placed.left) << "the active screen was fitted again";
    EXPECT_EQ(after.bottom - after.top, placed.bottom - placed.top) << "the active screen was fitted again";

    {
        TBitmap pasted;
        pasted.SetSize(4, 4);
        ASSERT_TRUE(CopyToClipboard(pasted));
    }
    pasteAsNewFromTheMenu();
    ASSERT_EQ(ScreenCount(), 2) << "Paste as New of 4 x 4 made no screen";
    EXPECT_EQ(ActiveScreen()->Picture().Width(), 4);
    EXPECT_EQ(ActiveScreen()->Caption().rfind("Screen ", 0), 0u) << ActiveScreen()->Caption();
}

TEST_F(Screens, TheNextScreenBecomesActiveAndTakesTheKeysWhenTheActiveOneCloses) {
    EmptyTheClipboard();
    OpenScreenFile(MakePicture("first.bmp", 30, 20));
    OpenScreenFile(MakePicture("second.bmp", 40, 25));
    OpenScreenFile(MakePicture("third.bmp", 50, 35));
    ASSERT_EQ(ScreenCount(), 3);
    TfrmChild* first = ScreenAt(2);
    TfrmChild* second = ScreenAt(1);
    ASSERT_EQ(ActiveScreen()->Caption(), "third");
    // What the program shows of the active screen and whether the keys
    // reach it: Select All and Copy put its whole picture on the clipboard.
    auto takesTheKeys = [](TfrmChild* Screen) {
        frmMain->tmrMain_Timer(nullptr);
        EXPECT_EQ(frmMain->ActiveMDIChild(), Screen) << "the frame's active screen";
        EXPECT_EQ(frmMain->lblStatusBar1->Caption(), Screen->Caption()) << "the status bar names it";
        EXPECT_TRUE(frmMain->tlnSave->Enabled()) << "the screen buttons work on it";
        Chord({VK_CONTROL}, 'A');
        Chord({VK_CONTROL}, 'C');
        TBitmap copied;
        EXPECT_TRUE(PumpUntil([&] { return ReadClipboard(copied); })) << "Ctrl+A, Ctrl+C reached no screen";
        EXPECT_EQ(copied.Width(), Screen->Picture().Width());
        EmptyTheClipboard();
        Press(VK_ESCAPE);  // drops the selection
        Settle();
    };

    frmMain->SetFocus();
    PressAlt('F');
    Tap('C');  // Close
    ASSERT_TRUE(PumpUntil([] { return ScreenCount() == 2; })) << "File > Close closed nothing";
    Settle();
    takesTheKeys(second);

    const POINT closeBox = FindHit(second->Handle(), HTCLOSE);
    ASSERT_NE(closeBox.x, -1) << "the screen shows no close box";
    ClickAt(closeBox);
    ASSERT_TRUE(PumpUntil([] { return ScreenCount() == 1; })) << "the close box closed nothing";
    Settle();
    takesTheKeys(first);
}

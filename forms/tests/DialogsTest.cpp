// The system's file dialogs, driven as a user would: names typed into the
// dialog, the file type chosen with the keyboard, Enter and Escape.
#include <gtest/gtest.h>

#include "Dialogs.h"
#include "Forms.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

// Alt and a letter: the dialog's accelerator of a field.
void AltKey(char Letter) {
    ToFront();
    Key(VK_MENU, false);
    Key(static_cast<WORD>(Letter), false);
    Key(static_cast<WORD>(Letter), true);
    Key(VK_MENU, true);
}

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        GetCurrentDirectoryA(MAX_PATH, startDir);
        dir = std::string(temp) + "FileDialogs" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
        for (const char* name : {"a.bmp", "b.bmp"}) {
            HANDLE f = CreateFileA((dir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ASSERT_NE(f, INVALID_HANDLE_VALUE) << name;
            CloseHandle(f);
        }
        form = new TForm(Application);
        form->SetBounds(100, 100, 300, 200);
        form->SetCaption("Owner");
        form->Show();
    }
    void TearDown() override {
        Free(form);
        // The dialogs make the chosen folder the current one, which could
        // not be removed.
        SetCurrentDirectoryA(startDir);
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do DeleteFileA((dir + "\\" + found.cFileName).c_str());
            while (FindNextFileA(h, &found));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    // Runs Dialog; once the dialog that shows its title is up, Keys runs
    // (and sends the user's keys), while what the dialog is like is noted.
    bool Run(TOpenDialog& Dialog, const std::function<void()>& Keys) {
        Later(form, [&] {
            HWND wnd = nullptr;
            const bool up = PumpUntil([&] {
                wnd = FindWindowA("#32770", Dialog.Title.c_str());
                return wnd && IsWindowVisible(wnd);
            });
            if (!up) {
                ADD_FAILURE() << "no dialog titled \"" << Dialog.Title << "\" came up";
                Press(VK_ESCAPE);
                return;
            }
            owner = GetWindow(wnd, GW_OWNER);
            ownerEnabled = IsWindowEnabled(form->Handle()) != FALSE;
            Keys();
        });
        const bool ok = Dialog.Execute(form->Handle());
        EXPECT_EQ(owner, form->Handle()) << "the dialog belongs to the window given";
        EXPECT_FALSE(ownerEnabled) << "the owner took input while the dialog was up";
        EXPECT_TRUE(IsWindowEnabled(form->Handle())) << "the owner stayed disabled";
        return ok;
    }

    char startDir[MAX_PATH] = {};
    std::string dir;
    TForm* form = nullptr;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};

TEST_F(FileDialogs, SaveGivesTheChosenTypeAndAppendsTheDefaultExtension) {
    auto* dlg = new TSaveDialog(form);
    dlg->Title = "Save Screen 1 As";
    dlg->Filter = "Windows Bitmap|*.bmp|JPEG File Interchange Format|*.jpg|All Files|*.*";
    dlg->FilterIndex = 2;
    dlg->DefaultExt = "bmp";
    dlg->InitialDir = dir;
    dlg->Options = ofOverwritePrompt | ofHideReadOnly | ofPathMustExist;
    // The type goes from the second filter to the third, whose pattern has
    // no extension of its own, so the default one is appended.
    EXPECT_TRUE(Run(*dlg, [] {
        Type("picture");
        AltKey('T');
        Press(VK_DOWN);
        Press(VK_RETURN);
    }));
    EXPECT_EQ(dlg->FileName, dir + "\\picture.bmp");
    EXPECT_EQ(dlg->FilterIndex, 3);
    EXPECT_EQ(dlg->Files(), (std::vector<std::string>{dir + "\\picture.bmp"}));
}

TEST_F(FileDialogs, SaveKeepsNamesLongerThan255Characters) {
    auto* dlg = new TSaveDialog(form);
    dlg->Title = "Save Long";
    dlg->Filter = "Windows Bitmap|*.bmp";
    dlg->DefaultExt = "bmp";
    dlg->InitialDir = dir;
    dlg->Options = ofOverwritePrompt | ofPathMustExist;
    // The longest full path the system allows: MAX_PATH less its zero.
    const std::string name = std::string(MAX_PATH - 1 - dir.size() - 1 - 4, 'n') + ".bmp";
    ASSERT_GT(dir.size() + 1 + name.size(), 255u);
    EXPECT_TRUE(Run(*dlg, [&] {
        Type(name);
        Press(VK_RETURN);
    }));
    EXPECT_EQ(dlg->FileName, dir + "\\" + name);
}

TEST_F(FileDialogs, OpenGivesEveryChosenFileInTheDialogsOrder) {
    auto* dlg = new TOpenDialog(form);
    dlg->Title = "Open Files";
    dlg->Filter = "Windows Bitmap|*.bmp|All Files|*.*";
    dlg->DefaultExt = "bmp";
    dlg->InitialDir = dir;
    dlg->Options = ofHideReadOnly | ofAllowMultiSelect | ofPathMustExist | ofFileMustExist;
    EXPECT_TRUE(Run(*dlg, [] {
        Type("\"b.bmp\" \"a.bmp\"");
        Press(VK_RETURN);
    }));
    EXPECT_EQ(dlg->Files(), (std::vector<std::string>{dir + "\\b.bmp", dir + "\\a.bmp"}));
    EXPECT_EQ(dlg->FileName, dir + "\\b.bmp") << "the first one chosen";
    EXPECT_EQ(dlg->FilterIndex, 1);

    // One file chosen comes as its full path.
    EXPECT_TRUE(Run(*dlg, [] {
        Type("a.bmp");
        Press(VK_RETURN);
    }));
    EXPECT_EQ(dlg->Files(), (std::vector<std::string>{dir + "\\a.bmp"}));
    EXPECT_EQ(dlg->FileName, dir + "\\a.bmp");
}

TEST_F(FileDialogs, CancelLeavesTheNameAsItWas) {
    for (bool save : {false, true}) {
        TOpenDialog* dlg = save ? new TSaveDialog(form) : new TOpenDialog(form);
        dlg->Title = save ? "Save Cancelled" : "Open Cancelled";
        dlg->Filter = "Windows Bitmap|*.bmp|All Files|*.*";
        dlg->FilterIndex = 2;
        dlg->FileName = "keep.bmp";
        dlg->InitialDir = dir;
        EXPECT_FALSE(Run(*dlg, [] {
            Type("other");
            Press(VK_ESCAPE);
        })) << dlg->Title;
        EXPECT_EQ(dlg->FileName, "keep.bmp") << dlg->Title;
        EXPECT_EQ(dlg->FilterIndex, 2) << dlg->Title;
        EXPECT_TRUE(dlg->Files().empty()) << dlg->Title;
    }
}

}  // namespace

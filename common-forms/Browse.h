// The folder browser: a tree of the drives and their folders, with the
// shell's small icons and display names, read as the user opens the nodes.
#pragma once
#include <string>

#include "Forms.h"
#include "Menus.h"
#include "TreeView.h"

// The path routine of the library: with Add a backslash is appended when S
// does not end with one, without it one trailing backslash is removed; an
// empty S stays empty. S is changed in place and R receives the result.
void SetTrailingBackslash(std::string& S, bool Add, std::string& R);

class TfrmBrowse : public forms::TForm {
public:
    explicit TfrmBrowse(forms::TComponent* AOwner);

    forms::TLabel* lblText = nullptr;
    forms::TLabel* lblFolderList = nullptr;
    forms::TTreeView* tvwFolderList = nullptr;
    forms::TPanel* panMain1 = nullptr;
    forms::TButton* cmdOK = nullptr;
    forms::TButton* cmdCancel = nullptr;
    forms::TImageList* imlFolders = nullptr;

    // Before the dialog shows: the start path in capitals. On OK: the full
    // path of the chosen folder, with its trailing backslash.
    std::string BrowsePath;

    void Form_Show(forms::TComponent* Sender);
    void tvwFolderList_Expanding(forms::TComponent* Sender, forms::TTreeNode* Node, bool& AllowExpansion);
    // A folder coming into view: its icons, and its placeholder when it has
    // entries.
    void tvwFolderList_SetUpNode(forms::TComponent* Sender, forms::TTreeNode* Node);
    void tvwFolderList_Compare(forms::TComponent* Sender, forms::TTreeNode* Node1, forms::TTreeNode* Node2,
                               int& Compare);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);

private:
    void FillDriveList();
    // Opens, below the selected drive, the folders that BrowsePath names,
    // as far as they are found.
    void WalkToBrowsePath();
    // Gives Node the folder of Path (a backslash is added): its data, the
    // shell's display name and its closed and open icons.
    void SetUpNode(forms::TTreeNode* Node, const std::string& Path);
    // Gives Node the shell's small icon Icon and its open icon.
    void SetIcons(forms::TTreeNode* Node, int Icon);
    // The shell's small icons of the Windows folder, closed and open.
    int FFolderIcon = -1;
    int FOpenFolderIcon = -1;
};

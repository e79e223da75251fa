// The system's dialogs for choosing files to open and a name to save under.
#pragma once
#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

#include "Classes.h"

namespace forms {

// Options of the file dialogs; the values are the system's own flags.
enum : DWORD {
    ofHideReadOnly = OFN_HIDEREADONLY,
    ofAllowMultiSelect = OFN_ALLOWMULTISELECT,
    ofPathMustExist = OFN_PATHMUSTEXIST,
    ofFileMustExist = OFN_FILEMUSTEXIST,
    ofOverwritePrompt = OFN_OVERWRITEPROMPT,
};

// The dialog for choosing files to open.
class TOpenDialog : public TComponent {
public:
    using TComponent::TComponent;

    // Appended, without its dot, to a name typed without an extension when
    // the chosen filter names none.
    std::string DefaultExt;
    // The name the dialog starts with; after OK the chosen file (the first
    // one when several were chosen).
    std::string FileName;
    // Pairs of description and pattern, all separated by "|":
    // "Windows Bitmap|*.bmp|All Files|*.*".
    std::string Filter;
    // The filter shown first, and after OK the one chosen; counted from 1.
    int FilterIndex = 1;
    std::string InitialDir;
    // The dialog's caption; empty: the system's own.
    std::string Title;
    DWORD Options = 0;

    // Shows the dialog modally above Owner, which takes no input meanwhile;
    // true when the user chose OK.
    bool Execute(HWND Owner);
    // The full paths of the files chosen, in the dialog's order.
    const std::vector<std::string>& Files() const { return FFiles; }

protected:
    // Runs the system's dialog.
    virtual BOOL RunDialog(OPENFILENAMEA& Params) { return GetOpenFileNameA(&Params); }

private:
    std::vector<std::string> FFiles;
};

// The dialog for choosing a name to save under.
class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    BOOL RunDialog(OPENFILENAMEA& Params) override { return GetSaveFileNameA(&Params); }
};

}  // namespace forms

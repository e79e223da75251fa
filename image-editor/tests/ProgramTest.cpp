// The whole program, started as a user starts it.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

// Mirolux.exe beside this test program.
std::string ProgramPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1) + "Mirolux.exe";
}

HWND WaitForWindow(const char* Title, int Ms) {
    HWND found = nullptr;
    testsupport::PumpUntil([&] { return (found = FindWindowA(nullptr, Title)) != nullptr && IsWindowVisible(found); },
                           Ms);
    return found;
}

TEST(Program, OpensItsMainWindowAndEndsCleanlyWhenItIsClosed) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = "\"" + ProgramPath() + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << "could not start " << cmd;

    HWND main = WaitForWindow("Zelvani Mirolux", 10000);
    ASSERT_NE(main, nullptr) << "no visible window titled \"Zelvani Mirolux\"";
    DWORD owner = 0;
    GetWindowThreadProcessId(main, &owner);
    EXPECT_EQ(owner, pi.dwProcessId);
    RECT r;
    GetClientRect(main, &r);
    EXPECT_GT(r.right, 0);
    EXPECT_GT(r.bottom, 0);

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0) << "the program did not end";
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

}  // namespace

// The printer list against the spooler of the test's Wine prefix, with real
// printers on Wine's PostScript driver: read anew on refresh, the default
// one, what the driver says of the selected one, a printer gone since the
// list was read, and the current printer object set aside and back.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Printers.h"
#include "TestPrinters.h"

using namespace forms;

namespace {

int IndexOf(const TPrinter& P, const std::string& Name) {
    const auto& names = P.Printers();
    const auto found = std::find(names.begin(), names.end(), Name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

class PrinterList : public ::testing::Test {
protected:
    void SetUp() override {
        testprinters::RemoveAll();
        ASSERT_TRUE(testprinters::Install("List Probe One")) << "a printer on Wine's PostScript driver";
        ASSERT_TRUE(testprinters::Install("List Probe Two", "LPT1:"));
    }
    void TearDown() override { testprinters::RemoveAll(); }
};

TEST_F(PrinterList, IsReadAnewOnRefreshWithThePortsOfThePrinters) {
    TPrinter printer;
    EXPECT_EQ(printer.Printers(), testprinters::InstalledNames()) << "the spooler's printers in its order";
    const int one = IndexOf(printer, "List Probe One"), two = IndexOf(printer, "List Probe Two");
    ASSERT_GE(one, 0);
    ASSERT_GE(two, 0);
    EXPECT_EQ(printer.Port(one), "FILE:");
    EXPECT_EQ(printer.Port(two), "LPT1:");
    EXPECT_EQ(printer.Port(7), "") << "a number outside the list has no port";

    ASSERT_TRUE(testprinters::Install("List Probe Three"));
    EXPECT_EQ(IndexOf(printer, "List Probe Three"), -1) << "the list stays as read until it is refreshed";
    printer.Refresh();
    EXPECT_GE(IndexOf(printer, "List Probe Three"), 0) << "a printer added since is listed after a refresh";
    ASSERT_TRUE(testprinters::Remove("List Probe One"));
    printer.Refresh();
    EXPECT_EQ(IndexOf(printer, "List Probe One"), -1) << "a printer removed since is gone after a refresh";
}

TEST_F(PrinterList, MinusOneSelectsTheDefaultPrinterOrTheFirstWithoutOne) {
    ASSERT_TRUE(testprinters::MakeDefault("List Probe Two"));
    TPrinter printer;
    const int two = IndexOf(printer, "List Probe Two");
    EXPECT_EQ(printer.DefaultIndex(), two);
    EXPECT_EQ(printer.PrinterIndex(), two) << "a fresh list selects the default printer";
    printer.SetPrinterIndex(1 - two);
    EXPECT_EQ(printer.PrinterIndex(), 1 - two);
    printer.SetPrinterIndex(-1);
    EXPECT_EQ(printer.PrinterIndex(), two);

    testprinters::ClearDefault();
    EXPECT_EQ(printer.DefaultIndex(), -1) << "no default printer";
    printer.SetPrinterIndex(-1);
    EXPECT_EQ(printer.PrinterIndex(), 0) << "without a default the first printer stands in";
}

TEST_F(PrinterList, TheSelectedPrintersDeviceDriverPortAndFullModeAreRead) {
    TPrinter printer;
    printer.SetPrinterIndex(IndexOf(printer, "List Probe Two"));
    std::string device, driver, port;
    std::vector<BYTE> mode;
    ASSERT_TRUE(printer.ReadSelected(device, driver, port, mode));
    EXPECT_EQ(device, "List Probe Two");
    EXPECT_EQ(driver, testprinters::kDriver);
    EXPECT_EQ(port, "LPT1:");
    ASSERT_GE(mode.size(), sizeof(DEVMODEA));
    const auto& dm = *reinterpret_cast<const DEVMODEA*>(mode.data());
    EXPECT_EQ(reinterpret_cast<const char*>(dm.dmDeviceName), device);
    EXPECT_EQ(mode.size(), static_cast<size_t>(dm.dmSize) + dm.dmDriverExtra)
        << "the whole mode: the public part and the driver's own data";
}

TEST_F(PrinterList, APrinterRemovedSinceTheListWasReadIsNotRead) {
    TPrinter printer;
    printer.SetPrinterIndex(IndexOf(printer, "List Probe One"));
    ASSERT_TRUE(testprinters::Remove("List Probe One"));
    std::string device = "untouched", driver = "untouched", port = "untouched";
    std::vector<BYTE> mode(3, 7);
    EXPECT_FALSE(printer.ReadSelected(device, driver, port, mode)) << "a printer that cannot be opened";
    EXPECT_EQ(device + driver + port, "untoucheduntoucheduntouched");
    EXPECT_EQ(mode, std::vector<BYTE>(3, 7));
}

TEST_F(PrinterList, TheCurrentObjectIsSetAsideAndMadeCurrentAgain) {
    TPrinter* first = &Printer();
    EXPECT_EQ(&Printer(), first) << "the current object stays while nobody replaces it";
    std::unique_ptr<TPrinter> aside = SetCurrentPrinter(nullptr);
    EXPECT_EQ(aside.get(), first);

    ASSERT_TRUE(testprinters::Install("List Probe Three"));
    TPrinter* fresh = &Printer();
    EXPECT_NE(fresh, first) << "the next use makes a fresh object";
    EXPECT_GE(IndexOf(*fresh, "List Probe Three"), 0) << "which reads the installed printers anew";
    EXPECT_EQ(IndexOf(*aside, "List Probe Three"), -1);

    std::unique_ptr<TPrinter> dialogs = SetCurrentPrinter(std::move(aside));
    EXPECT_EQ(dialogs.get(), fresh);
    EXPECT_EQ(&Printer(), first) << "the object set aside is current again";
}

}  // namespace

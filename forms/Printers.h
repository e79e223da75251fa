// The installed printers: their list, the one selected, and what its driver
// says about it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace forms {

// A printer opened by its device name, closed when it goes; Handle() is
// nullptr when it could not be opened.
class TOpenPrinter {
public:
    explicit TOpenPrinter(const std::string& Device);
    ~TOpenPrinter();
    TOpenPrinter(const TOpenPrinter&) = delete;
    TOpenPrinter& operator=(const TOpenPrinter&) = delete;
    HANDLE Handle() const { return FHandle; }

private:
    HANDLE FHandle = nullptr;
};

class TPrinter {
public:
    // Reads the installed printers (local and connected).
    TPrinter();

    // Reads the installed printers anew, in the system's order; the
    // selection goes back to the default printer.
    void Refresh();
    // The device names, in the list's order.
    const std::vector<std::string>& Printers() const { return FNames; }
    // The port the printer of Index prints to ("" outside the list).
    std::string Port(int Index) const;
    // The number of the system's default printer, -1 when there is none or
    // it is not in the list.
    int DefaultIndex() const;
    // The selected printer; -1 when the list is empty.
    int PrinterIndex() const;
    // Selects a printer by its number; -1 (or a number outside the list)
    // selects the default printer.
    void SetPrinterIndex(int Value);

    // What the selected printer's driver says about it: its device name,
    // driver, port and current device mode (the whole block the driver
    // works in, public part and its own data). False when there is no
    // printer or it cannot be opened; nothing is read then.
    bool ReadSelected(std::string& Device, std::string& Driver, std::string& Port, std::vector<BYTE>& DevMode) const;

private:
    std::vector<std::string> FNames, FPorts;
    int FIndex = -1;
};

// The current printer object of this module, made when first asked for; so
// after SetCurrentPrinter(nullptr) the next call makes a fresh one, which reads the
// installed printers anew.
TPrinter& Printer();
// Makes Value the current printer object and hands back the one that was
// current (nullptr when none was made yet), so that it can be set aside and
// made current again.
std::unique_ptr<TPrinter> SetCurrentPrinter(std::unique_ptr<TPrinter> Value);

}  // namespace forms

#include "Printers.h"

#include <winspool.h>

namespace forms {

namespace {

std::unique_ptr<TPrinter>& Current() {
    static std::unique_ptr<TPrinter> current;
    return current;
}

}  // namespace

TOpenPrinter::TOpenPrinter(const std::string& Device) {
    std::string name = Device;
    if (!OpenPrinterA(name.data(), &FHandle, nullptr)) FHandle = nullptr;
}

TOpenPrinter::~TOpenPrinter() {
    if (FHandle) ClosePrinter(FHandle);
}

TPrinter::TPrinter() { Refresh(); }

void TPrinter::Refresh() {
    FNames.clear();
    FPorts.clear();
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    // A printer added between the two calls needs more room: the list is
    // then read as it was, empty.
    if (needed && EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            FNames.emplace_back(info[i].pPrinterName ? info[i].pPrinterName : "");
            FPorts.emplace_back(info[i].pPortName ? info[i].pPortName : "");
        }
    }
    SetPrinterIndex(-1);
}

std::string TPrinter::Port(int Index) const {
    return Index >= 0 && Index < static_cast<int>(FPorts.size()) ? FPorts[Index] : std::string();
}

int TPrinter::DefaultIndex() const {
    char name[MAX_PATH] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size)) return -1;
    for (size_t i = 0; i < FNames.size(); ++i)
        if (FNames[i] == name) return static_cast<int>(i);
    return -1;
}

int TPrinter::PrinterIndex() const { return FIndex; }

void TPrinter::SetPrinterIndex(int Value) {
    if (Value < 0 || Value >= static_cast<int>(FNames.size())) {
        Value = DefaultIndex();
        // Without a default printer the first one stands in for it.
        if (Value < 0 && !FNames.empty()) Value = 0;
    }
    FIndex = Value;
}

bool TPrinter::ReadSelected(std::string& Device, std::string& Driver, std::string& Port,
                          std::vector<BYTE>& DevMode) const {
    if (FIndex < 0) return false;
    std::string name = FNames[FIndex];
    TOpenPrinter printer(name);
    if (!printer.Handle()) return false;
    DWORD needed = 0;
    GetPrinterA(printer.Handle(), 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    if (!needed || !GetPrinterA(printer.Handle(), 2, info.data(), needed, &needed)) return false;
    const LONG size = DocumentPropertiesA(nullptr, printer.Handle(), name.data(), nullptr, nullptr, 0);
    if (size < static_cast<LONG>(offsetof(DEVMODEA, dmFields))) return false;
    std::vector<BYTE> mode(size);
    if (DocumentPropertiesA(nullptr, printer.Handle(), name.data(), reinterpret_cast<DEVMODEA*>(mode.data()),
                            nullptr, DM_OUT_BUFFER) != IDOK)
        return false;
    const auto* printerInfo = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
    Device = name;
    Driver = printerInfo->pDriverName ? printerInfo->pDriverName : "";
    Port = printerInfo->pPortName ? printerInfo->pPortName : "";
    DevMode = std::move(mode);
    return true;
}

TPrinter& Printer() {
    auto& current = Current();
    if (!current) current = std::make_unique<TPrinter>();
    return *current;
}

std::unique_ptr<TPrinter> SetCurrentPrinter(std::unique_ptr<TPrinter> Value) {
    auto& current = Current();
    std::swap(current, Value);
    return Value;
}

}  // namespace forms

// Real printers for tests, in the test run's Wine prefix: PostScript
// printers on Wine's own driver, described by a small PPD file that the test
// writes, printing to a port ("FILE:" unless asked). The spooler keeps them
// in the prefix's registry, so every test that installs or counts printers
// runs alone (DISPLAY) and removes its printers again.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace testprinters {

// The driver every test printer uses: Wine's PostScript driver with the
// test's PPD as its data file.
constexpr const char* kDriver = "Mirolux Test PostScript";

inline std::string PpdPath() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "mirolux-test.ppd";
}

// A PPD with two page sizes, both orientations and one resolution: enough
// for the driver to give a full device mode and its property sheet.
inline bool WritePpd() {
    static const char kPpd[] =
        "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
        "*LanguageEncoding: ISOLatin1\n*PCFileName: \"MIROTEST.PPD\"\n*Manufacturer: \"Mirolux\"\n"
        "*Product: \"(Test Printer)\"\n*PSVersion: \"(3010) 0\"\n*ModelName: \"Mirolux Test Printer\"\n"
        "*ShortNickName: \"Mirolux Test Printer\"\n*NickName: \"Mirolux Test Printer\"\n*LanguageLevel: \"3\"\n"
        "*ColorDevice: True\n*DefaultColorSpace: RGB\n*FileSystem: False\n*Throughput: \"1\"\n"
        "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
        "*OpenUI *PageSize/Media Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n*DefaultPageSize: A4\n"
        "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
        "*PageSize Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageSize\n"
        "*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n*DefaultPageRegion: A4\n"
        "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
        "*PageRegion Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageRegion\n"
        "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 36 577 806\"\n"
        "*ImageableArea Letter/US Letter: \"18 36 594 756\"\n*DefaultPaperDimension: A4\n"
        "*PaperDimension A4/A4: \"595 842\"\n*PaperDimension Letter/US Letter: \"612 792\"\n"
        "*DefaultResolution: 300dpi\n*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n";
    HANDLE file = CreateFileA(PpdPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, kPpd, sizeof kPpd - 1, &written, nullptr);
    CloseHandle(file);
    return ok && written == sizeof kPpd - 1;
}

// Installs the test driver (again: the spooler copies the PPD into its own
// driver folder).
inline bool InstallDriver() {
    if (!WritePpd()) return false;
    std::string ppd = PpdPath();
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(kDriver);
    info.pDriverPath = const_cast<char*>("wineps.drv");
    info.pDataFile = ppd.data();
    info.pConfigFile = const_cast<char*>("wineps.drv");
    info.pDefaultDataType = const_cast<char*>("RAW");
    return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info),
                               APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) != FALSE;
}

inline bool Install(const std::string& Name, const std::string& Port = "FILE:") {
    if (!InstallDriver()) return false;
    std::string name = Name, port = Port;
    PRINTER_INFO_2A info = {};
    info.pPrinterName = name.data();
    info.pPortName = port.data();
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    return true;
}

inline bool Remove(const std::string& Name) {
    std::string name = Name;
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name.data(), &printer, &access)) return false;
    const BOOL ok = DeletePrinter(printer);
    ClosePrinter(printer);
    return ok != FALSE;
}

// The installed printers with their drivers, in the spooler's order.
struct Installed {
    std::string Name, Driver;
};
inline std::vector<Installed> InstalledPrinters() {
    std::vector<Installed> result;
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (!needed || !EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed,
                                  &needed, &count))
        return result;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) result.push_back({info[i].pPrinterName, info[i].pDriverName});
    return result;
}

inline std::vector<std::string> InstalledNames() {
    std::vector<std::string> names;
    for (const auto& p : InstalledPrinters()) names.push_back(p.Name);
    return names;
}

// No printer is the default one.
inline void ClearDefault() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0, KEY_SET_VALUE,
                      &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, "Device");
    RegCloseKey(key);
}

inline bool MakeDefault(const std::string& Name) { return SetDefaultPrinterA(Name.c_str()) != FALSE; }

// Removes every printer (a run's printers, also those a broken run left)
// and the default.
inline void RemoveAll() {
    for (const auto& p : InstalledPrinters()) Remove(p.Name);
    ClearDefault();
}

// The device mode the printer's driver starts from, in its 156-byte form.
inline DEVMODEA DriverMode(const std::string& Name) {
    DEVMODEA mode = {};
    std::string name = Name;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name.data(), &printer, nullptr)) return mode;
    const LONG size = DocumentPropertiesA(nullptr, printer, name.data(), nullptr, nullptr, 0);
    if (size >= static_cast<LONG>(sizeof mode)) {
        std::vector<BYTE> full(size);
        if (DocumentPropertiesA(nullptr, printer, name.data(), reinterpret_cast<DEVMODEA*>(full.data()), nullptr,
                                DM_OUT_BUFFER) == IDOK)
            mode = *reinterpret_cast<const DEVMODEA*>(full.data());
    }
    ClosePrinter(printer);
    return mode;
}

}  // namespace testprinters

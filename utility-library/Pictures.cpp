// Picture files: Windows bitmaps, JPEG, enhanced and Windows metafiles, told
// apart by the file name's extension. A file that cannot be read gives no
// picture and no message: the caller says that it cannot open it.
#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "BmpReader.h"
#include "Classes.h"
#include "Metafile.h"
#include "Zelvani.h"

namespace {

using pictures::TByteSource;

// Quality 90 keeps the edges and text of screen pictures free of visible
// artefacts at a fraction of the bitmap's size.
constexpr int kJpegQuality = 90;
constexpr std::size_t kJpegBuffer = 1 << 16;
// A metafile is read whole. The largest holds the largest picture as a
// bitmap, twice over as a WMF made by GDI (which keeps the enhanced original
// inside).
constexpr std::uint64_t kMaxMetafileBytes = 2 * pictures::kMaxPictureBytes + (1 << 20);
// The placeable header in front of a WMF: a key, the picture's box in the
// metafile's units and how many of them make an inch.
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kWmfHeaderSize = 18;
constexpr unsigned kWmfEnd = 0;             // the function code of the last record
constexpr std::size_t kEmfHeaderSize = 88;  // the header without its later extensions

enum class TFormat { None, Bmp, Jpeg, Emf, Wmf };

TFormat FormatOf(const std::string& Name) {
    const std::size_t dot = Name.find_last_of('.'), folder = Name.find_last_of("\\/:");
    if (dot == std::string::npos || (folder != std::string::npos && dot < folder)) return TFormat::None;
    std::string ext = Name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ext == "BMP") return TFormat::Bmp;
    if (ext == "JPG" || ext == "JPE" || ext == "JPEG") return TFormat::Jpeg;
    if (ext == "EMF") return TFormat::Emf;
    if (ext == "WMF") return TFormat::Wmf;
    return TFormat::None;
}

// V * Num / Den rounded to the nearest; 0 unless Num and Den are positive.
std::int64_t Scale(std::int64_t V, std::int64_t Num, std::int64_t Den) {
    return Num > 0 && Den > 0 ? (V * Num + Den / 2) / Den : 0;
}

class TFileSource : public TByteSource {
public:
    explicit TFileSource(const char* Name)
        : FHandle(CreateFileA(Name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {
        LARGE_INTEGER size;
        if (FHandle != INVALID_HANDLE_VALUE && GetFileSizeEx(FHandle, &size)) FSize = size.QuadPart;
    }
    ~TFileSource() override {
        if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
    }
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;

    bool Opened() const { return FHandle != INVALID_HANDLE_VALUE; }
    std::uint64_t Size() const override { return FSize; }
    bool ReadAt(std::uint64_t Offset, void* Buffer, std::size_t Count) override {
        if (Offset > FSize || Count > FSize - Offset) return false;
        for (auto* p = static_cast<char*>(Buffer); Count;) {
            OVERLAPPED at = {};
            at.Offset = static_cast<DWORD>(Offset), at.OffsetHigh = static_cast<DWORD>(Offset >> 32);
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(Count, 1 << 30));
            DWORD got = 0;
            if (!ReadFile(FHandle, p, want, &got, &at) || !got) return false;
            p += got, Offset += got, Count -= got;
        }
        return true;
    }

private:
    HANDLE FHandle;
    std::uint64_t FSize = 0;
};

// Writes a file under a temporary name in the target's folder and puts it in
// the target's place only when all of it is written: a failed save (a full
// disk, a read-only target, a folder of that name) leaves an existing file
// as it was, and no temporary file behind.
class TSafeFile {
public:
    explicit TSafeFile(const std::string& Target) : FTarget(Target) {
        // Not every system refuses to rename over a read-only file.
        const DWORD attributes = GetFileAttributesA(Target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
            return;
        const std::size_t folder = Target.find_last_of("\\/:");
        const std::string dir = folder == std::string::npos ? "." : Target.substr(0, folder + 1);
        char temp[MAX_PATH];
        if (!GetTempFileNameA(dir.c_str(), "zvp", 0, temp)) return;  // makes the empty file
        FTemp = temp;
        FHandle = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~TSafeFile() {
        Close();
        if (!FTemp.empty()) DeleteFileA(FTemp.c_str());
    }
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    // False once any write has failed.
    bool Write(const void* Data, std::size_t Count) {
        for (auto* p = static_cast<const char*>(Data); Count && FHandle != INVALID_HANDLE_VALUE;) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(Count, 1 << 30));
            DWORD done = 0;
            if (!WriteFile(FHandle, p, want, &done, nullptr) || done != want) Close();
            p += done, Count -= done;
        }
        return FHandle != INVALID_HANDLE_VALUE;
    }
    // Puts the file in the target's place; false when a write failed or the
    // target cannot be replaced.
    bool Commit() {
        if (FHandle == INVALID_HANDLE_VALUE) return false;
        const bool closed = CloseHandle(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
        if (!closed || !MoveFileExA(FTemp.c_str(), FTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        FTemp.clear();
        return true;
    }

private:
    void Close() {
        if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
    }
    std::string FTarget, FTemp;
    HANDLE FHandle = INVALID_HANDLE_VALUE;
};

// The screen's device context: the reference device of the metafiles made
// here, and its pixel sizes.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, FDC); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;

    HDC Handle() const { return FDC; }
    int PixelsPerInch() const { return GetDeviceCaps(FDC, LOGPIXELSX); }
    // Pixels across as 0.01 mm on the screen; and down.
    LONG HundredthsAcross(std::int64_t Pixels) const {
        return static_cast<LONG>(Scale(Pixels, GetDeviceCaps(FDC, HORZSIZE) * 100, GetDeviceCaps(FDC, HORZRES)));
    }
    LONG HundredthsDown(std::int64_t Pixels) const {
        return static_cast<LONG>(Scale(Pixels, GetDeviceCaps(FDC, VERTSIZE) * 100, GetDeviceCaps(FDC, VERTRES)));
    }

private:
    HDC FDC;
};

// ---- JPEG ------------------------------------------------------------------

// libjpeg is C and reports errors through error_exit, which must not return:
// it jumps back to Guard's setjmp. The frames it skips (libjpeg's, the
// work's, and those of the source and destination callbacks) hold no C++
// objects with destructors; what must be freed belongs to the reader or
// writer object that outlives the jump.
struct TJpegErrors {
    jpeg_error_mgr Mgr;  // first: libjpeg's err points at the whole record
    std::jmp_buf Jump;

    TJpegErrors() {
        jpeg_std_error(&Mgr);
        Mgr.error_exit = Fail;
        Mgr.emit_message = Message;
    }
    template <class Work>
    bool Guard(Work&& W) {
        if (setjmp(Jump)) return false;
        W();
        return true;
    }
    [[noreturn]] static void Fail(j_common_ptr Info) {
        std::longjmp(reinterpret_cast<TJpegErrors*>(Info->err)->Jump, 1);
    }
    // Warnings about damaged picture data (a premature end, a bad code, a
    // broken progression) fail the picture, for libjpeg would fill the gap
    // with grey and the user would take it for the file's. Warnings about
    // metadata pass; trace messages are dropped.
    static void Message(j_common_ptr Info, int Level) {
        if (Level >= 0) return;
        switch (Info->err->msg_code) {
        case JWRN_ADOBE_XFORM:
        case JWRN_BOGUS_ICC:
        case JWRN_EXTRANEOUS_DATA:
        case JWRN_JFIF_MAJOR:
            return;
        default:
            Fail(Info);
        }
    }
};

// Adobe's CMYK JPEGs (Photoshop's, and the cameras' that follow it) store
// the inks inverted, 255 for none; others store them as they are.
void CmykToBgr(const JSAMPLE* Src, std::uint8_t* Dst, unsigned Width, bool Inverted) {
    for (unsigned x = 0; x < Width; ++x, Src += 4, Dst += 3) {
        const int white = Inverted ? Src[3] : 255 - Src[3];
        for (int c = 0; c < 3; ++c)
            Dst[2 - c] = static_cast<std::uint8_t>(((Inverted ? Src[c] : 255 - Src[c]) * white + 127) / 255);
    }
}

class TJpegReader {
public:
    explicit TJpegReader(TByteSource& File) : FFile(File), FBuffer(kJpegBuffer) {
        FInfo.err = &FErrors.Mgr;
        FInfo.client_data = this;
        FSource.init_source = [](j_decompress_ptr) {};
        FSource.fill_input_buffer = Fill;
        FSource.skip_input_data = Skip;
        FSource.resync_to_restart = jpeg_resync_to_restart;
        FSource.term_source = [](j_decompress_ptr) {};
    }
    // Also right when the decoder was never created, or failed being created.
    ~TJpegReader() { jpeg_destroy_decompress(&FInfo); }
    TJpegReader(const TJpegReader&) = delete;
    TJpegReader& operator=(const TJpegReader&) = delete;

    std::unique_ptr<forms::TBitmap> Read() {
        if (!FErrors.Guard([this] { Decode(); })) return nullptr;
        return std::move(FPicture);
    }

private:
    void Decode() {
        jpeg_create_decompress(&FInfo);  // keeps err and client_data
        FInfo.src = &FSource;
        jpeg_read_header(&FInfo, TRUE);
        const J_COLOR_SPACE space = FInfo.jpeg_color_space;
        const bool cmyk = space == JCS_CMYK || space == JCS_YCCK;
        if (!cmyk && space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB)
            ERREXIT(&FInfo, JERR_CONVERSION_NOTIMPL);
        // Refused before libjpeg allocates for the whole picture.
        if (!pictures::SaneSize(FInfo.image_width, FInfo.image_height)) ERREXIT(&FInfo, JERR_WIDTH_OVERFLOW);
        FInfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;  // BGR: the order of the bitmap's rows
        jpeg_start_decompress(&FInfo);
        FPicture = pictures::NewPicture(FInfo.output_width, FInfo.output_height);
        if (!FPicture) ERREXIT(&FInfo, JERR_OUT_OF_MEMORY);
        JSAMPARRAY inks = cmyk ? (*FInfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&FInfo), JPOOL_IMAGE,
                                                            FInfo.output_width * 4, 1)
                               : nullptr;
        while (FInfo.output_scanline < FInfo.output_height) {
            std::uint8_t* row = FPicture->ScanLine(static_cast<int>(FInfo.output_scanline));
            JSAMPROW into = cmyk ? inks[0] : row;
            jpeg_read_scanlines(&FInfo, &into, 1);
            if (cmyk) CmykToBgr(inks[0], row, FInfo.output_width, FInfo.saw_Adobe_marker);
        }
        jpeg_finish_decompress(&FInfo);
    }
    // A file that ends before its end-of-image marker is refused, though
    // libjpeg could show the rows it has.
    static boolean Fill(j_decompress_ptr Info) {
        auto* self = static_cast<TJpegReader*>(Info->client_data);
        const std::uint64_t size = self->FFile.Size();
        const std::size_t n = self->FNext < size ? std::min<std::uint64_t>(kJpegBuffer, size - self->FNext) : 0;
        if (!n) ERREXIT(Info, JERR_INPUT_EOF);
        if (!self->FFile.ReadAt(self->FNext, self->FBuffer.data(), n)) ERREXIT(Info, JERR_FILE_READ);
        self->FNext += n;
        self->FSource.next_input_byte = self->FBuffer.data();
        self->FSource.bytes_in_buffer = n;
        return TRUE;
    }
    static void Skip(j_decompress_ptr Info, long Count) {
        auto* self = static_cast<TJpegReader*>(Info->client_data);
        jpeg_source_mgr& src = self->FSource;
        if (Count <= 0) return;
        if (static_cast<std::size_t>(Count) <= src.bytes_in_buffer) {
            src.next_input_byte += Count;
            src.bytes_in_buffer -= Count;
        } else {
            self->FNext += Count - src.bytes_in_buffer;
            src.bytes_in_buffer = 0;
        }
    }

    TByteSource& FFile;
    std::vector<JOCTET> FBuffer;
    std::uint64_t FNext = 0;  // where the next read starts
    TJpegErrors FErrors;
    jpeg_source_mgr FSource = {};
    jpeg_decompress_struct FInfo = {};
    std::unique_ptr<forms::TBitmap> FPicture;
};

class TJpegWriter {
public:
    explicit TJpegWriter(TSafeFile& File) : FFile(File), FBuffer(kJpegBuffer) {
        FInfo.err = &FErrors.Mgr;
        FInfo.client_data = this;
        FDestination.init_destination = Restart;
        FDestination.empty_output_buffer = Empty;
        FDestination.term_destination = Finish;
    }
    // Also right when the encoder was never created, or failed being created.
    ~TJpegWriter() { jpeg_destroy_compress(&FInfo); }
    TJpegWriter(const TJpegWriter&) = delete;
    TJpegWriter& operator=(const TJpegWriter&) = delete;

    bool Write(forms::TBitmap& Picture) {
        return FErrors.Guard([&] { Encode(Picture); });
    }

private:
    void Encode(forms::TBitmap& Picture) {
        jpeg_create_compress(&FInfo);  // keeps err and client_data
        FInfo.dest = &FDestination;
        FInfo.image_width = Picture.Width();
        FInfo.image_height = Picture.Height();
        FInfo.input_components = 3;
        FInfo.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&FInfo);
        jpeg_set_quality(&FInfo, kJpegQuality, TRUE);
        jpeg_start_compress(&FInfo, TRUE);
        while (FInfo.next_scanline < FInfo.image_height) {
            JSAMPROW row = Picture.ScanLine(static_cast<int>(FInfo.next_scanline));
            jpeg_write_scanlines(&FInfo, &row, 1);
        }
        jpeg_finish_compress(&FInfo);
    }
    // Writes the first Count bytes of the buffer; a failed write fails the picture.
    static void Flush(j_compress_ptr Info, std::size_t Count) {
        auto* self = static_cast<TJpegWriter*>(Info->client_data);
        if (!self->FFile.Write(self->FBuffer.data(), Count)) ERREXIT(Info, JERR_FILE_WRITE);
        Restart(Info);
    }
    static void Restart(j_compress_ptr Info) {
        auto* self = static_cast<TJpegWriter*>(Info->client_data);
        self->FDestination.next_output_byte = self->FBuffer.data();
        self->FDestination.free_in_buffer = self->FBuffer.size();
    }
    static boolean Empty(j_compress_ptr Info) {
        Flush(Info, kJpegBuffer);
        return TRUE;
    }
    static void Finish(j_compress_ptr Info) {
        Flush(Info, kJpegBuffer - static_cast<TJpegWriter*>(Info->client_data)->FDestination.free_in_buffer);
    }

    TSafeFile& FFile;
    std::vector<JOCTET> FBuffer;
    TJpegErrors FErrors;
    jpeg_destination_mgr FDestination = {};
    jpeg_compress_struct FInfo = {};
};

// ---- Metafiles -------------------------------------------------------------

// The whole file; empty when it is larger than any metafile read here or
// cannot be read.
std::vector<std::uint8_t> ReadWhole(TByteSource& File) {
    if (File.Size() > kMaxMetafileBytes) return {};
    std::vector<std::uint8_t> bytes(File.Size());
    if (!File.ReadAt(0, bytes.data(), bytes.size())) return {};
    return bytes;
}

// The graphic of a metafile of that size in pixels, or of its frame's size
// on its reference device when the size is not known; nullptr without a
// metafile or when the size is not sane.
std::unique_ptr<forms::TGraphic> MetafileGraphic(HENHMETAFILE Handle, std::int64_t Width, std::int64_t Height) {
    ENHMETAHEADER h = {};
    if (Handle && !Width && GetEnhMetaFileHeader(Handle, sizeof h, &h)) {
        Width = Scale(h.rclFrame.right - h.rclFrame.left, h.szlDevice.cx, h.szlMillimeters.cx * 100LL);
        Height = Scale(h.rclFrame.bottom - h.rclFrame.top, h.szlDevice.cy, h.szlMillimeters.cy * 100LL);
    }
    // The program renders a metafile into a bitmap of its size.
    if (!Handle || !pictures::SaneSize(Width, Height)) {
        if (Handle) DeleteEnhMetaFile(Handle);
        return nullptr;
    }
    return std::make_unique<forms::TMetafile>(Handle, static_cast<int>(Width), static_cast<int>(Height));
}

// The header and the chain of records up to the end-of-file record must lie
// in the data; GDI reads the records' contents.
bool EmfIntact(const std::vector<std::uint8_t>& D) {
    using pictures::U32;
    if (D.size() < kEmfHeaderSize) return false;
    const std::uint32_t headerSize = U32(&D[4]), bytes = U32(&D[48]);
    if (U32(&D[0]) != EMR_HEADER || U32(&D[40]) != ENHMETA_SIGNATURE || headerSize < kEmfHeaderSize ||
        bytes > D.size() || headerSize > bytes)
        return false;
    for (std::uint32_t at = 0; bytes - at >= 8;) {
        const std::uint32_t size = U32(&D[at + 4]);
        if (size < 8 || size % 4 || size > bytes - at) return false;
        if (U32(&D[at]) == EMR_EOF) return true;
        at += size;
    }
    return false;
}

std::unique_ptr<forms::TGraphic> ReadEmf(TByteSource& File) {
    const std::vector<std::uint8_t> bytes = ReadWhole(File);
    if (!EmfIntact(bytes)) return nullptr;
    return MetafileGraphic(SetEnhMetaFileBits(pictures::U32(&bytes[48]), bytes.data()), 0, 0);
}

// A Windows metafile's records, after any placeable header, and its size in
// pixels: from the placeable header, or else the metafile's own units taken
// as pixels; 0 when it does not say.
struct TWmf {
    const std::uint8_t* Records = nullptr;
    std::size_t Size = 0;
    std::int64_t Width = 0, Height = 0;
};

// Checks the header and that the chain of records up to the end record lies
// in the data. The size is the window extent of the first SetWindowExt
// record.
bool WmfIntact(const std::uint8_t* D, std::size_t Size, TWmf& W) {
    using pictures::U16, pictures::U32, pictures::I16;
    if (Size < kWmfHeaderSize) return false;
    const std::uint64_t bytes = std::uint64_t(U32(D + 6)) * 2;
    const unsigned type = U16(D), version = U16(D + 4);
    if (bytes < kWmfHeaderSize || bytes > Size || (type != 1 && type != 2) || U16(D + 2) != kWmfHeaderSize / 2 ||
        (version != 0x100 && version != 0x300))
        return false;
    W = {D, static_cast<std::size_t>(bytes)};
    for (std::uint64_t at = kWmfHeaderSize; bytes - at >= 6;) {
        const std::uint64_t size = std::uint64_t(U32(D + at)) * 2;
        const unsigned function = U16(D + at + 4);
        if (size < 6 || size > bytes - at) return false;
        if (function == kWmfEnd) return true;
        if (function == META_SETWINDOWEXT && size >= 10 && !W.Width)
            W.Height = std::abs(I16(D + at + 6)), W.Width = std::abs(I16(D + at + 8));
        at += size;
    }
    return false;
}

std::unique_ptr<forms::TGraphic> ReadWmf(TByteSource& File) {
    using pictures::U16, pictures::U32, pictures::I16;
    const std::vector<std::uint8_t> bytes = ReadWhole(File);
    const bool placeable = bytes.size() >= kPlaceableSize && U32(bytes.data()) == kPlaceableKey;
    const std::size_t skip = placeable ? kPlaceableSize : 0;
    TWmf wmf;
    if (!WmfIntact(bytes.data() + skip, bytes.size() - skip, wmf)) return nullptr;
    TScreenDC screen;
    if (placeable) {
        const std::uint8_t* box = bytes.data() + 6;
        const unsigned unitsPerInch = U16(bytes.data() + 14);
        wmf.Width = Scale(I16(box + 4) - I16(box), screen.PixelsPerInch(), unitsPerInch);
        wmf.Height = Scale(I16(box + 6) - I16(box + 2), screen.PixelsPerInch(), unitsPerInch);
        if (!pictures::SaneSize(wmf.Width, wmf.Height)) return nullptr;
    }
    // Without a size, GDI fits the picture to the screen.
    const METAFILEPICT picture = {MM_ANISOTROPIC, screen.HundredthsAcross(wmf.Width),
                                  screen.HundredthsDown(wmf.Height), nullptr};
    HENHMETAFILE handle = SetWinMetaFileBits(static_cast<UINT>(wmf.Size), wmf.Records, screen.Handle(),
                                             wmf.Width ? &picture : nullptr);
    return MetafileGraphic(handle, wmf.Width, wmf.Height);
}

// The picture as an enhanced metafile that draws it with StretchDIBits; its
// frame is the picture's size on the screen, which it refers to.
HENHMETAFILE PictureMetafile(forms::TBitmap& Picture, const TScreenDC& Screen) {
    const int w = Picture.Width(), h = Picture.Height();
    const RECT frame = {0, 0, Screen.HundredthsAcross(w), Screen.HundredthsDown(h)};
    HDC dc = CreateEnhMetaFileA(Screen.Handle(), nullptr, &frame, nullptr);
    if (!dc) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // the rows run top-down, as the bitmap's do
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int rows = StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, Picture.ScanLine(0), &info, DIB_RGB_COLORS, SRCCOPY);
    HENHMETAFILE handle = CloseEnhMetaFile(dc);
    if (handle && (rows <= 0 || rows == static_cast<int>(GDI_ERROR))) {
        DeleteEnhMetaFile(handle);
        return nullptr;
    }
    return handle;
}

bool WriteEmf(HENHMETAFILE Metafile, TSafeFile& File) {
    std::vector<BYTE> bytes(GetEnhMetaFileBits(Metafile, 0, nullptr));
    return !bytes.empty() && GetEnhMetaFileBits(Metafile, static_cast<UINT>(bytes.size()), bytes.data()) &&
           File.Write(bytes.data(), bytes.size());
}

// A placeable WMF. GDI's records draw in units of its own choosing (set by
// their SetWindowExt record); the placeable box takes those units and as
// many per inch as make the picture's width on the screen.
bool WriteWmf(HENHMETAFILE Metafile, forms::TBitmap& Picture, const TScreenDC& Screen, TSafeFile& File) {
    const UINT size = GetWinMetaFileBits(Metafile, 0, nullptr, MM_ANISOTROPIC, Screen.Handle());
    std::vector<BYTE> bytes(kPlaceableSize + size);
    TWmf wmf;
    if (!size || GetWinMetaFileBits(Metafile, size, &bytes[kPlaceableSize], MM_ANISOTROPIC, Screen.Handle()) != size ||
        !WmfIntact(&bytes[kPlaceableSize], size, wmf))
        return false;
    if (!wmf.Width) wmf.Width = Picture.Width(), wmf.Height = Picture.Height();
    const std::int64_t unitsPerInch = Scale(wmf.Width, Screen.PixelsPerInch(), Picture.Width());
    if (wmf.Width > 0x7FFF || wmf.Height > 0x7FFF || unitsPerInch < 1 || unitsPerInch > 0xFFFF) return false;
    const WORD head[10] = {LOWORD(kPlaceableKey), HIWORD(kPlaceableKey), 0, 0, 0,
                           static_cast<WORD>(wmf.Width), static_cast<WORD>(wmf.Height),
                           static_cast<WORD>(unitsPerInch), 0, 0};
    WORD check = 0;
    for (WORD word : head) check ^= word;
    std::memcpy(bytes.data(), head, sizeof head);
    std::memcpy(&bytes[sizeof head], &check, sizeof check);
    return File.Write(bytes.data(), bytes.size());
}

bool WriteMetafile(forms::TBitmap& Picture, bool Placeable, TSafeFile& File) {
    const TScreenDC screen;
    forms::TMetafile metafile(PictureMetafile(Picture, screen), Picture.Width(), Picture.Height());
    if (!metafile.Handle()) return false;
    return Placeable ? WriteWmf(metafile.Handle(), Picture, screen, File) : WriteEmf(metafile.Handle(), File);
}

// ---- Bitmaps ---------------------------------------------------------------

// A 24-bit file with a 40-byte header, bottom row first.
bool WriteBmp(forms::TBitmap& Picture, TSafeFile& File) {
    const std::uint64_t rowBytes = Picture.RowBytes(), image = rowBytes * Picture.Height();
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    const std::uint64_t offset = sizeof head + sizeof info;
    if (offset + image > 0xFFFFFFFF) return false;
    head.bfType = 'B' | 'M' << 8;
    head.bfSize = static_cast<DWORD>(offset + image);
    head.bfOffBits = static_cast<DWORD>(offset);
    info.biSize = sizeof info;
    info.biWidth = Picture.Width();
    info.biHeight = Picture.Height();
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(image);
    if (!File.Write(&head, sizeof head) || !File.Write(&info, sizeof info)) return false;
    for (int y = Picture.Height() - 1; y >= 0; --y)
        if (!File.Write(Picture.ScanLine(y), rowBytes)) return false;
    return true;
}

std::unique_ptr<forms::TGraphic> LoadPicture(const char* Name) {
    const TFormat format = FormatOf(Name);
    if (format == TFormat::None) return nullptr;
    TFileSource file(Name);
    if (!file.Opened()) return nullptr;
    try {
        switch (format) {
        case TFormat::Bmp:
            return pictures::ReadBmp(file);
        case TFormat::Jpeg:
            return TJpegReader(file).Read();
        case TFormat::Emf:
            return ReadEmf(file);
        default:
            return ReadWmf(file);
        }
    } catch (const std::bad_alloc&) {  // the file's data does not fit in memory
        return nullptr;
    }
}

bool SavePicture(const char* Name, forms::TBitmap& Picture) {
    const TFormat format = FormatOf(Name);
    if (format == TFormat::None || Picture.Empty()) return false;
    TSafeFile file(Name);
    bool written;
    switch (format) {
    case TFormat::Bmp:
        written = WriteBmp(Picture, file);
        break;
    case TFormat::Jpeg:
        written = TJpegWriter(file).Write(Picture);
        break;
    default:
        written = WriteMetafile(Picture, format == TFormat::Wmf, file);
    }
    return written && file.Commit();
}

}  // namespace

ZELVANI_API forms::TGraphic* WINAPI ZvLoadPicture(const char* FileName) {
    return forms::Guarded(static_cast<forms::TGraphic*>(nullptr),
                          [&] { return FileName ? LoadPicture(FileName).release() : nullptr; });
}

ZELVANI_API bool WINAPI ZvSavePicture(const char* FileName, forms::TBitmap* Bitmap) {
    return forms::Guarded(false, [&] { return FileName && Bitmap && SavePicture(FileName, *Bitmap); });
}

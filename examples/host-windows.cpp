// A small Windows host, as an engine loads Quenta and its siblings: the
// five DLLs from one folder with LoadLibraryA, each sibling before Quenta,
// and CreateInterface through GetProcAddress. It draws a UTF-8 message file
// (line breaks become <R>) onto a 24-bit canvas and writes it as a PNG
// through the Windows Imaging Component.
//
//   host-windows [-m MODULE_DIR] [-a ARCHIVE] [-s WxH] -o OUTPUT.png MESSAGE.txt
//
// MODULE_DIR holds Scrivo2.dll, Plotra.dll, Vaultrix.dll, Pictura.dll and
// Quenta.dll (default: the program's own folder); ARCHIVE is the folder or
// ZIP file of the pictures <G> shows.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "quenta/BitmapSurface.h"
#include "quenta/CreateInterface.h"
#include "quenta/MessageRenderer.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace {

// Exit status 1 for a failure, 2 for a bad command line.
int Fail(const std::string& what, int status = 1) {
    std::fprintf(stderr, "host-windows: error: %s\n", what.c_str());
    return status;
}

// UTF-8 to code page 932, as the engine's text reaches Quenta; line breaks
// become <R>, but for one that ends the file.
bool ToMessage(const std::string& utf8, std::string& message) {
    std::string text = utf8;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (text.empty()) return true;
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                               nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr, &lost);
    if (length <= 0 || lost) return false;
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(), length, nullptr, nullptr);
    // A pair's second byte is 0x40 or above, never a line break.
    for (const char c : bytes) {
        if (c == '\r') continue;
        if (c == '\n') {
            message += "<R>";
        } else {
            message += c;
        }
    }
    return true;
}

template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

// The canvas's BGR rows as a PNG file, through WIC's encoder.
bool WritePng(quenta::BitmapSurface& canvas, const std::string& path) {
    const std::wstring file(path.begin(), path.end());
    Released<IWICImagingFactory> factory;
    Released<IWICStream> stream;
    Released<IWICBitmapEncoder> encoder;
    Released<IWICBitmapFrameEncode> frame;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory.p))) ||
        FAILED(factory.p->CreateStream(&stream.p)) ||
        FAILED(stream.p->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) ||
        FAILED(factory.p->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.p)) ||
        FAILED(encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
        FAILED(encoder.p->CreateNewFrame(&frame.p, nullptr)) || FAILED(frame.p->Initialize(nullptr))) {
        return false;
    }
    const auto width = static_cast<UINT>(canvas.GetWidth());
    const auto height = static_cast<UINT>(canvas.GetHeight());
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame.p->SetSize(width, height)) || FAILED(frame.p->SetPixelFormat(&format)) ||
        format != GUID_WICPixelFormat24bppBGR) {
        return false;
    }
    const auto pitch = static_cast<UINT>(canvas.GetPitch());
    return SUCCEEDED(frame.p->WritePixels(height, pitch, pitch * height, canvas.GetPixelAddress(0, 0))) &&
           SUCCEEDED(frame.p->Commit()) && SUCCEEDED(encoder.p->Commit());
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quenta;
    std::string moduleDir = ProgramFolder(), archive, output, input, size = "800x400";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* value = arg == "-m" ? &moduleDir : arg == "-a" ? &archive : arg == "-o" ? &output
                           : arg == "-s" ? &size : nullptr;
        if (value && i + 1 < argc) {
            *value = argv[++i];
        } else if (!value && input.empty() && arg[0] != '-') {
            input = arg;
        } else {
            return Fail("usage: host-windows [-m MODULE_DIR] [-a ARCHIVE] [-s WxH] -o OUT.png MESSAGE.txt", 2);
        }
    }
    int width = 0, height = 0;
    if (output.empty() || input.empty() || std::sscanf(size.c_str(), "%dx%d", &width, &height) != 2 || width <= 0 ||
        height <= 0 || width > 16384 || height > 16384) {
        return Fail("usage: host-windows [-m MODULE_DIR] [-a ARCHIVE] [-s WxH] -o OUT.png MESSAGE.txt", 2);
    }

    // The siblings first: Quenta finds them among the loaded modules by
    // name (GetModuleHandleA), and loads nothing itself. They stay loaded
    // until the process ends.
    CreateInterfaceFn vaultrixEntry = nullptr, quentaEntry = nullptr;
    for (const char* name : {"Scrivo2", "Plotra", "Vaultrix", "Pictura", "Quenta"}) {
        const std::string path = moduleDir + "\\" + name + ".dll";
        HMODULE module = LoadLibraryA(path.c_str());
        if (!module) return Fail("cannot load " + path);
        auto entry = reinterpret_cast<CreateInterfaceFn>(reinterpret_cast<void*>(GetProcAddress(module, "CreateInterface")));
        if (!entry) return Fail(path + " has no CreateInterface");
        if (std::string(name) == "Vaultrix") vaultrixEntry = entry;
        if (std::string(name) == "Quenta") quentaEntry = entry;
    }
    // COM for writing the picture (Pictura sets up its own for decoding).
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return Fail("COM does not start");

    // Archive 0 holds the pictures for <G>: set it before the first <G>.
    if (!archive.empty()) {
        Ref<Vaultrix> vaultrix(static_cast<Vaultrix*>(vaultrixEntry(&kVaultrixId)));
        if (!vaultrix || !vaultrix->SetArchivePath(0, archive.c_str())) return Fail("cannot open archive " + archive);
    }

    std::ifstream file(input, std::ios::binary);
    if (!file) return Fail("cannot read " + input);
    std::string message;
    if (!ToMessage(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()), message)) {
        return Fail(input + " is not UTF-8 text that code page 932 can hold");
    }

    Ref<IMessageRenderer> renderer(static_cast<IMessageRenderer*>(quentaEntry(&kMessageRendererId)));
    if (!renderer) return Fail("Quenta.dll gave no renderer");
    BitmapPtr canvas(BitmapSurface::Create(width, height, 24, true, false));
    if (!canvas) return Fail("no memory for the canvas");
    canvas->Fill(0, 0, 0);
    renderer->SetText(message.c_str());
    renderer->Draw(canvas.get(), 16, 16);

    int32_t drawn = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* p = canvas->GetPixelAddress(x, y);
            drawn += (p[0] | p[1] | p[2]) != 0;
        }
    }
    if (drawn == 0) return Fail("the message drew nothing");
    if (!WritePng(*canvas, output)) return Fail("cannot write " + output);
    std::printf("host-windows: drew %d pixels into %s\n", static_cast<int>(drawn), output.c_str());
    return 0;
}

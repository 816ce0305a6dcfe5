// PNG and BMP files decoded by the Windows Imaging Component. Only those two
// containers reach it, each through its own decoder chosen by the file's
// signature, so WIC's other formats are never read here. Pixels come out as
// straight (not premultiplied) 8-bit BGRA, the layout DecodedImage holds.
//
// Two rules on top of WIC, so that a file decodes alike on every platform:
// a PNG must hold its closing IEND chunk (WIC stops reading at the last
// pixel, and would take a cut file), and the fourth byte of a 32-bit BMP
// without a mask is its alpha unless every pixel leaves it at zero (WIC
// reads such files as opaque BGR, whatever that byte holds).
#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "PictureDecoder.h"

namespace quenta::pictura {

namespace {

// One owned COM reference.
template <typename T>
class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (object_) object_->Release();
    }
    T** Out() { return &object_; }
    T* operator->() const { return object_; }
    T* get() const { return object_; }

private:
    T* object_ = nullptr;
};

// COM for the calling thread during one decode. A thread the host already
// set up keeps its own apartment (RPC_E_CHANGED_MODE), and WIC works in
// either kind.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The IEND chunk: no data, its type, and the checksum of the type.
constexpr uint8_t kPngEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

bool HoldsPngEnd(const uint8_t* bytes, size_t size) {
    return std::search(bytes + sizeof kPngSignature, bytes + size, kPngEnd, kPngEnd + sizeof kPngEnd) != bytes + size;
}

// The fourth bytes of BGRX pixels as alpha, unless all are zero: then opaque.
void AlphaFromFourthBytes(std::vector<uint8_t>& bgra) {
    bool anySet = false;
    for (size_t i = 3; i < bgra.size() && !anySet; i += 4) anySet = bgra[i] != 0;
    if (anySet) return;
    for (size_t i = 3; i < bgra.size(); i += 4) bgra[i] = 255;
}

const GUID* ContainerOf(const uint8_t* bytes, size_t size) {
    if (size >= sizeof kPngSignature && std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0) {
        return &GUID_ContainerFormatPng;
    }
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return &GUID_ContainerFormatBmp;
    return nullptr;
}

}  // namespace

std::optional<DecodedImage> DecodePicture(const uint8_t* bytes, size_t size) {
    const GUID* container = ContainerOf(bytes, size);
    if (!container || size > MAXDWORD) return std::nullopt;
    if (container == &GUID_ContainerFormatPng && !HoldsPngEnd(bytes, size)) return std::nullopt;
    const ComScope com;
    if (!com.Usable()) return std::nullopt;

    Com<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Out())))) {
        return std::nullopt;
    }
    Com<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size)))) {
        return std::nullopt;
    }
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    if (FAILED(factory->CreateDecoder(*container, nullptr, decoder.Out())) ||
        FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, frame.Out()))) {
        return std::nullopt;
    }
    UINT width = 0;
    UINT height = 0;
    // Refused as damaged before any pixel is allocated.
    if (FAILED(frame->GetSize(&width, &height)) || !FitsLimits(width, height)) return std::nullopt;

    WICPixelFormatGUID stored{};
    if (FAILED(frame->GetPixelFormat(&stored))) return std::nullopt;
    const bool fourthByteUnread = container == &GUID_ContainerFormatBmp && stored == GUID_WICPixelFormat32bppBGR;

    DecodedImage image;
    image.width = static_cast<int32_t>(width);
    image.height = static_cast<int32_t>(height);
    const UINT stride = width * 4;
    image.bgra.resize(static_cast<size_t>(stride) * height);
    const auto bufferSize = static_cast<UINT>(image.bgra.size());
    if (fourthByteUnread) {
        // The rows as stored, fourth bytes and all.
        if (FAILED(frame->CopyPixels(nullptr, stride, bufferSize, image.bgra.data()))) return std::nullopt;
        AlphaFromFourthBytes(image.bgra);
        return image;
    }
    Com<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, stride, bufferSize, image.bgra.data()))) {
        return std::nullopt;
    }
    return image;
}

}  // namespace quenta::pictura

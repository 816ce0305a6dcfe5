// On 32-bit Windows an MSVC-built host calls interface operations with the
// member-function convention (thiscall: the object in ECX, the callee pops
// its arguments) and CreateInterface as cdecl. GCC carries the convention in
// the function type, so these comparisons fail to compile if the headers
// ever produce anything else. 64-bit Windows has one convention for all.
#include <type_traits>

#include "quenta/CreateInterface.h"
#include "quenta/MessageRenderer.h"
#include "quenta/Pictura.h"
#include "quenta/Plotra.h"
#include "quenta/Surface.h"
#include "quenta/TextPainter.h"
#include "quenta/Vaultrix.h"

#if defined(__i386__)

namespace quenta {
namespace {

#define QUENTA_THISCALL __attribute__((thiscall))

// The comparisons can tell conventions apart at all.
static_assert(!std::is_same_v<int32_t (QUENTA_THISCALL Surface::*)(), int32_t (__cdecl Surface::*)()>);
static_assert(!std::is_same_v<int32_t (QUENTA_THISCALL Surface::*)(), int32_t (__stdcall Surface::*)()>);

static_assert(std::is_same_v<decltype(&CreateInterface), void*(__cdecl*)(const InterfaceId*)>);
static_assert(!std::is_same_v<decltype(&CreateInterface), void*(__stdcall*)(const InterfaceId*)>);

// One operation of each shape per interface: no arguments, pointer and
// integer arguments, many arguments, a bool result.
static_assert(std::is_same_v<decltype(&IMessageRenderer::AddRef), int32_t (QUENTA_THISCALL IMessageRenderer::*)()>);
static_assert(std::is_same_v<decltype(&IMessageRenderer::Draw),
                             void (QUENTA_THISCALL IMessageRenderer::*)(Surface*, int32_t, int32_t)>);
static_assert(std::is_same_v<decltype(&Surface::GetPixelAddress),
                             uint8_t* (QUENTA_THISCALL Surface::*)(int32_t, int32_t)>);
static_assert(std::is_same_v<decltype(&Surface::HasAlpha), bool (QUENTA_THISCALL Surface::*)()>);
static_assert(std::is_same_v<decltype(&TextPainter::PaintText),
                             int32_t (QUENTA_THISCALL TextPainter::*)(Surface*, int32_t, int32_t, const char*)>);
static_assert(std::is_same_v<decltype(&TextPainter::SetFontFile),
                             bool (QUENTA_THISCALL TextPainter::*)(const char*, const char*)>);
static_assert(std::is_same_v<decltype(&Plotra::BlendColorRect),
                             int32_t (QUENTA_THISCALL Plotra::*)(Surface*, int32_t, int32_t, Surface*, int32_t,
                                                                 int32_t, int32_t, int32_t, int32_t, int32_t,
                                                                 int32_t)>);
static_assert(std::is_same_v<decltype(&Vaultrix::SetArchivePath),
                             bool (QUENTA_THISCALL Vaultrix::*)(int32_t, const char*)>);
static_assert(std::is_same_v<decltype(&Archive::OpenEntry),
                             ArchiveEntry* (QUENTA_THISCALL Archive::*)(int32_t)>);
static_assert(std::is_same_v<decltype(&ArchiveEntry::Share),
                             std::uintptr_t (QUENTA_THISCALL ArchiveEntry::*)(std::uintptr_t)>);
static_assert(std::is_same_v<decltype(&Pictura::DecodeBytes),
                             Surface* (QUENTA_THISCALL Pictura::*)(const uint8_t*, int32_t)>);

}  // namespace
}  // namespace quenta

#endif

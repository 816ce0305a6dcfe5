// 128-bit interface identifiers, laid out as a GUID.
#pragma once

#include <cstdint>
#include <cstring>

namespace quenta {

struct InterfaceId {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
static_assert(sizeof(InterfaceId) == 16);

// Equal when all four 32-bit words are equal.
inline bool SameInterfaceId(const InterfaceId& a, const InterfaceId& b) {
    uint32_t wa[4];
    uint32_t wb[4];
    std::memcpy(wa, &a, sizeof wa);
    std::memcpy(wb, &b, sizeof wb);
    return wa[0] == wb[0] && wa[1] == wb[1] && wa[2] == wb[2] && wa[3] == wb[3];
}

// {CD599691-EC70-4386-B9A5-3EF1C662142D}
inline constexpr InterfaceId kMessageRendererId{
    0xCD599691, 0xEC70, 0x4386, {0xB9, 0xA5, 0x3E, 0xF1, 0xC6, 0x62, 0x14, 0x2D}};
// {387254BB-090F-4045-AA78-2521B1EA7072}
inline constexpr InterfaceId kScrivo2Id{
    0x387254BB, 0x090F, 0x4045, {0xAA, 0x78, 0x25, 0x21, 0xB1, 0xEA, 0x70, 0x72}};
// {58AD7D01-4DAE-11D4-BEB2-00C0F6B0E9BE}
inline constexpr InterfaceId kPlotraId{
    0x58AD7D01, 0x4DAE, 0x11D4, {0xBE, 0xB2, 0x00, 0xC0, 0xF6, 0xB0, 0xE9, 0xBE}};
// {FEFB86C3-EBEC-4C55-BC61-5223CB508664}
inline constexpr InterfaceId kVaultrixId{
    0xFEFB86C3, 0xEBEC, 0x4C55, {0xBC, 0x61, 0x52, 0x23, 0xCB, 0x50, 0x86, 0x64}};
// {49DFC85D-8828-4A86-958C-4A6B37DF1FE9}
inline constexpr InterfaceId kPicturaId{
    0x49DFC85D, 0x8828, 0x4A86, {0x95, 0x8C, 0x4A, 0x6B, 0x37, 0xDF, 0x1F, 0xE9}};

}  // namespace quenta

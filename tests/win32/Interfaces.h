/* The engine's interfaces as the C host and its doubles declare them:
 * quenta/quenta.h, the header every C host includes, under the short names
 * these files use. They are built by a compiler that knows nothing of C++
 * classes, so on 32-bit Windows each operation is called with the thiscall
 * convention quenta.h spells out. */
#ifndef QUENTA_WIN32_INTERFACES_H
#define QUENTA_WIN32_INTERFACES_H

#include "quenta/quenta.h"

#define THISCALL QUENTA_THISCALL

typedef QuentaInterfaceId InterfaceId;
typedef QuentaCreateInterfaceFn CreateInterfaceFn;
typedef QuentaSurface Surface;
typedef QuentaMessageRenderer MessageRenderer;
typedef QuentaTextPainter TextPainter;
typedef QuentaPlotra Plotra;
typedef QuentaPlotraRectFn PlotraRectFn;
typedef QuentaPlotraReservedFn PlotraReservedFn;
typedef QuentaArchiveEntry ArchiveEntry;
typedef QuentaArchive Archive;
typedef QuentaVaultrix Vaultrix;
typedef QuentaPictura Pictura;

#define kMessageRendererId kQuentaMessageRendererId
#define kScrivo2Id kQuentaScrivo2Id
#define kPlotraId kQuentaPlotraId
#define kVaultrixId kQuentaVaultrixId
#define kPicturaId kQuentaPicturaId
#define SameInterfaceId QuentaSameInterfaceId

#endif

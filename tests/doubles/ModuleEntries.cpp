// CreateInterface for each double module; the build compiles this file once
// per module with DOUBLE_MODULE naming which one.
#include "Recorder.h"
#include "quenta/ModuleExport.h"

#if defined(DOUBLE_SCRIVO2)
#include "RecordingTextPainter.h"
#define DOUBLE_NAME "Scrivo2"
#define DOUBLE_ID quenta::kScrivo2Id
#define DOUBLE_INTERFACE quenta::TextPainter
#define DOUBLE_MAKE() new quenta::testing::RecordingTextPainter()
#elif defined(DOUBLE_PLOTRA)
#include "RecordingPlotra.h"
#define DOUBLE_NAME "Plotra"
#define DOUBLE_ID quenta::kPlotraId
// Plotra hands out one interface for the whole process.
#define DOUBLE_INTERFACE quenta::Plotra
#define DOUBLE_MAKE() plotra.Hand()
static quenta::testing::RecordingPlotra plotra;
#elif defined(DOUBLE_VAULTRIX)
#include "FakePictures.h"
#define DOUBLE_NAME "Vaultrix"
#define DOUBLE_ID quenta::kVaultrixId
#define DOUBLE_INTERFACE quenta::Vaultrix
#define DOUBLE_MAKE() vaultrix.Hand()
static quenta::testing::FakeVaultrix vaultrix;
#elif defined(DOUBLE_PICTURA)
#include "FakePictures.h"
#define DOUBLE_NAME "Pictura"
#define DOUBLE_ID quenta::kPicturaId
#define DOUBLE_INTERFACE quenta::Pictura
#define DOUBLE_MAKE() pictura.Hand()
static quenta::testing::FakePictura pictura;
#endif

#if defined(DOUBLE_NAME)
// "<name>.refuse" set to 1 makes CreateInterface answer null.
QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    quenta::testing::Record(DOUBLE_NAME ".CreateInterface");
    if (GetSetting(DOUBLE_NAME ".refuse", 0)) return nullptr;
    return quenta::CreateInterfaceFor<DOUBLE_INTERFACE>(iid, DOUBLE_ID, [] { return DOUBLE_MAKE(); });
}
#else
// A module without the export.
QUENTA_EXPORT int NotCreateInterface() { return 0; }
#endif

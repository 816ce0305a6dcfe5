/* Vaultrix as a double: archive 0 holds an entry for every picture number
 * whose setting "picture.N" is not kMissing; "vaultrix.archive" 0 makes
 * OpenArchive fail. Entries, archives and the Vaultrix record their calls. */
#include <stdio.h>
#include <stdlib.h>

#include "CallLog.h"
#include "Interfaces.h"
#include "PictureKind.h"

typedef struct Entry {
    ArchiveEntry entry;
    int32_t refCount;
    int32_t number;
} Entry;

static int32_t THISCALL EntryAddRef(ArchiveEntry* self) { return ++((Entry*)self)->refCount; }

static int32_t THISCALL EntryRelease(ArchiveEntry* self) {
    Entry* entry = (Entry*)self;
    RecordCall("Entry.Release(%d)", entry->number);
    if (--entry->refCount > 0) return entry->refCount;
    free(entry);
    return 0;
}

static int32_t THISCALL EntryGetSize(ArchiveEntry* self) {
    (void)self;
    return 0;
}

static const uint8_t* THISCALL EntryGetBytes(ArchiveEntry* self) {
    (void)self;
    return NULL;
}

static int32_t THISCALL EntryGetNumber(ArchiveEntry* self) { return ((Entry*)self)->number; }

static uintptr_t THISCALL EntryLoad(ArchiveEntry* self) {
    RecordCall("Entry.Load(%d)", ((Entry*)self)->number);
    return (uintptr_t)self;
}

static uintptr_t THISCALL EntryShare(ArchiveEntry* self, uintptr_t loaded) {
    RecordCall("Entry.Share(%d)", ((Entry*)self)->number);
    return loaded == (uintptr_t)self ? loaded : 0;
}

static const struct QuentaArchiveEntryTable kEntryTable = {
    EntryAddRef, EntryRelease, EntryGetSize, EntryGetBytes, EntryGetNumber, EntryLoad, EntryShare,
};

typedef struct FakeArchive {
    Archive archive;
    int32_t refCount;
} FakeArchive;

static int32_t THISCALL ArchiveAddRef(Archive* self) { return ++((FakeArchive*)self)->refCount; }

static int32_t THISCALL ArchiveRelease(Archive* self) {
    RecordCall("Archive.Release");
    FakeArchive* archive = (FakeArchive*)self;
    if (--archive->refCount > 0) return archive->refCount;
    free(archive);
    return 0;
}

static ArchiveEntry* THISCALL OpenEntry(Archive* self, int32_t number) {
    (void)self;
    RecordCall("Archive.OpenEntry(%d)", number);
    char key[32];
    snprintf(key, sizeof key, "picture.%d", number);
    if (GetSetting(key, kMissing) == kMissing) return NULL;
    Entry* entry = calloc(1, sizeof *entry);
    if (!entry) return NULL;
    entry->entry.table = &kEntryTable;
    entry->refCount = 1;
    entry->number = number;
    return &entry->entry;
}

static const struct QuentaArchiveTable kArchiveTable = {ArchiveAddRef, ArchiveRelease, OpenEntry};

static int32_t THISCALL VaultrixAddRef(Vaultrix* self) {
    (void)self;
    RecordCall("Vaultrix.AddRef");
    return 1;
}

static int32_t THISCALL VaultrixRelease(Vaultrix* self) {
    (void)self;
    RecordCall("Vaultrix.Release");
    return 0;
}

static Archive* THISCALL OpenArchive(Vaultrix* self, int32_t number) {
    (void)self;
    RecordCall("Vaultrix.OpenArchive(%d)", number);
    if (!GetSetting("vaultrix.archive", 1)) return NULL;
    FakeArchive* archive = calloc(1, sizeof *archive);
    if (!archive) return NULL;
    archive->archive.table = &kArchiveTable;
    archive->refCount = 1;
    return &archive->archive;
}

static bool THISCALL SetArchivePath(Vaultrix* self, int32_t number, const char* path) {
    (void)self;
    char printable[128];
    Printable(path, printable, sizeof printable);
    RecordCall("Vaultrix.SetArchivePath(%d,%s)", number, printable);
    return true;
}

static const struct QuentaVaultrixTable kVaultrixTable = {VaultrixAddRef, VaultrixRelease, OpenArchive, SetArchivePath};

static Vaultrix vaultrix = {&kVaultrixTable};

__declspec(dllexport) void* __cdecl CreateInterface(const InterfaceId* iid) {
    RecordCall("Vaultrix.CreateInterface");
    if (GetSetting("Vaultrix.refuse", 0) || !iid || !SameInterfaceId(iid, &kVaultrixId)) return NULL;
    return &vaultrix;
}

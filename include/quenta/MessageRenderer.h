// The renderer that Quenta's CreateInterface hands out for kMessageRendererId,
// and the rules every host of the modules keeps. Each rule is stated here
// once; the other headers point here.
//
// Ownership and reference counts. CreateInterface answers a new renderer
// with one reference, the caller's. AddRef adds one and answers the new
// count; Release gives one back and answers the count left, destroying the
// renderer when that reaches 0. Nothing else ends a renderer: there is no
// destructor in the table, so never delete one. Releasing more often than
// references are held is the caller's fault. The same holds for every
// interface the modules hand out (Surface, TextPainter, Plotra, Vaultrix,
// Pictura and theirs); reference counts are plain integers.
//
// Copying and appending. SetText reads the NUL-terminated Shift-JIS text
// during the call and keeps nothing of the caller's: the bytes may be freed
// or reused as soon as it returns. Each SetText adds to the lines already
// there, in the style the last one left; Clear empties the lines and keeps
// the style and its stacks. A null text adds nothing.
//
// Binding. The first SetText binds Scrivo2 and Plotra, which the host must
// have loaded; until it succeeds, SetText drops its text, Draw draws
// nothing and GetSubInterface answers null. A sibling that cannot be bound
// is reported by Quenta itself (a message box on Windows, standard error
// elsewhere). The <G> picture tag binds Vaultrix and Pictura the same way.
// Keep Scrivo2 and Plotra loaded while any renderer lives, and Vaultrix and
// Pictura until Quenta is unloaded (the host kit's ModuleSet does so).
//
// Borrowing. Draw borrows its target for the call alone: it adds no
// reference and keeps no pointer, so the caller keeps the surface alive
// across the call and may release it right after. A null target, or one
// Quenta cannot draw on (see quenta/Surface.h for the depths), draws
// nothing; parts that fall off the surface are clipped. GetSubInterface
// lends: for kScrivo2Id it answers the renderer's TextPainter without a
// reference, valid until the renderer is destroyed; for any other ID, null.
//
// Threads. Every renderer of a process shares Quenta's picture cache, its
// blend table and the one Plotra, and nothing in the modules takes a lock.
// Call Quenta and its siblings, for one renderer or many, from one thread:
// never from two threads at once, and the reference counts are no more
// thread-safe than the rest. A message box, when Quenta shows one, blocks
// that thread inside SetText until the user closes it.
//
// Calling conventions. CreateInterface is a plain C function (extern "C",
// cdecl on 32-bit Windows), looked up by that name. The operations of every
// interface are C++ member functions called through the table in the slot
// order below: thiscall on 32-bit Windows (the object in ECX, the arguments
// on the stack, popped by the callee), the platform's C++ convention (the
// object as a first argument) elsewhere. quenta/quenta.h spells the same
// tables out for C.
#pragma once

#include <cstdint>

#include "quenta/InterfaceId.h"
#include "quenta/Surface.h"

namespace quenta {

class IMessageRenderer {
public:
    virtual int32_t AddRef() = 0;                                   // 0: the new count
    virtual int32_t Release() = 0;                                  // 1: the count left; 0 once destroyed
    virtual void SetText(const char* text) = 0;                     // 2: Shift-JIS with tags, copied, appended
    virtual void Clear() = 0;                                       // 3: empties the lines, keeps the style
    virtual void Draw(Surface* target, int32_t x, int32_t y) = 0;   // 4: borrows the target
    virtual void* GetSubInterface(const InterfaceId* iid) = 0;      // 5: lent, no reference

protected:
    ~IMessageRenderer() = default;
};

}  // namespace quenta

#include "StackOffsetCall.h"

#include <stddef.h>

/* Field offsets that the assembly below relies on. */
_Static_assert(offsetof(StackOffsetCall, operation) == 0, "");
_Static_assert(offsetof(StackOffsetCall, self) == 4, "");
_Static_assert(offsetof(StackOffsetCall, args) == 8, "");
_Static_assert(offsetof(StackOffsetCall, argc) == 12, "");
_Static_assert(offsetof(StackOffsetCall, offset) == 16, "");
_Static_assert(offsetof(StackOffsetCall, imbalance) == 20, "");

/* ESI holds the call record and EDI the stack pointer the arguments start
 * from; both are preserved by every convention, so they survive the call.
 * Padding p below an aligned ESP is chosen so that after pushing n
 * arguments ESP = -(p + 4n) = -offset (mod 16). */
__attribute__((naked)) uint32_t __cdecl CallWithStackOffset(StackOffsetCall* call __attribute__((unused))) {
    __asm__(
        "push %ebp\n\t"
        "mov %esp, %ebp\n\t"
        "push %esi\n\t"
        "push %edi\n\t"
        "push %ebx\n\t"
        "mov 8(%ebp), %esi\n\t"   /* the call record */
        "and $-16, %esp\n\t"
        "mov 12(%esi), %ecx\n\t"  /* argc */
        "mov 16(%esi), %edx\n\t"  /* offset */
        "lea (,%ecx,4), %eax\n\t"
        "sub %eax, %edx\n\t"
        "and $15, %edx\n\t"
        "sub %edx, %esp\n\t"
        "mov %esp, %edi\n\t"
        "mov 8(%esi), %ebx\n\t"   /* args */
        "1:\n\t"
        "test %ecx, %ecx\n\t"
        "jz 2f\n\t"
        "dec %ecx\n\t"
        "push (%ebx,%ecx,4)\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "mov 4(%esi), %ecx\n\t"   /* self, in ECX */
        "call *(%esi)\n\t"
        "mov %esp, %edx\n\t"
        "sub %edi, %edx\n\t"
        "mov %edx, 20(%esi)\n\t"
        "lea -12(%ebp), %esp\n\t"
        "pop %ebx\n\t"
        "pop %edi\n\t"
        "pop %esi\n\t"
        "pop %ebp\n\t"
        "ret\n\t");
}

/* At entry ESP points at the return address, 4 bytes below the caller's ESP. */
__attribute__((naked)) uint32_t __attribute__((thiscall)) StackAtCall(void* self __attribute__((unused))) {
    __asm__(
        "lea 4(%esp), %eax\n\t"
        "and $15, %eax\n\t"
        "ret\n\t");
}

uint32_t CallSlot(void* object, int32_t slot, int32_t offset, int32_t argc, const uint32_t* args, int32_t* imbalance) {
    const void* const* table = *(const void* const* const*)object;
    StackOffsetCall call = {table[slot], object, args, argc, offset, 0};
    const uint32_t result = CallWithStackOffset(&call);
    *imbalance = call.imbalance;
    return result;
}

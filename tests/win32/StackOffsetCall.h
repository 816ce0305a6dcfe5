/* Calls an interface operation the way a host whose compiler keeps the stack
 * only 4-byte aligned may call it: with ESP, at the call instruction, a
 * chosen number of bytes below a multiple of 16. */
#ifndef QUENTA_WIN32_STACK_OFFSET_CALL_H
#define QUENTA_WIN32_STACK_OFFSET_CALL_H

#include <stdint.h>

typedef struct StackOffsetCall {
    const void* operation; /* a thiscall function */
    void* self;            /* goes in ECX */
    const uint32_t* args;  /* pushed last to first */
    int32_t argc;
    int32_t offset; /* 0, 4, 8 or 12: ESP mod 16 at the call is (16 - offset) mod 16 */
    /* Set by the call: ESP after the operation returned minus ESP before the
     * arguments were pushed; 0 when the operation popped exactly its own. */
    int32_t imbalance;
} StackOffsetCall;

/* Makes the call and returns what the operation left in EAX. */
uint32_t __cdecl CallWithStackOffset(StackOffsetCall* call);

/* A thiscall operation of no arguments that answers ESP mod 16 as it was at
 * the instruction that called it, to show that the offset is what it says. */
uint32_t __attribute__((thiscall)) StackAtCall(void* self);

/* Calls slot `slot` of `object`'s table with `argc` 32-bit arguments, ESP
 * `offset` bytes off 16 at the call; stores the stack imbalance the call
 * left (0 when the operation popped exactly its own arguments). */
uint32_t CallSlot(void* object, int32_t slot, int32_t offset, int32_t argc, const uint32_t* args, int32_t* imbalance);
#endif

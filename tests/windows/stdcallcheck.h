/* Calls a 32-bit stdcall function through a plain pointer and reports how far the stack
 * pointer moved: a callee that pops exactly its arguments leaves it where it was. */
#ifndef STDCALLCHECK_H
#define STDCALLCHECK_H

#include <stdint.h>

/* Pushes args[argCount - 1] .. args[0], calls function, and stores in *stackDrift the bytes
 * the stack pointer is off after the call (0 when balanced). Returns the function's result.
 * The stack is restored whatever the callee did. */
int CallStdcall(const void* function, int argCount, const intptr_t* args, int* stackDrift);

#endif

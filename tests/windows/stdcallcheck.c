#include "stdcallcheck.h"

/* Written out in assembly: a compiler-generated call through a stdcall pointer trusts the
 * callee to pop its arguments and would hide a mismatch. */
__asm__(
    ".text\n"
    ".globl _CallStdcall\n"
    "_CallStdcall:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    movl %esp, %esi\n"     /* the stack pointer before the arguments */
    "    movl 12(%ebp), %ecx\n" /* argCount */
    "    movl 16(%ebp), %edi\n" /* args */
    "1:  testl %ecx, %ecx\n"
    "    jz 2f\n"
    "    pushl -4(%edi,%ecx,4)\n"
    "    decl %ecx\n"
    "    jmp 1b\n"
    "2:  call *8(%ebp)\n"
    "    movl %esp, %ecx\n"
    "    subl %esi, %ecx\n"
    "    movl 20(%ebp), %edx\n" /* stackDrift */
    "    movl %ecx, (%edx)\n"
    "    movl %esi, %esp\n"
    "    popl %edi\n"
    "    popl %esi\n"
    "    popl %ebx\n"
    "    popl %ebp\n"
    "    ret\n");

/* int __cdecl KorzelCallCdecl(const void* function, const intptr_t* words,
 *                             int count, int* popped)
 *
 * Pushes words[count-1] .. words[0] (so words[0] is the first argument),
 * calls function, and stores in *popped how many bytes the callee removed
 * from the stack on return: 0 for cdecl, 4 per argument for stdcall. Then it
 * restores the stack pointer itself and clears the arguments, as a cdecl
 * caller does. Returns the callee's eax. */
    .text
    .globl  _KorzelCallCdecl
    .def    _KorzelCallCdecl; .scl 2; .type 32; .endef
_KorzelCallCdecl:
    pushl   %ebp
    movl    %esp, %ebp
    pushl   %ebx
    pushl   %esi
    movl    12(%ebp), %esi          /* words */
    movl    16(%ebp), %ecx          /* count */
1:  testl   %ecx, %ecx
    jz      2f
    decl    %ecx
    pushl   (%esi,%ecx,4)
    jmp     1b
2:  movl    %esp, %ebx              /* callee-saved in every x86 convention */
    call    *8(%ebp)
    movl    %esp, %ecx
    subl    %ebx, %ecx              /* bytes the callee popped */
    movl    20(%ebp), %edx
    movl    %ecx, (%edx)
    leal    -8(%ebp), %esp          /* drops the arguments, whoever popped them */
    popl    %esi
    popl    %ebx
    popl    %ebp
    ret

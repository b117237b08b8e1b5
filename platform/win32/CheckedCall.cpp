#include "platform/CheckedCall.h"

extern "C" {

// The assembly below: cdecl, four arguments; returns EAX of the callee and
// stores the bytes it removed in *removed.
std::uintptr_t derize_checked_call(const void* function, const std::uintptr_t* arguments,
                                   std::uintptr_t count, std::uintptr_t* removed,
                                   const std::uintptr_t* spare);
}

// Frame: EBP, then the saved EBX, ESI and EDI. The sixteen spare words are
// pushed first, then the arguments, the last one first. ESI keeps the stack
// pointer from before all of them, EDI the count: both are registers a
// callee must preserve, whatever its convention. Then
// removed = ESP after the call - (ESI - 4 × 16 - 4 × count).
// The call frame information (the .cfi lines) lets a C++ exception that the
// entry point raises pass through this frame to the launcher's handler:
// the frame is found from EBP, whatever the callee did to the stack.
asm(R"(
    .text
    .globl _derize_checked_call
    .def _derize_checked_call; .scl 2; .type 32; .endef
_derize_checked_call:
    .cfi_startproc
    pushl %ebp
    .cfi_def_cfa_offset 8
    .cfi_offset %ebp, -8
    movl %esp, %ebp
    .cfi_def_cfa_register %ebp
    pushl %ebx
    .cfi_offset %ebx, -12
    pushl %esi
    .cfi_offset %esi, -16
    pushl %edi
    .cfi_offset %edi, -20
    movl %esp, %esi
    movl 24(%ebp), %edx
    movl $16, %ecx
1:  pushl -4(%edx,%ecx,4)
    decl %ecx
    jnz 1b
    movl 12(%ebp), %edx
    movl 16(%ebp), %edi
    movl %edi, %ecx
2:  testl %ecx, %ecx
    jz 3f
    pushl -4(%edx,%ecx,4)
    decl %ecx
    jmp 2b
3:  call *8(%ebp)
    movl %esp, %ecx
    subl %esi, %ecx
    leal 64(%ecx,%edi,4), %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    movl %esi, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    .cfi_def_cfa %esp, 4
    ret
    .cfi_endproc
)");

namespace platform {

namespace {

static_assert(CheckedCallSpareWords == 16, "the assembly pushes sixteen spare words");

// Where a callee that takes a spare word for a result slot stores its text.
std::uintptr_t g_spareTargets[CheckedCallSpareWords];

} // namespace

CheckedCallResult checkedCall(const void* function, const std::uintptr_t* arguments,
                              std::size_t count)
{
    std::uintptr_t spare[CheckedCallSpareWords];
    for (std::size_t i = 0; i < CheckedCallSpareWords; ++i) {
        g_spareTargets[i] = 0;
        spare[i] = reinterpret_cast<std::uintptr_t>(&g_spareTargets[i]);
    }
    CheckedCallResult result;
    std::uintptr_t removed = 0;
    result.value = derize_checked_call(function, arguments, count, &removed, spare);
    result.removedBytes = static_cast<std::size_t>(removed);
    return result;
}

} // namespace platform

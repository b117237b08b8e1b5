#pragma once

// 32-bit x86 only: a call whose callee may remove another number of bytes
// of arguments than it should.

#include <cstddef>
#include <cstdint>

namespace platform {

// Words a callee finds beyond the arguments it was given: enough for any
// entry point declared with more arguments than its form has. Each holds
// the address of a word of its own, so that a callee storing a result text
// through one of them writes nowhere that matters.
inline constexpr std::size_t CheckedCallSpareWords = 16;

// What checkedCall() saw.
struct CheckedCallResult
{
    std::uintptr_t value = 0;     // the callee's result register (EAX)
    std::size_t removedBytes = 0; // the bytes of arguments the callee removed
};

// Calls `function` with `count` machine words of `arguments` pushed as a
// __stdcall caller pushes them (the last one first) and reports how many
// bytes the function removed: 4 × count for a __stdcall function of exactly
// those arguments, none for a __cdecl one. Whatever it removed, the stack
// pointer comes back from a register the callee must preserve, so the
// caller's stack is as it was before the call. Written in assembly, so that
// the compiler cannot move anything of the caller's across the call.
CheckedCallResult checkedCall(const void* function, const std::uintptr_t* arguments,
                              std::size_t count);

} // namespace platform

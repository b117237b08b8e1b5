#pragma once

#include <cfenv>

namespace platform {

// A module may leave the floating-point unit set its own way: compilers of
// the Pascal family unmask the invalid-operation, division-by-zero and
// overflow traps of the x87 (control word 0x1332), others change the SSE
// unit's rounding or traps (MXCSR). The launcher's own arithmetic (and on
// Windows GDI+ scaling the pictures) would then fault far from the module.
// While alive this keeps what the thread had: the x87 control word and
// MXCSR as they were are put back, silently, when it ends, after the x87's
// pending exceptions are cleared (which the module's unmasked traps would
// otherwise raise at the launcher's next x87 instruction).
class FloatingPointState
{
public:
    FloatingPointState()
    {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ volatile("fnstcw %0" : "=m"(m_controlWord));
        __asm__ volatile("stmxcsr %0" : "=m"(m_mxcsr));
#else
        std::fegetenv(&m_saved);
#endif
    }
    ~FloatingPointState()
    {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(m_controlWord));
        __asm__ volatile("ldmxcsr %0" : : "m"(m_mxcsr));
#else
        std::fesetenv(&m_saved);
#endif
    }
    FloatingPointState(const FloatingPointState&) = delete;
    FloatingPointState& operator=(const FloatingPointState&) = delete;

private:
#if defined(__i386__) || defined(__x86_64__)
    unsigned short m_controlWord = 0;
    unsigned int m_mxcsr = 0;
#else
    std::fenv_t m_saved;
#endif
};

} // namespace platform

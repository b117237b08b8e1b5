// The stdcall contract where it bites. An entry point removes its own
// arguments from the stack when it returns, so a caller that pushed a
// different number is left with its stack pointer off by four bytes for
// each argument too many or too few. This file and the runner are built
// without frame pointers: nothing restores the stack pointer behind the
// caller's back.
#include "FixtureRecord.h"
#include "launcher/CalculationKinds.h"
#include "launcher/ModuleRunner.h"
#include "platform/Library.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>

extern "C" {

// Pushes a guard word, then `count` words of `arguments` (the last one
// first, as C and stdcall callers do), calls `function` and returns how
// many bytes of what was pushed after the guard are still on the stack
// when it returns: 0 for a stdcall function given exactly its own
// arguments, 4 per argument it did not remove, -4 per word it removed too
// many. A function that takes more arguments than it was given finds the
// guard, and then further words of this function's frame, as the rest.
// The stack pointer is put back from a saved register, so the measurement
// survives a wrong count.
int derize_stack_left_by_call(const void* function, const std::uintptr_t* arguments, unsigned count,
                              std::uintptr_t guard);

// RunCalculation behind a plain C function, for the measurement above; the
// status of the run is kept in g_lastStatus.
int derize_run_calculation(int moduleNumber);
}

asm(R"(
    .text
    .globl _derize_stack_left_by_call
    .def _derize_stack_left_by_call; .scl 2; .type 32; .endef
_derize_stack_left_by_call:
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 20(%esp), %eax
    movl 24(%esp), %esi
    movl 28(%esp), %ecx
    pushl 32(%esp)
    movl %esp, %ebx
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jmp 1b
2:  call *%eax
    movl %ebx, %eax
    subl %esp, %eax
    leal 4(%ebx), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace {

// Words that a callee given too few arguments reads and may write through:
// its last parameter is the guard, the address of these.
std::uintptr_t g_guardWords[4];

std::uintptr_t guard()
{
    for (std::uintptr_t& word : g_guardWords) {
        word = 0;
    }
    return reinterpret_cast<std::uintptr_t>(g_guardWords);
}

} // namespace

namespace {

launcher::RunStatus g_lastStatus = launcher::RunStatus::NoSuchModule;

} // namespace

extern "C" int derize_run_calculation(int moduleNumber)
{
    launcher::ModuleHost host;
    host.programDir = testsupport::fixtureDir("recording");
    g_lastStatus = launcher::RunCalculation(moduleNumber, "", host).status;
    return static_cast<int>(g_lastStatus);
}

TEST(StdcallStack, EachEntryPointRemovesExactlyItsOwnArguments)
{
    testsupport::RecordFile record;
    char name[TRN_MAX_PATH] = "";
    const char* slot1 = nullptr;
    const char* slot2 = nullptr;
    const char* extra = nullptr;
    const std::uintptr_t arguments[] = {
        0x5a5a, reinterpret_cast<std::uintptr_t>(name), reinterpret_cast<std::uintptr_t>(&slot1),
        reinterpret_cast<std::uintptr_t>(&slot2), reinterpret_cast<std::uintptr_t>(&extra)};

    for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
        SCOPED_TRACE(std::string(kind.entryPoint));
        std::string error;
        platform::LibraryHandle library = platform::loadLibrary(
            testsupport::fixtureDir("recording") + launcher::moduleFileName(kind), error);
        ASSERT_NE(library, nullptr) << error;
        const void* entry = platform::resolveSymbol(library, std::string(kind.entryPoint).c_str());
        ASSERT_NE(entry, nullptr);

        const auto count = static_cast<unsigned>(launcher::argumentCount(kind.callForm));
        EXPECT_EQ(derize_stack_left_by_call(entry, arguments, count, guard()), 0);
        // The measurement sees a caller that pushed one argument too many
        // or one too few.
        EXPECT_EQ(derize_stack_left_by_call(entry, arguments, count + 1, guard()), 4);
        EXPECT_EQ(derize_stack_left_by_call(entry, arguments, count - 1, guard()), -4);
        platform::freeLibrary(library);
    }

    // The word each entry point records as lying beyond its arguments is
    // the guard for the exact count, and the extra argument for one too
    // many: what the runner's tests rely on.
    const auto calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 3 * std::size(launcher::CalculationKinds));
    for (std::size_t i = 0; i < std::size(launcher::CalculationKinds); ++i) {
        const auto count =
            static_cast<unsigned>(launcher::argumentCount(launcher::CalculationKinds[i].callForm));
        EXPECT_EQ(testsupport::recordField(calls[3 * i], "beyond"),
                  testsupport::pointerText(g_guardWords))
            << calls[3 * i];
        EXPECT_EQ(testsupport::recordField(calls[3 * i + 1], "beyond"),
                  testsupport::pointerText(reinterpret_cast<const void*>(arguments[count])))
            << calls[3 * i + 1];
    }
}

TEST(StdcallStack, TheRunnerLeavesTheStackAsItFoundItForEveryForm)
{
    // A runner that calls an entry point through a function type with the
    // wrong number of arguments returns with its stack off, or crashes on
    // the way back; either way the child process does not exit with 0.
    EXPECT_EXIT(
        {
            for (int number = 1; number <= 8; ++number) {
                const std::uintptr_t arguments[] = {static_cast<std::uintptr_t>(number)};
                g_lastStatus = launcher::RunStatus::NoSuchModule;
                const int left = derize_stack_left_by_call(
                    reinterpret_cast<const void*>(&derize_run_calculation), arguments, 1, guard());
                // A C function leaves its one argument for the caller to remove.
                if (left != 4) {
                    std::exit(20 + number);
                }
                if (g_lastStatus != launcher::RunStatus::Completed) {
                    std::exit(10 + number);
                }
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

namespace {

// A caller that gets the count wrong, as a runner with a wrong function
// type for form B would.
__attribute__((noinline)) TrnResult callFormBAsFormA(void* entry)
{
    char name[TRN_MAX_PATH] = "";
    const char* slot1 = nullptr;
    const char* slot2 = nullptr;
    return reinterpret_cast<TrnRunFormA>(entry)(nullptr, name, &slot1, &slot2);
}

} // namespace

TEST(StdcallStack, AWrongCountIsFatalToACallerWithoutFramePointer)
{
    // Shows that the test above can fail: the same kind of caller dies
    // when it pushes one argument more than the entry point removes.
    EXPECT_EXIT(
        {
            std::string error;
            platform::LibraryHandle library =
                platform::loadLibrary(testsupport::fixtureDir("recording") + "trn_worm.dll", error);
            void* entry = platform::resolveSymbol(library, "TrnRun_Worm");
            volatile TrnResult flag = callFormBAsFormA(entry);
            (void)flag;
            std::exit(0);
        },
        [](int status) { return status != 0; }, "");
}

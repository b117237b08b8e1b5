#include "platform/ModuleLeftovers.h"

#include <cstdint>
#include <windows.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

namespace platform {

namespace {

// The addresses the module's image takes, from its own headers.
struct Image
{
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;

    bool holds(std::uintptr_t address) const { return address >= begin && address < end; }
};

Image imageOf(HMODULE module)
{
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) {
        return {};
    }
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) {
        return {};
    }
    return {base, base + nt->OptionalHeader.SizeOfImage};
}

struct WindowSearch
{
    Image image;
    int found = 0;
};

// A window procedure is read in the character width of the window: asked
// the other way, the system hands out a thunk of its own.
std::uintptr_t windowProcedure(HWND window)
{
    return static_cast<std::uintptr_t>(IsWindowUnicode(window)
                                           ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                           : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

BOOL CALLBACK countChild(HWND window, LPARAM state)
{
    auto& search = *reinterpret_cast<WindowSearch*>(state);
    if (search.image.holds(windowProcedure(window))) {
        ++search.found;
    }
    return TRUE;
}

BOOL CALLBACK countWindow(HWND window, LPARAM state)
{
    countChild(window, state);
    EnumChildWindows(window, &countChild, state);
    return TRUE;
}

using QueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int ThreadQuerySetWin32StartAddress = 9;

// Counts the other threads of the process that started in `image`; a thread
// created but not yet started has no start address yet (so under Wine),
// and is counted in `unstarted`.
int threadsStartedIn(const Image& image, int& unstarted)
{
    unstarted = 0;
    static const auto query = reinterpret_cast<QueryThread>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    if (query == nullptr) {
        return 0;
    }
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    const DWORD process = GetCurrentProcessId();
    const DWORD self = GetCurrentThreadId();
    int found = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more != FALSE;
         more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process || entry.th32ThreadID == self) {
            continue;
        }
        const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr) {
            continue;
        }
        void* start = nullptr;
        const bool known =
            query(thread, ThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) == 0;
        DWORD running = 0;
        if (known && start == nullptr && GetExitCodeThread(thread, &running) != 0 &&
            running == STILL_ACTIVE) {
            ++unstarted;
        }
        if (known && image.holds(reinterpret_cast<std::uintptr_t>(start))) {
            // A thread that has ended but whose handle someone keeps runs
            // nothing any more.
            DWORD exitCode = 0;
            if (GetExitCodeThread(thread, &exitCode) != 0 && exitCode == STILL_ACTIVE) {
                ++found;
            }
        }
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return found;
}

} // namespace

ThreadList currentThreads()
{
    return {};
}

ModuleLeftovers leftoversOf(LibraryHandle library, const ThreadList&)
{
    const Image image = imageOf(static_cast<HMODULE>(library));
    if (image.begin == image.end) {
        return {};
    }
    WindowSearch search;
    search.image = image;
    EnumThreadWindows(GetCurrentThreadId(), &countWindow, reinterpret_cast<LPARAM>(&search));
    // A thread the module created just before it returned may not have
    // started yet: it is given a moment to.
    int unstarted = 0;
    int threads = threadsStartedIn(image, unstarted);
    for (int attempt = 0; unstarted > 0 && attempt < 20; ++attempt) {
        Sleep(5);
        threads = threadsStartedIn(image, unstarted);
    }
    return {search.found, threads};
}

bool takePostedQuitRequest()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

} // namespace platform

#include "platform/Library.h"

#include "platform/File.h"
#include "platform/ImportTable.h"
#include "platform/ModuleLeftovers.h"
#include "platform/Process.h"
#include "platform/WideText.h"
#if DERIZE_CHECKED_CALL
#include "platform/CheckedCall.h"
#endif

#include <cstdint>
#include <tlhelp32.h>
#include <windows.h>

namespace platform {

namespace {

// A C++ exception thrown by a library's start-up code on 64-bit Windows:
// libgcc's unwinder raises it as a structured exception of this code, and
// the system's loader catches it, frees it on its way out and fails the
// load with the code as its error: the exception's text is gone by then.
// (On 32-bit Windows the exception cannot pass the loader at all and ends
// in std::terminate, where the launcher's guard names it with its text.)
constexpr DWORD GccThrow = 0x20474343;

// True for a file name without any folder: the system searches for it.
bool isBareName(const std::string& path)
{
    return path.find_first_of("\\/:") == std::string::npos;
}

// The largest library file whose import table is read.
constexpr std::int64_t MaxImportingFileSize = std::int64_t{256} << 20;

std::optional<std::string> readWholeFile(const std::string& path)
{
    ReadOnlyFile file;
    if (file.open(path) != ReadOnlyFile::OpenStatus::Opened) {
        return std::nullopt;
    }
    const std::int64_t size = file.size();
    if (size < 0 || size > MaxImportingFileSize) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::int64_t read =
            file.read(bytes.data() + done, static_cast<std::int64_t>(bytes.size() - done));
        if (read <= 0) {
            break; // a file that shrank meanwhile ends where its data ends
        }
        done += static_cast<std::size_t>(read);
    }
    bytes.resize(done);
    return bytes;
}

// A folder the system reports through a function that fills a buffer of
// MAX_PATH characters; empty when it does not fit.
template <typename Get>
std::string systemFolder(Get get)
{
    char buffer[MAX_PATH];
    const UINT length = get(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string environmentVariable(const char* name)
{
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

// The folders the loader looks in for what a module imports.
std::vector<std::string> importSearchFolders(DllSearch search)
{
    DllSearchPlaces places;
    const std::string executable = executablePath();
    const std::size_t separator = executable.find_last_of("\\/");
    if (separator != std::string::npos) {
        places.programDir = executable.substr(0, separator + 1);
    }
    places.systemDir =
        systemFolder([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
    places.windowsDir =
        systemFolder([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
    places.currentDir = currentDirectory().value_or(std::string());
    places.path = environmentVariable("PATH");
    return dllSearchFolders(search, places);
}

} // namespace

std::optional<LoadObstacle> loadObstacle(const std::string& modulePath)
{
    // A bare name is loaded with LOAD_LIBRARY_SEARCH_DEFAULT_DIRS (see
    // loadLibrary), which holds for its imports too; a full path leaves
    // them to the standard search.
    const bool bare = isBareName(modulePath);
    const std::vector<std::string> folders =
        importSearchFolders(bare ? DllSearch::DefaultFolders : DllSearch::Standard);
    ImportSearch search;
    search.readFile = readWholeFile;
    search.locate = [&folders](const std::string& name) -> std::optional<std::string> {
        // A library the process has loaded is used as it is.
        if (GetModuleHandleA(name.c_str()) != nullptr) {
            return std::string();
        }
        for (const std::string& folder : folders) {
            if (fileExists(folder + name)) {
                return folder + name;
            }
        }
        return std::nullopt;
    };
    search.machine = NativeMachine;
    std::string module = modulePath;
    if (bare) {
        std::optional<std::string> found = search.locate(modulePath);
        // Not there at all (the loader's own line says so), or loaded.
        if (!found || found->empty()) {
            return std::nullopt;
        }
        module = *found;
    }
    return findLoadObstacle(module, search);
}

LibraryHandle loadLibrary(const std::string& path, std::string& error, LoadFailure* failure)
{
    // A library that cannot be loaded is reported to the caller, never by a
    // message box of the system's own.
    DWORD previousMode = 0;
    const bool modeSet =
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode) != 0;
    // A bare name goes to the system's search: the program's folder, then
    // the system folders; the current directory is left out, so that a
    // library lying in whatever folder the user started from is never
    // loaded in place of the module.
    HMODULE module = isBareName(path)
                         ? LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)
                         : LoadLibraryA(path.c_str());
    const DWORD code = GetLastError();
    if (modeSet) {
        SetThreadErrorMode(previousMode, nullptr);
    }
    if (module == nullptr && code == GccThrow) {
        error = "a C++ exception, which the system's loader caught and whose text is lost";
        if (failure != nullptr) {
            *failure = LoadFailure::RaisedWhileLoading;
        }
        return nullptr;
    }
    // Every handle value below 32 is a failure, as in 16-bit days.
    if (reinterpret_cast<std::uintptr_t>(module) < 32) {
        error = systemErrorText(code);
        if (failure != nullptr) {
            *failure = LoadFailure::Refused;
        }
        return nullptr;
    }
    return module;
}

void* resolveSymbol(LibraryHandle library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

bool freeLibrary(LibraryHandle library)
{
    return FreeLibrary(static_cast<HMODULE>(library)) != 0;
}

const char* librarySuffix()
{
    return ".dll";
}

bool fileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isRegularFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

} // namespace platform

// After windows.h, whose types it uses.

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

// The checked call of a module's entry point (32-bit only).
#if DERIZE_CHECKED_CALL
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
#endif

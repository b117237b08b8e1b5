#include "translation/win32/WindowClasses.h"

#include <mutex>
#include <utility>
#include <vector>

namespace translation::win32 {

namespace {

struct Superclass
{
    std::wstring name;
    std::wstring base;
};

std::mutex g_mutex;
std::vector<Superclass> g_superclasses;

bool sameClass(std::wstring_view a, std::wstring_view b)
{
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

const std::wstring* baseOf(std::wstring_view className)
{
    for (const Superclass& superclass : g_superclasses) {
        if (sameClass(superclass.name, className)) {
            return &superclass.base;
        }
    }
    return nullptr;
}

// Each registered class is met at most once on the way to the native one,
// since no registration closes a circle.
bool derivesUnlocked(std::wstring_view className, std::wstring_view base)
{
    for (std::size_t step = 0; step <= g_superclasses.size(); ++step) {
        if (sameClass(className, base)) {
            return true;
        }
        const std::wstring* next = baseOf(className);
        if (!next) {
            return false;
        }
        className = *next;
    }
    return false;
}

} // namespace

void registerSuperclass(std::wstring_view superclass, std::wstring_view base)
{
    const std::lock_guard lock(g_mutex);
    if (superclass.empty() || base.empty() || derivesUnlocked(base, superclass)) {
        return;
    }
    for (Superclass& known : g_superclasses) {
        if (sameClass(known.name, superclass)) {
            known.base = base;
            return;
        }
    }
    g_superclasses.push_back({std::wstring(superclass), std::wstring(base)});
}

std::wstring windowClassName(HWND window)
{
    // Class names are at most 256 characters long.
    wchar_t name[257] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool classDerivesFrom(std::wstring_view className, std::wstring_view base)
{
    if (className.empty()) {
        return false;
    }
    const std::lock_guard lock(g_mutex);
    return derivesUnlocked(className, base);
}

bool derivesFrom(HWND window, std::wstring_view base)
{
    return classDerivesFrom(windowClassName(window), base);
}

} // namespace translation::win32

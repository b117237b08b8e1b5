#pragma once

#include "platform/Library.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace launcher {

// How an entry point is called: which arguments follow the owner window
// and the data file name.
enum class CallForm
{
    A, // two result-text slots
    B, // one result-text slot
    C, // no result-text slot
};

// How many arguments an entry point of `form` takes: the owner window, the
// data file name and the form's result-text slots.
constexpr std::size_t argumentCount(CallForm form)
{
    return form == CallForm::A ? 4 : form == CallForm::B ? 3 : 2;
}

// One calculation kind: a kind of mechanical transmission, the data files
// of that kind and the module library that calculates it.
struct CalculationKind
{
    std::string_view buttonName;    // object name of the kind's radio button
    std::string_view fileExtension; // data-file extension, without the dot
    std::string_view libraryName;   // module library's base name, without suffix
    std::string_view entryPoint;    // exported entry point, case-sensitive
    CallForm callForm;
    std::string_view caption; // the button's text in the window, UTF-8
};

// The kinds in kind-index order, from launcher/CalculationKinds.def (the
// columns after the caption are the window's and the packaging's). The
// kind index is also the position of the kind's button in the
// window; the module number used by RunCalculation is the kind index plus
// one.
inline constexpr std::array CalculationKinds{
#define DERIZE_KIND(button, extension, library, entry, form, caption, ...)                         \
    CalculationKind{#button, #extension, #library, #entry, CallForm::form, caption},
#include "launcher/CalculationKinds.def"
#undef DERIZE_KIND
};

inline constexpr std::size_t KindCount = CalculationKinds.size();

// The kind of module number 1 to KindCount, nullptr for any other number.
const CalculationKind* kindForModuleNumber(int moduleNumber);

// File name of the kind's module library on this platform: the base name
// with the platform's suffix (trn_worm.so on Linux, trn_worm.dll on
// Windows).
inline std::string moduleFileName(const CalculationKind& kind)
{
    return std::string(kind.libraryName) + platform::librarySuffix();
}

// Kind index of a data file: the argument matches a kind when it ends with
// "." and that kind's extension, ASCII letters compared without case.
// nullopt when it matches none.
std::optional<int> kindIndexForDataFile(std::string_view argument);

} // namespace launcher

#pragma once

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

// One calculation kind: a kind of mechanical transmission, the data files
// of that kind and the module library that calculates it.
struct CalculationKind
{
    std::string_view buttonName;    // object name of the kind's radio button
    std::string_view fileExtension; // data-file extension, without the dot
    std::string_view libraryName;   // module library as shipped for Windows
    std::string_view entryPoint;    // exported entry point, case-sensitive
    CallForm callForm;
};

inline constexpr std::size_t KindCount = 8;

// The eight kinds in kind-index order. The kind index (0 to 7) is also the
// position of the kind's button in the window; the module number used by
// RunCalculation is the kind index plus one.
inline constexpr std::array<CalculationKind, KindCount> CalculationKinds{{
    {"rbGear_Exc", "gear_exc_dat", "trn_cylext.dll", "TrnRun_CylExt", CallForm::A},
    {"rbGear_Inc", "gear_inc_dat", "trn_cylint.dll", "TrnRun_CylInt", CallForm::A},
    {"rbGear_Spb", "gear_spb_dat", "trn_bevspir.dll", "TrnRun_BevSpir", CallForm::A},
    {"rbGear_Stb", "gear_stb_dat", "trn_bevstr.dll", "TrnRun_BevStr", CallForm::A},
    {"rbWorm_Cyl", "worm_cyl_dat", "trn_worm.dll", "TrnRun_Worm", CallForm::B},
    {"rbChai_Rol", "chai_rol_dat", "trn_chain.dll", "TrnRun_Chain", CallForm::C},
    {"rbBelt_Vee", "belt_vee_dat", "trn_vbelt.dll", "TrnRun_VBelt", CallForm::C},
    {"rbToothedBelt", "toothedbelt_dat", "trn_tbelt.dll", "TrnRun_TBelt", CallForm::C},
}};

// The kind of module number 1 to 8, nullptr for any other number.
const CalculationKind* kindForModuleNumber(int moduleNumber);

// File name of the kind's module library on this platform: the library's
// name with the platform's suffix (trn_worm.so on Linux, trn_worm.dll on
// Windows).
std::string moduleFileName(const CalculationKind& kind);

// Kind index of a data file: the argument matches a kind when it ends with
// "." and that kind's extension, ASCII letters compared without case.
// nullopt when it matches none.
std::optional<int> kindIndexForDataFile(std::string_view argument);

} // namespace launcher

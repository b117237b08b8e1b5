#include "launcher/CalculationKinds.h"

#include <gtest/gtest.h>

using launcher::kindIndexForDataFile;

TEST(CalculationKinds, ModuleFileNameUsesThePlatformSuffix)
{
    EXPECT_EQ(launcher::moduleFileName(launcher::CalculationKinds[4]), "trn_worm.so");
    EXPECT_EQ(launcher::moduleFileName(launcher::CalculationKinds[7]), "trn_tbelt.so");
}

TEST(DataFileMatching, EveryExtensionSelectsItsKind)
{
    for (std::size_t i = 0; i < launcher::KindCount; ++i) {
        const std::string name =
            "/data/box." + std::string(launcher::CalculationKinds[i].fileExtension);
        EXPECT_EQ(kindIndexForDataFile(name), static_cast<int>(i)) << name;
    }
}

TEST(DataFileMatching, OnlyADotAndTheWholeExtensionAtTheEndInAnyAsciiCaseMatch)
{
    struct Case
    {
        const char* name;
        std::optional<int> kind;
        const char* why;
    };
    const Case cases[] = {
        {"/work/Box.GEAR_EXC_DAT", 0, "letter case is ignored"},
        {"x.ToothedBelt_Dat", 7, "letter case is ignored"},
        {"/a.gear_exc_dat/b.gear_exc_dat", 0, "an extension in a folder name does no harm"},
        {"/a.worm_cyl_dat/b.chai_rol_dat", 5, "the end of the name decides"},
        {"/a.gear_exc_dat/readme.txt", std::nullopt, "the end of the name decides"},
        {"box.gear_exc_dat.bak", std::nullopt, "the extension must end the name"},
        {".gear_exc_dat", 0, "a name may be the extension alone"},
        {"gear_exc_dat", std::nullopt, "the dot is required"},
        {"boxgear_exc_dat", std::nullopt, "the dot is required"},
        {"x.exc_dat", std::nullopt, "the whole extension is required"},
        {"", std::nullopt, "an empty name matches nothing"},
        {".", std::nullopt, "a lone dot matches nothing"},
        {"x.gear_exc_d\xd0\x90t", std::nullopt, "a Cyrillic look-alike letter is not folded"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kindIndexForDataFile(c.name), c.kind) << '"' << c.name << "\": " << c.why;
    }
}

#include "launcher/CalculationKinds.h"

#include <gtest/gtest.h>

using launcher::kindIndexForDataFile;

TEST(CalculationKinds, ModuleNumberIsKindIndexPlusOne)
{
    EXPECT_EQ(launcher::kindForModuleNumber(0), nullptr);
    EXPECT_EQ(launcher::kindForModuleNumber(9), nullptr);
    EXPECT_EQ(launcher::kindForModuleNumber(-1), nullptr);
    EXPECT_EQ(launcher::kindForModuleNumber(1)->entryPoint, "TrnRun_CylExt");
    EXPECT_EQ(launcher::kindForModuleNumber(5)->callForm, launcher::CallForm::B);
    EXPECT_EQ(launcher::kindForModuleNumber(8)->buttonName, "rbToothedBelt");
}

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

TEST(DataFileMatching, LetterCaseOfTheExtensionIsIgnored)
{
    EXPECT_EQ(kindIndexForDataFile("/work/Box.GEAR_EXC_DAT"), 0);
    EXPECT_EQ(kindIndexForDataFile("x.ToothedBelt_Dat"), 7);
}

TEST(DataFileMatching, OnlyTheEndOfTheNameCounts)
{
    // The extension inside a folder name does not stop the match at the end.
    EXPECT_EQ(kindIndexForDataFile("/a.gear_exc_dat/b.gear_exc_dat"), 0);
    EXPECT_EQ(kindIndexForDataFile("/a.worm_cyl_dat/b.chai_rol_dat"), 5);
    EXPECT_EQ(kindIndexForDataFile("/a.gear_exc_dat/readme.txt"), std::nullopt);
    EXPECT_EQ(kindIndexForDataFile("box.gear_exc_dat.bak"), std::nullopt);
}

TEST(DataFileMatching, TheDotAndTheWholeExtensionAreRequired)
{
    EXPECT_EQ(kindIndexForDataFile("gear_exc_dat"), std::nullopt);
    EXPECT_EQ(kindIndexForDataFile("boxgear_exc_dat"), std::nullopt);
    EXPECT_EQ(kindIndexForDataFile(".gear_exc_dat"), 0);
    EXPECT_EQ(kindIndexForDataFile("x.exc_dat"), std::nullopt);
    EXPECT_EQ(kindIndexForDataFile(""), std::nullopt);
    EXPECT_EQ(kindIndexForDataFile("."), std::nullopt);
    // Letters outside ASCII are not folded: a Cyrillic look-alike is another name.
    EXPECT_EQ(kindIndexForDataFile("x.gear_exc_d\xd0\x90t"), std::nullopt);
}

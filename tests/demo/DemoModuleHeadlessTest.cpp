// The demo modules called by a process without a QApplication (a
// command-line tool, say): they must show nothing, create no application
// of their own, say why on standard error and still unload.
#include "DemoModuleSupport.h"
#include "launcher/ModuleRunner.h"

#include <QCoreApplication>
#include <algorithm>
#include <gtest/gtest.h>

using launcher::RunStatus;

namespace {

void expectNothingShown(int number)
{
    SCOPED_TRACE("module " + std::to_string(number));
    launcher::ModuleHost host;
    host.programDir = demotest::programDir();
    char name[TRN_MAX_PATH] = "/data/x.gear_exc_dat";
    static const char earlier[] = "earlier text";
    demotest::setResultSlots(earlier, nullptr);

    testing::internal::CaptureStderr();
    const launcher::RunOutcome outcome = launcher::RunCalculation(number, name, host);
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.flag, 0);
    EXPECT_NE(errors.find("no QApplication"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(*launcher::firstResultTextSlot(), earlier);
    EXPECT_FALSE(demotest::isMapped(demotest::modulePath(number)));
    demotest::setResultSlots(nullptr, nullptr);
}

} // namespace

TEST(DemoModuleWithoutApplication, ShowsNothingAndCreatesNoApplication)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    expectNothingShown(1);
    EXPECT_EQ(QCoreApplication::instance(), nullptr) << "the module created an application";

    // A console application is not enough for widgets either.
    int argc = 1;
    char program[] = "demo_module_headless_tests";
    char* argv[] = {program, nullptr};
    QCoreApplication app(argc, argv);
    expectNothingShown(5);
    expectNothingShown(8);
}

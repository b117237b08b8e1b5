// The launcher window, driven by object name as a user would drive it,
// running the recording fixture modules.
#include "CopyrightNotices.h"
#include "FixtureRecord.h"
#include "ShadowLabel.h"
#include "TFormGears.h"
#include "TzrRadioButton.h"
#include "launcher/CalculationKinds.h"
#include "platform/Animation.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using testsupport::pointerText;
using testsupport::recordField;
using testsupport::RecordFile;

// Lets GoogleTest print a QString readably when a comparison fails.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// The window whose Run button the fixture modules look at during a call.
TFormGears* g_hookWindow = nullptr;
std::vector<bool> g_runEnabledDuringCall;

} // namespace

extern "C" void trn_fixture_hook(const char*)
{
    if (g_hookWindow != nullptr) {
        auto* run = g_hookWindow->findChild<QPushButton*>(QStringLiteral("btnRun"));
        g_runEnabledDuringCall.push_back(run != nullptr && run->isEnabled());
    }
}

namespace {

class FormGearsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<TFormGears>();
        window->setProgramDir(testsupport::fixtureDir("recording"));
        window->setLanguageSource([this] {
            ++languageQueries;
            return language;
        });
        g_hookWindow = window.get();
        g_runEnabledDuringCall.clear();
    }
    void TearDown() override
    {
        g_hookWindow = nullptr;
        unsetenv("TRN_RECORD_THROW");
    }

    template <typename T = QWidget>
    T* child(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << "the window has no " << name;
        return found;
    }

    void showWindow()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get())) << "the window did not show";
    }

    QPushButton* runButton() { return child<QPushButton>("btnRun"); }

    // Clicks Run and returns what was written to standard error meanwhile.
    std::string clickRunCapturingErrors()
    {
        testing::internal::CaptureStderr();
        QTest::mouseClick(runButton(), Qt::LeftButton);
        return testing::internal::GetCapturedStderr();
    }

    // A failed run: Run is back, the outcome says why, and standard error
    // got one line that holds each of `parts`.
    void expectFailureReported(launcher::RunStatus status, const std::string& errors,
                               std::initializer_list<const char*> parts)
    {
        EXPECT_TRUE(runButton()->isEnabled()) << "Run comes back after a failed run";
        ASSERT_TRUE(window->lastOutcome().has_value());
        EXPECT_EQ(window->lastOutcome()->status, status);
        for (const char* part : parts) {
            EXPECT_NE(errors.find(part), std::string::npos) << errors;
        }
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }

    std::unique_ptr<TFormGears> window;
    std::string language = "RUS";
    int languageQueries = 0;
};

struct Placement
{
    const char* name;
    const char* parent;
    QRect geometry;
    const char* text; // nullptr: no text of its own
};

// Every control with its parent, position and text, in creation order.
const Placement Layout[] = {
    {"Panel2", "FormGears", {157, 10, 196, 103}, nullptr},
    {"AniImage", "Panel2", {2, 2, 192, 99}, nullptr},
    {"Panel1", "FormGears", {10, 10, 143, 134}, nullptr},
    {"RxGIFAnimator1", "Panel1", {2, 2, 139, 130}, nullptr},
    {"GroupBox1", "FormGears", {12, 152, 341, 238}, "Типы расчетов"},
    {"rbGear_Exc", "GroupBox1", {9, 24, 320, 19}, "Цилиндрическая передача внешнего зацепления"},
    {"rbGear_Inc", "GroupBox1", {9, 51, 316, 20}, "Цилиндрическая передача внутреннего зацепления"},
    {"rbGear_Spb", "GroupBox1", {9, 78, 316, 17}, "Коническая передача с круговыми зубьями"},
    {"rbGear_Stb", "GroupBox1", {9, 105, 316, 17}, "Коническая передача с прямыми зубьями"},
    {"rbWorm_Cyl", "GroupBox1", {9, 132, 316, 17}, "Червячная цилиндрическая передача"},
    {"rbChai_Rol", "GroupBox1", {9, 159, 316, 17}, "Роликовая цепная передача"},
    {"rbBelt_Vee", "GroupBox1", {9, 186, 316, 17}, "Клиноременная передача"},
    {"rbToothedBelt", "GroupBox1", {9, 212, 316, 17}, "Зубчато-ременная передача"},
    {"btnRun", "FormGears", {91, 399, 186, 25}, "Выполнить"},
};

QString textOf(QWidget* widget)
{
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        return box->title();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    return {};
}

TEST_F(FormGearsTest, WindowAndControlsSitWhereTheLayoutPutsThem)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("FormGears"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Комплекс программ ЗЕФРАН-DIVIZ"));
    EXPECT_EQ(window->geometry(), QRect(424, 227, 367, 430));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window must not be resizable";
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE((flags & Qt::WindowCloseButtonHint) && (flags & Qt::WindowTitleHint));
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
        << "only a close button";
    for (const Placement& placement : Layout) {
        QWidget* widget = child(placement.name);
        if (widget == nullptr) {
            continue;
        }
        ASSERT_NE(widget->parentWidget(), nullptr) << placement.name;
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(placement.parent))
            << placement.name << " has the wrong parent";
        EXPECT_EQ(widget->geometry(), placement.geometry) << placement.name << " is misplaced";
        if (placement.text != nullptr) {
            EXPECT_EQ(textOf(widget), QString::fromUtf8(placement.text))
                << placement.name << " has the wrong text";
        }
    }
    auto* copyright = child<QLabel>("lblCopyright");
    EXPECT_EQ(copyright->pos(), QPoint(161, 122)) << "the notice keeps its left and top";
    EXPECT_TRUE(copyright->autoFillBackground()) << "the notice is opaque";
    EXPECT_FALSE(child<QLabel>("AniImage")->hasScaledContents())
        << "AniImage is drawn at its own size";
    EXPECT_TRUE(child<QLabel>("RxGIFAnimator1")->hasScaledContents())
        << "RxGIFAnimator1 is stretched to its area";
    EXPECT_FALSE(child<QLabel>("AniImage")->autoFillBackground())
        << "the panel shows through below the picture";
}

TEST_F(FormGearsTest, PicturesAndIconAreThere)
{
    EXPECT_EQ(child<QLabel>("AniImage")->pixmap().size(), QSize(193, 73));
    EXPECT_EQ(child<QLabel>("RxGIFAnimator1")->pixmap().size(), QSize(140, 131));
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(16, 16)))
        << "the window needs its 16-pixel icon";
}

TEST_F(FormGearsTest, WindowFontMapsOntoLiberationSansWhenInstalled)
{
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        GTEST_SKIP() << "fonts-liberation is not installed";
    }
    EXPECT_EQ(QFontInfo(window->font()).family(), QStringLiteral("Liberation Sans"));
}

TEST_F(FormGearsTest, EveryTextFitsItsControl)
{
    showWindow();
    const int indicator = window->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                          window->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
        auto* button = child<TzrRadioButton>(std::string(kind.buttonName).c_str());
        const QFontMetrics metrics = button->fontMetrics();
        const int textWidth = button->width() - indicator;
        EXPECT_LE(metrics.horizontalAdvance(button->text()), textWidth)
            << kind.buttonName << ": its text does not fit on one line";
        const QRect wrapped =
            metrics.boundingRect(QRect(0, 0, textWidth, 1000), Qt::TextWordWrap, button->text());
        EXPECT_LE(wrapped.height(), button->height()) << kind.buttonName << " cuts its text off";
    }
    QPushButton* run = runButton();
    EXPECT_LT(run->fontMetrics().horizontalAdvance(run->text()), run->width() - 8);

    auto* copyright = child<ShadowLabel>("lblCopyright");
    const QRect shown = copyright->fontMetrics().boundingRect(
        QRect(), Qt::AlignLeft, ShadowLabel::displayText(copyright->text()));
    EXPECT_GE(copyright->height(), shown.height()) << "the notice is cut at the bottom";
    EXPECT_GE(copyright->width(), shown.width()) << "the notice is cut at the right";
    EXPECT_GE(shown.height(), 2 * copyright->fontMetrics().height()) << "the notice has two lines";
    EXPECT_LE(copyright->geometry().right(), window->width() - 1) << "the notice leaves the window";
    EXPECT_LE(copyright->geometry().bottom(), child("GroupBox1")->y())
        << "the notice runs into the group box";
}

TEST_F(FormGearsTest, KindButtonsFormOneGroupWithTheFirstChecked)
{
    for (int i = 0; i < 8; ++i) {
        TzrRadioButton* button = window->kindButton(i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->objectName().toStdString(), launcher::CalculationKinds[i].buttonName)
            << "kind index " << i << " belongs to the button at position " << i;
        EXPECT_EQ(button->isChecked(), i == 0) << button->objectName().toStdString();
    }
    EXPECT_EQ(window->kindButton(-1), nullptr);
    EXPECT_EQ(window->kindButton(8), nullptr);
    EXPECT_TRUE(runButton()->isEnabled());

    showWindow();
    QTest::mouseClick(window->kindButton(6), Qt::LeftButton);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(window->kindButton(i)->isChecked(), i == 6) << "checking one unchecks the others";
    }
}

TEST_F(FormGearsTest, TabOrderRunsThroughTheKindsThenRun)
{
    std::vector<std::string> order;
    QWidget* widget = window->kindButton(0);
    for (int steps = 0; steps < 20 && order.size() < 9; ++steps) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    }
    std::vector<std::string> expected;
    for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
        expected.emplace_back(kind.buttonName);
    }
    expected.emplace_back("btnRun");
    EXPECT_EQ(order, expected);
}

TEST_F(FormGearsTest, ShowingTheWindowPicksTheNoticeByLanguage)
{
    for (const std::string other : {"RUS", "ENU", "", "DEU"}) {
        SCOPED_TRACE("language \"" + other + "\"");
        TFormGears fresh;
        fresh.setLanguageSource([other] { return other; });
        auto* copyright = fresh.findChild<QLabel*>(QStringLiteral("lblCopyright"));
        EXPECT_EQ(copyright->text(), launcher::russianCopyrightNotice()) << "before the show";
        const QSize russianSize = copyright->size();
        fresh.show();
        const bool russian = other == "RUS";
        EXPECT_EQ(copyright->text(), russian ? launcher::russianCopyrightNotice()
                                             : launcher::englishCopyrightNotice());
        EXPECT_EQ(copyright->pos(), QPoint(161, 122));
        EXPECT_EQ(copyright->size() == russianSize, russian)
            << "the notice sizes itself to its text";
    }
}

TEST_F(FormGearsTest, UserLocaleFromTheEnvironmentPicksTheNotice)
{
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved != nullptr ? saved : "";
    struct Case
    {
        const char* lcAll;
        bool english;
    };
    for (const Case c : {Case{"ru_RU.UTF-8", false}, Case{"de_DE.UTF-8", true}, Case{"C", true}}) {
        setenv("LC_ALL", c.lcAll, 1);
        TFormGears fresh;
        fresh.setLanguageSource(nullptr); // the platform's own answer
        fresh.show();
        const QString notice = fresh.findChild<QLabel*>(QStringLiteral("lblCopyright"))->text();
        EXPECT_EQ(notice.contains(QLatin1String("developers")), c.english)
            << "LC_ALL=" << c.lcAll << ": " << qPrintable(notice);
    }
    if (saved != nullptr) {
        setenv("LC_ALL", savedValue.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}

TEST_F(FormGearsTest, RunCallsTheCheckedKindWithAnEmptyNameAndTheWindowAsOwner)
{
    RecordFile record;
    showWindow();
    QTest::mouseClick(runButton(), Qt::LeftButton);
    runButton()->setEnabled(false);
    QTest::mouseClick(window->kindButton(4), Qt::LeftButton);
    EXPECT_TRUE(runButton()->isEnabled()) << "clicking a kind re-enables Run";
    QTest::mouseClick(runButton(), Qt::LeftButton);

    const std::vector<std::string> lines = record.lines();
    ASSERT_EQ(lines.size(), 6u) << "expected load, call, unload for each run";
    EXPECT_EQ(lines[0], "load trn_cylext") << "the first kind is checked at the start";
    EXPECT_EQ(lines[3], "load trn_worm");
    EXPECT_EQ(lines[5], "unload trn_worm");
    EXPECT_EQ(lines[4].rfind("call TrnRun_Worm form=B ", 0), 0u) << lines[4];
    EXPECT_EQ(recordField(lines[4], "name"), "") << "interactive Run passes the empty name";
    EXPECT_EQ(recordField(lines[4], "owner"), pointerText(reinterpret_cast<void*>(window->winId())))
        << "the owner is the window's native handle";
    EXPECT_EQ(recordField(lines[4], "in1"), "recorded by TrnRun_CylExt")
        << "the worm module finds what the last run stored";
    ASSERT_TRUE(window->lastOutcome().has_value());
    EXPECT_EQ(window->lastOutcome()->status, launcher::RunStatus::Completed);
}

TEST_F(FormGearsTest, RunIsDisabledWhileTheModuleRunsAndEnabledAfterAnyOutcome)
{
    RecordFile record;
    showWindow();
    QTest::mouseClick(runButton(), Qt::LeftButton);
    EXPECT_EQ(g_runEnabledDuringCall, std::vector<bool>{false});
    EXPECT_TRUE(runButton()->isEnabled());

    // The module that raised stays loaded for the rest of the process; no
    // other test runs this kind.
    QTest::mouseClick(window->kindButton(3), Qt::LeftButton);
    setenv("TRN_RECORD_THROW", "1", 1);
    const std::string raised = clickRunCapturingErrors();
    unsetenv("TRN_RECORD_THROW");
    EXPECT_EQ(g_runEnabledDuringCall, (std::vector<bool>{false, false}));
    expectFailureReported(launcher::RunStatus::ModuleRaisedError, raised,
                          {"calculation failed in TrnRun_BevStr", "trn_bevstr.so"});

    testsupport::TempDir empty;
    window->setProgramDir(empty.dirWithSlash());
    QTest::mouseClick(window->kindButton(7), Qt::LeftButton);
    const std::string missing = clickRunCapturingErrors();
    expectFailureReported(launcher::RunStatus::LibraryNotFound, missing, {"trn_tbelt.so"});
}

TEST_F(FormGearsTest, SelectKindAndRunDoesNothingWithoutAutoRun)
{
    RecordFile record;
    window->KindIndex = 5;
    window->DataFileName = "/data/x.chai_rol_dat";
    window->AutoRun = false;
    window->SelectKindAndRun();
    EXPECT_TRUE(record.lines().empty());
    EXPECT_TRUE(window->kindButton(0)->isChecked());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->lastOutcome().has_value());
}

TEST_F(FormGearsTest, SelectKindAndRunChecksTheKindRunsItAndShowsTheWindow)
{
    RecordFile record;
    window->KindIndex = 5;
    window->DataFileName = "/data/x.chai_rol_dat";
    window->AutoRun = true;
    runButton()->setEnabled(false);
    window->SelectKindAndRun();
    EXPECT_TRUE(window->kindButton(5)->isChecked());
    EXPECT_FALSE(window->kindButton(0)->isChecked());
    const std::vector<std::string> calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("call TrnRun_Chain form=C ", 0), 0u) << calls[0];
    EXPECT_EQ(recordField(calls[0], "name"), testsupport::hexOf("/data/x.chai_rol_dat"));
    EXPECT_TRUE(window->isVisible()) << "the window is brought forward after the run";
    EXPECT_EQ(languageQueries, 0) << "bringing the window forward does not run FormShow";
    EXPECT_TRUE(child<QLabel>("lblCopyright")->text().contains(QLatin1String("\r\n    ")))
        << "without FormShow the Russian notice stays";

    // An index outside the table leaves the choice as it is.
    window->KindIndex = 8;
    window->SelectKindAndRun();
    EXPECT_TRUE(window->kindButton(5)->isChecked());
    EXPECT_EQ(record.linesStartingWith("call TrnRun_Chain").size(), 2u);
}

TEST_F(FormGearsTest, NameTooLongForTheModuleBufferIsNeverShortened)
{
    RecordFile record;
    window->DataFileName = "/" + std::string(259, 'n') + ".gear_exc_dat";
    window->KindIndex = 0;
    window->AutoRun = true;
    testing::internal::CaptureStderr();
    window->SelectKindAndRun();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(record.lines().empty()) << "the module must not be called with a cut name";
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_TRUE(runButton()->isEnabled());
}

TEST_F(FormGearsTest, FormShowRunsEachTimeQtShowsTheWindowButNotOnBringForward)
{
    RecordFile record;
    showWindow();
    EXPECT_EQ(languageQueries, 1);
    QTest::mouseClick(runButton(), Qt::LeftButton);
    EXPECT_EQ(languageQueries, 1) << "Run's bring-forward step must not run FormShow";
    window->hide();
    window->btnRunClick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(languageQueries, 1) << "showing a hidden window after a run must not run FormShow";
    window->hide();
    showWindow();
    EXPECT_EQ(languageQueries, 2) << "a second show by Qt runs FormShow again";
}

class RecordingAnimation final : public platform::WindowAnimation
{
public:
    RecordingAnimation(QWidget* window, int value) : m_window(window), m_value(value) {}
    bool query(int& value) override
    {
        value = m_value;
        return true;
    }
    void set(int value) override
    {
        events.push_back(std::to_string(value) + (m_window->isVisible() ? " shown" : " hidden"));
    }
    std::vector<std::string> events;

private:
    QWidget* m_window;
    int m_value;
};

TEST_F(FormGearsTest, BringForwardSwitchesTheAnimationOffAroundTheShow)
{
    RecordFile record;
    RecordingAnimation animation(window.get(), 1);
    window->setWindowAnimation(&animation);
    window->btnRunClick();
    EXPECT_EQ(animation.events, (std::vector<std::string>{"0 hidden", "-1 shown"}));
}

} // namespace

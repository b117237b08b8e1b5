// The launcher window on Qt: its widgets against the window's description, and
// the view's part of the behaviour, driven by object name as a user would
// drive it, running the recording fixture modules. The behaviour itself is
// tested without a window in tests/window.
#include "FixtureRecord.h"
#include "ShadowLabel.h"
#include "TFormGears.h"
#include "TzrRadioButton.h"
#include "launcher/CalculationKinds.h"
#include "launcher/window/WindowDescription.h"
#include "launcher/window/WindowLayout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
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

static QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

static QString russianNotice()
{
    return fromUtf8(launcher::russianCopyrightNotice());
}

static QString englishNotice()
{
    return fromUtf8(launcher::englishCopyrightNotice());
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
        behaviour().setProgramDir(testsupport::fixtureDir("recording"));
        behaviour().setLanguageSource([this] {
            ++languageQueries;
            return language;
        });
        g_hookWindow = window.get();
        g_runEnabledDuringCall.clear();
    }
    void TearDown() override { g_hookWindow = nullptr; }

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
    launcher::LauncherWindow& behaviour() { return window->behaviour(); }

    std::unique_ptr<TFormGears> window;
    std::string language = "RUS";
    int languageQueries = 0;
};

// What the Qt window adds to its description: a fixed size with a close
// button only, and each control's Qt class and look.
TEST_F(FormGearsTest, WindowIsFixedWithOnlyACloseButtonAndEachControlHasItsQtLook)
{
    const launcher::WindowDescription& description = launcher::LauncherWindowDescription;
    EXPECT_EQ(window->objectName(), QStringLiteral("FormGears"));
    EXPECT_STREQ(window->metaObject()->className(), "TFormGears");
    EXPECT_EQ(window->geometry(), QRect(description.left, description.top, description.clientWidth,
                                        description.clientHeight));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window must not be resizable";
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE((flags & Qt::WindowCloseButtonHint) && (flags & Qt::WindowTitleHint));
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
        << "only a close button";
    EXPECT_EQ(window->font().family(), fromUtf8(description.fontFace));
    EXPECT_EQ(window->font().pointSize(), description.fontPointSize);
    const std::pair<const char*, const char*> classes[] = {
        {"lblCopyright", "ShadowLabel"},  {"Panel1", "BevelPanel"},
        {"AniImage", "QLabel"},           {"GroupBox1", "QGroupBox"},
        {"rbWorm_Cyl", "TzrRadioButton"}, {"btnRun", "QPushButton"}};
    for (const auto& [name, qtClass] : classes) {
        EXPECT_STREQ(child(name)->metaObject()->className(), qtClass) << name;
    }
    EXPECT_EQ(child<QGroupBox>("GroupBox1")->title(), QStringLiteral("Типы расчетов"));
    EXPECT_EQ(child("RxGIFAnimator1")->parentWidget(), child("Panel1"));
    EXPECT_FALSE(child<QLabel>("AniImage")->hasScaledContents()) << "drawn at its own size";
    EXPECT_TRUE(child<QLabel>("RxGIFAnimator1")->hasScaledContents()) << "stretched";
    EXPECT_FALSE(child("AniImage")->autoFillBackground()) << "the panel shows through";
    EXPECT_TRUE(child("lblCopyright")->autoFillBackground()) << "the notice is opaque";
    // Each control where its row puts it; the notice sizes itself to its text.
    for (const launcher::ControlDescription& row : launcher::LauncherControlDescriptions) {
        const QRect rect(row.rect.left, row.rect.top, row.rect.width, row.rect.height);
        const QWidget* control = child(std::string(row.name).c_str());
        EXPECT_EQ(row.name == "lblCopyright" ? QRect(control->pos(), rect.size())
                                             : control->geometry(),
                  rect)
            << row.name;
    }
}

// Tab goes through the eight kinds, then Run.
TEST_F(FormGearsTest, TabOrderIsTheKindsThenRun)
{
    std::vector<std::string> expected;
    for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
        expected.emplace_back(kind.buttonName);
    }
    expected.emplace_back("btnRun");
    std::vector<std::string> order;
    QWidget* widget = window->kindButton(0);
    for (int steps = 0; steps < 20 && order.size() < expected.size(); ++steps) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, expected);
}

TEST(ShadowLabelText, CarriageReturnsBreakLinesOnlyForDisplay)
{
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a\r\n    b")), QStringLiteral("a\n    b"));
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a\r   b")), QStringLiteral("a\n   b"));
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a\n\rb\r\r\n")),
              QStringLiteral("a\n\nb\n\n"));
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a && b")), QStringLiteral("a && b"));
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

// The layout the Windows program places its controls by at other DPIs
// (launcherWindowLayout), measured with the window's font at the layout's
// pixel size: the texts still fit where the design's 96-dpi rectangles are
// scaled. The radio indicator and the button's margins scale with them.
TEST_F(FormGearsTest, EveryTextFitsItsControlInTheLayoutAtEachScale)
{
    using launcher::scaleFromDesign;
    const int indicator = window->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                          window->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    const auto textOfRow = [](std::string_view name) {
        return fromUtf8(launcher::findControlDescription(name)->text);
    };
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        const launcher::WindowLayout layout = launcher::launcherWindowLayout(dpi);
        const auto rectOf = [&layout](std::string_view name) {
            return layout
                .controls[static_cast<std::size_t>(launcher::findControlDescription(name) -
                                                   launcher::LauncherControlDescriptions.data())];
        };
        QFont font = window->font();
        font.setPixelSize(layout.fontHeight);
        const QFontMetrics metrics(font);

        for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
            const launcher::ControlRect rect = rectOf(kind.buttonName);
            const QString text = textOfRow(kind.buttonName);
            const int textWidth = rect.width - scaleFromDesign(indicator, dpi);
            EXPECT_LE(metrics.horizontalAdvance(text), textWidth)
                << kind.buttonName << ": its text does not fit on one line";
            const QRect wrapped =
                metrics.boundingRect(QRect(0, 0, textWidth, 1000), Qt::TextWordWrap, text);
            EXPECT_LE(wrapped.height(), rect.height) << kind.buttonName << " cuts its text off";
        }
        EXPECT_LT(metrics.horizontalAdvance(textOfRow("btnRun")),
                  rectOf("btnRun").width - scaleFromDesign(8, dpi));
        EXPECT_LT(metrics.horizontalAdvance(textOfRow("GroupBox1")),
                  rectOf("GroupBox1").width - scaleFromDesign(16, dpi));

        // The label sizes itself to its notice (and the one-pixel shadow),
        // from its scaled top-left corner.
        const launcher::ControlRect label = rectOf("lblCopyright");
        for (const QString& notice : {russianNotice(), englishNotice()}) {
            const QRect shown =
                metrics.boundingRect(QRect(), Qt::AlignLeft, ShadowLabel::displayText(notice));
            EXPECT_LE(label.left + shown.width() + 1, layout.clientWidth)
                << "the notice leaves the window: " << notice.toStdString();
            EXPECT_LE(label.top + shown.height() + 1, rectOf("GroupBox1").top)
                << "the notice runs into the group box: " << notice.toStdString();
        }
    }
}

TEST_F(FormGearsTest, KindButtonsFormOneGroupWithTheFirstChecked)
{
    for (int i = 0; i < 8; ++i) {
        ASSERT_NE(window->kindButton(i), nullptr);
        EXPECT_EQ(window->kindButton(i)->isChecked(), i == 0) << "kind index " << i;
    }
    EXPECT_EQ(window->kindButton(-1), nullptr);
    EXPECT_EQ(window->kindButton(8), nullptr);
    EXPECT_TRUE(runButton()->isEnabled());
}

TEST_F(FormGearsTest, ShowingTheWindowPicksTheNoticeByLanguage)
{
    for (const std::string other : {"RUS", "ENU", "", "DEU"}) {
        SCOPED_TRACE("language \"" + other + "\"");
        TFormGears fresh;
        fresh.behaviour().setLanguageSource([other] { return other; });
        auto* copyright = fresh.findChild<QLabel*>(QStringLiteral("lblCopyright"));
        EXPECT_EQ(copyright->text(), russianNotice()) << "before the show";
        const QSize russianSize = copyright->size();
        fresh.show();
        const bool russian = other == "RUS";
        EXPECT_EQ(copyright->text(), russian ? russianNotice() : englishNotice());
        EXPECT_EQ(copyright->pos(), QPoint(161, 122));
        EXPECT_EQ(copyright->size() == russianSize, russian)
            << "the notice sizes itself to its text";
        const QRect shown = copyright->fontMetrics().boundingRect(
            QRect(), Qt::AlignLeft, ShadowLabel::displayText(copyright->text()));
        EXPECT_GE(copyright->height(), shown.height()) << "the notice is cut at the bottom";
        EXPECT_GE(copyright->width(), shown.width()) << "the notice is cut at the right";
        EXPECT_GE(shown.height(), 2 * copyright->fontMetrics().height()) << "two lines";
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
        fresh.behaviour().setLanguageSource(nullptr); // the platform's own answer
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

TEST_F(FormGearsTest, RunClickedCallsTheCheckedKindWithTheWindowAsOwnerWithRunDisabled)
{
    RecordFile record;
    showWindow();
    QTest::mouseClick(runButton(), Qt::LeftButton);
    runButton()->setEnabled(false);
    QTest::mouseClick(window->kindButton(4), Qt::LeftButton);
    EXPECT_TRUE(runButton()->isEnabled()) << "clicking a kind re-enables Run";
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(window->kindButton(i)->isChecked(), i == 4) << "checking one unchecks the others";
    }
    QTest::mouseClick(runButton(), Qt::LeftButton);
    EXPECT_EQ(g_runEnabledDuringCall, (std::vector<bool>{false, false}));
    EXPECT_TRUE(runButton()->isEnabled());

    const std::vector<std::string> calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].rfind("call TrnRun_CylExt ", 0), 0u)
        << "the first kind is checked at the start";
    EXPECT_EQ(calls[1].rfind("call TrnRun_Worm form=B ", 0), 0u) << calls[1];
    EXPECT_EQ(recordField(calls[1], "owner"), pointerText(reinterpret_cast<void*>(window->winId())))
        << "the owner is the window's native handle";
    ASSERT_TRUE(behaviour().lastOutcome().has_value());
    EXPECT_EQ(behaviour().lastOutcome()->status, launcher::RunStatus::Completed);
}

TEST_F(FormGearsTest, EnterAndKeypadEnterPressTheFocusedRunButtonAsSpaceDoes)
{
    RecordFile record;
    showWindow();
    // Run gives its focus away while it is disabled during the run.
    const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        runButton()->setFocus();
        QTest::keyClick(runButton(), key, modifiers);
    };
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    press(Qt::Key_Space);
    EXPECT_EQ(record.linesStartingWith("call ").size(), 3u);

    window->kindButton(2)->setFocus();
    QTest::keyClick(window->kindButton(2), Qt::Key_Return);
    EXPECT_EQ(record.linesStartingWith("call ").size(), 3u) << "Enter elsewhere runs nothing";
}

TEST_F(FormGearsTest, AutomaticRunClicksTheKindButtonAndShowsTheWindowUntranslated)
{
    RecordFile record;
    behaviour().KindIndex = 5;
    behaviour().DataFileName = "/data/x.chai_rol_dat";
    behaviour().AutoRun = true;
    runButton()->setEnabled(false);
    ASSERT_TRUE(behaviour().SelectKindAndRun().has_value());
    EXPECT_TRUE(window->kindButton(5)->isChecked());
    EXPECT_FALSE(window->kindButton(0)->isChecked());
    EXPECT_TRUE(runButton()->isEnabled());
    EXPECT_TRUE(window->isVisible()) << "the window is brought forward after the run";
    EXPECT_EQ(child<QLabel>("lblCopyright")->text(), russianNotice())
        << "without FormShow the Russian notice stays";
}

// The program's window, whose controls wait for Qt to show it: automatic
// mode runs on it without making them, and the first show by Qt makes them
// as the window made with them has them, with the run's kind checked.
TEST_F(FormGearsTest, WindowWithControlsWhenShownRunsWithoutThemAndMakesThemOnShow)
{
    TFormGears later(TFormGears::Controls::WhenShown);
    later.behaviour().setProgramDir(testsupport::fixtureDir("recording"));
    later.behaviour().setLanguageSource([] { return std::string("ENU"); });
    EXPECT_TRUE(later.findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(later.windowTitle(), window->windowTitle());
    EXPECT_EQ(later.font(), window->font());
    EXPECT_EQ(later.geometry(), window->geometry());
    EXPECT_EQ(later.windowFlags(), window->windowFlags());
    EXPECT_EQ(later.windowIcon().availableSizes(), window->windowIcon().availableSizes());

    RecordFile record;
    later.behaviour().KindIndex = 4;
    later.behaviour().DataFileName = "/data/x.worm_cyl_dat";
    later.behaviour().AutoRun = true;
    ASSERT_TRUE(later.behaviour().SelectKindAndRun().has_value());
    const std::vector<std::string> calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("call TrnRun_Worm form=B ", 0), 0u) << calls[0];
    EXPECT_EQ(recordField(calls[0], "owner"), pointerText(reinterpret_cast<void*>(later.winId())));
    EXPECT_TRUE(later.isVisible()) << "the window is brought forward after the run";
    EXPECT_FALSE(later.hasControls()) << "the bring-forward step makes no controls";

    later.hide();
    later.show();
    ASSERT_TRUE(later.hasControls());
    QStringList names;
    QStringList expectedNames;
    for (const QWidget* control : later.findChildren<QWidget*>()) {
        names << control->objectName();
        EXPECT_TRUE(control->isVisible()) << qPrintable(control->objectName());
    }
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        expectedNames << control->objectName();
    }
    EXPECT_EQ(names, expectedNames);
    EXPECT_TRUE(later.kindButton(4)->isChecked());
    EXPECT_FALSE(later.kindButton(0)->isChecked());
    EXPECT_TRUE(later.findChild<QPushButton*>(QStringLiteral("btnRun"))->isEnabled());
    EXPECT_EQ(later.findChild<QLabel*>(QStringLiteral("lblCopyright"))->text(), englishNotice())
        << "FormShow runs on the controls just made";
}

TEST_F(FormGearsTest, FormShowRunsEachTimeQtShowsTheWindowButNotOnBringForward)
{
    RecordFile record;
    showWindow();
    EXPECT_EQ(languageQueries, 1);
    QTest::mouseClick(runButton(), Qt::LeftButton);
    EXPECT_EQ(languageQueries, 1) << "Run's bring-forward step must not run FormShow";
    window->hide();
    behaviour().btnRunClick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(languageQueries, 1) << "showing a hidden window after a run must not run FormShow";
    window->hide();
    showWindow();
    EXPECT_EQ(languageQueries, 2) << "a second show by Qt runs FormShow again";
}

} // namespace

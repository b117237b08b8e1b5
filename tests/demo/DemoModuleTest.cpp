// The demo modules, loaded through the launcher's module runner with a
// QApplication: a timer of the test finds the demo dialog while it is
// open, notes what it shows and presses its Close button.
#include "DemoModuleSupport.h"
#include "FixtureRecord.h"
#include "TFormGears.h"
#include "TzrRadioButton.h"
#include "launcher/CalculationKinds.h"
#include "launcher/ModuleRunner.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <thread>

// Lets GoogleTest print a QString readably when a comparison fails.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

using launcher::RunStatus;

namespace {

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

std::string slotText(const char** slot)
{
    return *slot != nullptr ? std::string(*slot) : std::string("(null)");
}

// What the demo dialog showed while it was open.
struct DialogSeen
{
    bool seen = false;
    bool modal = false;
    QWidget* parent = nullptr;
    bool moduleMapped = false;
    std::map<QString, QString> texts; // object name -> text of the label or text box

    QString operator[](const char* objectName) const
    {
        const auto it = texts.find(QString::fromLatin1(objectName));
        return it == texts.end() ? QStringLiteral("<no widget %1>").arg(objectName) : it->second;
    }
};

// Polls for the demo dialog while RunCalculation runs the module, records
// what it shows, and closes it with its Close button.
class DialogCloser
{
public:
    explicit DialogCloser(std::string modulePath) : m_modulePath(std::move(modulePath))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    const DialogSeen& seen() const { return m_seen; }

private:
    void poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->objectName() != QLatin1String("demoDialog")) {
            return;
        }
        m_seen.seen = true;
        m_seen.modal = dialog->isModal();
        m_seen.parent = dialog->parentWidget();
        m_seen.moduleMapped = demotest::isMapped(m_modulePath);
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->objectName().startsWith(QLatin1String("demo"))) {
                m_seen.texts[label->objectName()] = label->text();
            }
        }
        if (auto* lines = dialog->findChild<QPlainTextEdit*>(QStringLiteral("demoFileLines"))) {
            m_seen.texts[lines->objectName()] = lines->toPlainText();
        }
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("demoButtons"));
        QPushButton* close =
            buttons != nullptr ? buttons->button(QDialogButtonBox::Close) : nullptr;
        if (close != nullptr) {
            close->click();
        } else {
            ADD_FAILURE() << "the demo dialog has no Close button";
            dialog->reject();
        }
        m_timer.stop();
    }

    std::string m_modulePath;
    QTimer m_timer;
    DialogSeen m_seen;
};

class DemoModule : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unsetenv("TRN_DEMO_AUTOCLOSE_MS");
        demotest::setResultSlots(nullptr, nullptr);
        m_host.programDir = demotest::programDir();
        m_host.owner =
            reinterpret_cast<TrnWindowHandle>(static_cast<std::uintptr_t>(m_window.winId()));
    }

    void TearDown() override { demotest::setResultSlots(nullptr, nullptr); }

    // Runs module `number` on `name` and closes its dialog; checks that the
    // run completed with flag 1 and that the module is unloaded afterwards.
    DialogSeen run(int number, const std::string& name)
    {
        const std::string path = demotest::modulePath(number);
        const auto topLevelBefore = QApplication::topLevelWidgets().size();
        const auto childrenBefore = m_window.children().size();
        DialogCloser closer(path);
        const launcher::RunOutcome outcome = launcher::RunCalculation(number, name, m_host);
        // Nothing of the module may outlive the call.
        EXPECT_EQ(QApplication::topLevelWidgets().size(), topLevelBefore);
        EXPECT_EQ(m_window.children().size(), childrenBefore);
        EXPECT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
        EXPECT_EQ(outcome.libraryPath, path);
        EXPECT_EQ(outcome.flag, 1);
        EXPECT_TRUE(closer.seen().seen) << "module " << number << " showed no demo dialog";
        EXPECT_TRUE(closer.seen().moduleMapped) << path << " was not mapped during the call";
        EXPECT_FALSE(demotest::isMapped(path)) << path << " is still mapped after the run";
        return closer.seen();
    }

    // The kind's name as the launcher window's button gives it.
    QString kindCaption(int number) const { return m_window.kindButton(number - 1)->text(); }

    TFormGears m_window; // the owner, as when the launcher runs a module
    launcher::ModuleHost m_host;
};

} // namespace

TEST_F(DemoModule, EveryKindNamesItselfAndPassesItsTextOnThroughTheSlots)
{
    // Texts of another module are shown and left alone (freeing static
    // text would crash).
    static const char foreignFirst[] = "left by another module";
    static const char foreignSecond[] = "second slot text";
    demotest::setResultSlots(foreignFirst, foreignSecond);

    for (int number = 1; number <= 8; ++number) {
        const std::string entryPoint(launcher::kindForModuleNumber(number)->entryPoint);
        SCOPED_TRACE(entryPoint);
        // A copy: the module frees the text when it is one of the demo's own.
        const std::string before = slotText(launcher::firstResultTextSlot());
        const DialogSeen seen = run(number, "");

        EXPECT_EQ(seen["demoKind"], kindCaption(number));
        EXPECT_EQ(seen["demoEntryPoint"], QString::fromStdString(entryPoint));
        EXPECT_EQ(seen["demoDataFileName"], utf8("файл данных не передан"));
        EXPECT_TRUE(seen.modal);
        EXPECT_EQ(seen.parent, &m_window) << "the dialog is not owned by the owner window";

        const bool hasFirstSlot = number <= 5;
        const bool hasSecondSlot = number <= 4;
        if (hasFirstSlot) {
            EXPECT_EQ(seen["demoSlot1"],
                      QLatin1Char('"') + QString::fromStdString(before) + QLatin1Char('"'));
            EXPECT_EQ(slotText(launcher::firstResultTextSlot()),
                      "trn-demo " + entryPoint + ": no data file");
        } else {
            EXPECT_EQ(seen["demoSlot1"], utf8("нет у этой формы вызова"));
        }
        EXPECT_EQ(seen["demoSlot2"],
                  hasSecondSlot ? utf8("\"second slot text\"") : utf8("нет у этой формы вызова"));
    }
    // Forms C leave the slots as the worm module left them.
    EXPECT_EQ(slotText(launcher::firstResultTextSlot()), "trn-demo TrnRun_Worm: no data file");
    EXPECT_EQ(*launcher::secondResultTextSlot(), foreignSecond);
}

TEST_F(DemoModule, SecondRunLoadsShowsAndUnloadsTheSameWay)
{
    testsupport::TempDir dir;
    const std::string name = (dir.path() / "передача.worm_cyl_dat").string();
    {
        std::ofstream out(name, std::ios::binary);
        for (int i = 1; i <= 20; ++i) {
            out << "line " << i << "\r\n";
        }
    }
    const QString size = QString::number(std::filesystem::file_size(name));

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const DialogSeen seen = run(5, name);
        EXPECT_EQ(seen["demoDataFileName"], QString::fromLocal8Bit(name.c_str()));
        EXPECT_EQ(seen["demoFileSummary"], utf8("размер %1 байт").arg(size));
        EXPECT_EQ(seen["demoFileLines"],
                  QStringLiteral("line 1\nline 2\nline 3\nline 4\nline 5\nline 6\nline 7\nline "
                                 "8\n\u2026"));
        EXPECT_EQ(seen["demoSlot1"], round == 1
                                         ? utf8("пусто (нулевой указатель)")
                                         : utf8("\"trn-demo TrnRun_Worm: data file shown\""));
        EXPECT_EQ(slotText(launcher::firstResultTextSlot()),
                  "trn-demo TrnRun_Worm: data file shown");
    }
}

TEST_F(DemoModule, DataFileNamesAreShownAsTextAndNeverBlockTheDialog)
{
    testsupport::TempDir dir;
    const std::string richName = dir.dirWithSlash() + "<b>bold</b>\xff.gear_exc_dat";
    const std::string folder = dir.dirWithSlash() + "folder.gear_exc_dat";
    const std::string fifo = dir.dirWithSlash() + "pipe.gear_exc_dat";
    const std::string longLine = dir.dirWithSlash() + "long.gear_exc_dat";
    std::filesystem::create_directory(folder);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    {
        std::ofstream out(longLine, std::ios::binary);
        out << "a\x01" << '\0' << "b\tc\n" << std::string(10000, 'x');
    }

    DialogSeen seen = run(1, richName);
    EXPECT_EQ(seen["demoDataFileName"], QString::fromLocal8Bit(richName.c_str()))
        << "a file name must be shown as plain text, byte for byte decoded";
    EXPECT_EQ(seen["demoFileSummary"], utf8("файл не найден"));
    EXPECT_EQ(slotText(launcher::firstResultTextSlot()),
              "trn-demo TrnRun_CylExt: data file not read");

    // A folder or a FIFO is not read: reading a FIFO would block the dialog.
    for (const std::string& name : {folder, fifo}) {
        seen = run(1, name);
        EXPECT_EQ(seen["demoFileSummary"], utf8("это не обычный файл, содержимое не показано"))
            << name;
    }

    // Control characters are shown as U+FFFD; a huge line is cut short.
    seen = run(1, longLine);
    EXPECT_EQ(seen["demoFileLines"], QStringLiteral("a\uFFFD\uFFFDb\tc\n") +
                                         QString(200, QLatin1Char('x')) + QChar(0x2026));

    // A name that fills the whole 260-byte buffer arrives complete.
    const std::string longest = "/" + std::string(TRN_MAX_PATH - 2, 'n');
    seen = run(1, longest);
    EXPECT_EQ(seen["demoDataFileName"], QString::fromLatin1(longest.c_str()));
}

TEST_F(DemoModule, WithoutTheOwnerWindowTheDialogHasNoParent)
{
    // A window id that belongs to no widget of this process, as when the
    // module is called by another program.
    m_host.owner = reinterpret_cast<TrnWindowHandle>(std::uintptr_t{0x7fff0001});
    const DialogSeen seen = run(6, "");
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_EQ(seen["demoKind"], kindCaption(6));
}

TEST_F(DemoModule, AutocloseVariableClosesTheDialogByItself)
{
    setenv("TRN_DEMO_AUTOCLOSE_MS", "0", 1);
    char name[TRN_MAX_PATH] = "";
    // A stand-by closer, in case the variable is not honoured: the test then
    // fails instead of hanging.
    QTimer standBy;
    bool standByClosed = false;
    standBy.setSingleShot(true);
    QObject::connect(&standBy, &QTimer::timeout, [&standByClosed] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            standByClosed = true;
            dialog->reject();
        }
    });
    standBy.start(5000);
    const launcher::RunOutcome outcome = launcher::RunCalculation(8, name, m_host);
    EXPECT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.flag, 1);
    EXPECT_FALSE(standByClosed) << "TRN_DEMO_AUTOCLOSE_MS=0 did not close the dialog";
    EXPECT_FALSE(demotest::isMapped(demotest::modulePath(8)));
    unsetenv("TRN_DEMO_AUTOCLOSE_MS");
}

TEST_F(DemoModule, OutsideTheGuiThreadNothingIsShown)
{
    launcher::RunOutcome outcome;
    char name[TRN_MAX_PATH] = "";
    std::thread worker([&] { outcome = launcher::RunCalculation(1, name, m_host); });
    worker.join();
    EXPECT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.flag, 0);
    EXPECT_EQ(*launcher::firstResultTextSlot(), nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().size() <= 1) << "the module left a widget behind";
}

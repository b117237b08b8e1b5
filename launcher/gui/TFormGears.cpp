#include "TFormGears.h"

#include "CopyrightNotices.h"
#include "ErrorLine.h"
#include "FontSubstitution.h"
#include "TzrRadioButton.h"
#include "WindowAnimationSwitch.h"
#include "launcher/CalculationKinds.h"
#include "launcher/Paths.h"
#include "platform/Animation.h"
#include "platform/Locale.h"
#include "translation/FormTranslator.h"
#include "ui_TFormGears.h"

#include <QGuiApplication>
#include <QShowEvent>
#include <exception>
#include <vector>

// The pictures, the icon and the notices are compiled into a static
// library; this pulls them into every program that shows the window.
static void initResources()
{
    Q_INIT_RESOURCE(derize_resources);
}

TFormGears::TFormGears(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TFormGears>()),
      m_animation(&platform::systemWindowAnimation()),
      m_languageSource(&platform::userLanguageAbbreviation)
{
    initResources();
    launcher::installFontSubstitutions();
    m_ui->setupUi(this);
    // The form compiler drops the CR of the notice's CR LF; the caption is
    // put back exactly as the notice reads, as translation looks it up by
    // its exact characters.
    m_ui->lblCopyright->setText(launcher::russianCopyrightNotice());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    move(424, 227);

    m_kindButtons = {m_ui->rbGear_Exc, m_ui->rbGear_Inc, m_ui->rbGear_Spb, m_ui->rbGear_Stb,
                     m_ui->rbWorm_Cyl, m_ui->rbChai_Rol, m_ui->rbBelt_Vee, m_ui->rbToothedBelt};
    for (TzrRadioButton* button : m_kindButtons) {
        connect(button, &QAbstractButton::clicked, this, &TFormGears::rbGear_ExcClick);
    }
    connect(m_ui->btnRun, &QAbstractButton::clicked, this, &TFormGears::btnRunClick);

    FormCreate();
}

TFormGears::~TFormGears() = default;

TzrRadioButton* TFormGears::kindButton(int kindIndex) const
{
    if (kindIndex < 0 || kindIndex >= static_cast<int>(m_kindButtons.size())) {
        return nullptr;
    }
    return m_kindButtons[static_cast<std::size_t>(kindIndex)];
}

void TFormGears::setWindowAnimation(platform::WindowAnimation* animation)
{
    m_animation = animation != nullptr ? animation : &platform::systemWindowAnimation();
}

void TFormGears::setLanguageSource(std::function<std::string()> source)
{
    m_languageSource = source ? std::move(source) : &platform::userLanguageAbbreviation;
}

void TFormGears::FormCreate()
{
    DataFileName.clear();
}

void TFormGears::showEvent(QShowEvent* event)
{
    // Only a show by Qt itself (not a window manager's restore, not the
    // bring-forward step after a run) is the window being shown.
    if (!event->spontaneous() && !m_bringingForward) {
        FormShow();
    }
    QWidget::showEvent(event);
}

void TFormGears::FormShow()
{
    translation::TranslateForm(this);
    // After the translation, so that the English notice is never
    // translated.
    if (!launcher::keepsRussianNotice(m_languageSource())) {
        m_ui->lblCopyright->setText(launcher::englishCopyrightNotice());
    }
    m_ui->lblCopyright->adjustSize();
}

void TFormGears::rbGear_ExcClick()
{
    m_ui->btnRun->setEnabled(true);
}

void TFormGears::btnRunClick()
{
    m_ui->btnRun->setEnabled(false);
    if (DataFileName.size() > launcher::MaxDataFileNameLength) {
        // Start-up refuses such names; a name is never shortened.
        launcher::writeErrorLine("data file name is longer than " +
                                 std::to_string(launcher::MaxDataFileNameLength) +
                                 " bytes; the module is not called: " + DataFileName);
    } else {
        // The module is given the name in a buffer of its own for the call.
        std::vector<char> buffer(TRN_MAX_PATH, '\0');
        DataFileName.copy(buffer.data(), DataFileName.size());
        for (int kindIndex = 0; kindIndex < static_cast<int>(m_kindButtons.size()); ++kindIndex) {
            if (kindButton(kindIndex)->isChecked()) {
                m_lastOutcome = runKind(kindIndex, buffer.data());
                break;
            }
        }
    }
    m_ui->btnRun->setEnabled(true);
    bringForward();
}

launcher::RunOutcome TFormGears::runKind(int kindIndex, char* dataFileName)
{
    const int moduleNumber = kindIndex + 1;
    launcher::ModuleHost host;
    host.programDir = m_programDir;
    host.owner = reinterpret_cast<TrnWindowHandle>(winId());

    launcher::RunOutcome outcome;
    std::string raised;
    try {
        outcome = launcher::RunCalculation(moduleNumber, dataFileName, host);
    } catch (const std::exception& error) {
        raised = error.what();
    } catch (...) {
        raised = "an error that is not a standard exception";
    }
    if (!raised.empty()) {
        // Qt does not let an exception pass through its event loop; the
        // module stays loaded, as its error may still refer to its code.
        const launcher::CalculationKind& kind = *launcher::kindForModuleNumber(moduleNumber);
        outcome = {};
        outcome.status = launcher::RunStatus::ModuleRaisedError;
        outcome.libraryPath = launcher::modulePathFor(kind, m_programDir);
        outcome.message = "module " + outcome.libraryPath + " raised an error in " +
                          std::string(kind.entryPoint) + ": " + raised;
    }
    if (outcome.status != launcher::RunStatus::Completed) {
        launcher::writeErrorLine(outcome.message);
    }
    return outcome;
}

void TFormGears::bringForward()
{
    winId();
    m_bringingForward = true;
    launcher::showWithoutAnimation(*m_animation, [this] { show(); });
    m_bringingForward = false;
    // Windows without a stacking order (the offscreen platform) have
    // nothing to raise; Qt would only warn about it.
    static const bool stacked = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                QGuiApplication::platformName() != QLatin1String("minimal");
    if (stacked) {
        raise();
    }
    activateWindow();
}

void TFormGears::SelectKindAndRun()
{
    if (!AutoRun) {
        return;
    }
    if (TzrRadioButton* button = kindButton(KindIndex)) {
        if (!button->isChecked()) {
            // Checks it, unchecks the others and runs its click handler.
            button->click();
        }
    }
    btnRunClick();
}

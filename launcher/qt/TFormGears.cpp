#include "TFormGears.h"

#include "FontSubstitution.h"
#include "TzrRadioButton.h"
#include "launcher/CalculationKinds.h"
#include "launcher/window/CopyrightNotices.h"
#include "launcher/window/WindowDescription.h"
#include "translation/qt/FormTranslator.h"
#include "ui_TFormGears.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QShowEvent>

// The pictures and the icon are compiled into a static library; this pulls
// them into every program that shows the window.
static void initResources()
{
    Q_INIT_RESOURCE(derize_resources);
}

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TFormGears::TFormGears(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TFormGears>()), m_behaviour(*this, {})
{
    initResources();
    launcher::installFontSubstitutions();
    m_ui->setupUi(this);
    // The form compiler drops the CR of the notice's CR LF; the caption is
    // put back exactly as the notice reads, as translation looks it up by
    // its exact characters.
    m_ui->lblCopyright->setText(fromUtf8(launcher::russianCopyrightNotice()));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    move(launcher::LauncherWindowDescription.left, launcher::LauncherWindowDescription.top);

    // Each kind's button is the one its row of the kind table names.
    for (std::size_t kind = 0; kind < launcher::KindCount; ++kind) {
        m_kindButtons[kind] = findChild<TzrRadioButton*>(
            fromUtf8(launcher::CalculationKinds[kind].buttonName), Qt::FindChildrenRecursively);
        Q_ASSERT(m_kindButtons[kind] != nullptr);
    }
    for (TzrRadioButton* button : m_kindButtons) {
        connect(button, &QAbstractButton::clicked, this, [this] { m_behaviour.rbGear_ExcClick(); });
    }
    connect(m_ui->btnRun, &QAbstractButton::clicked, this, [this] { m_behaviour.btnRunClick(); });

    m_behaviour.FormCreate();
}

TFormGears::~TFormGears() = default;

TzrRadioButton* TFormGears::kindButton(int kindIndex) const
{
    if (kindIndex < 0 || kindIndex >= static_cast<int>(m_kindButtons.size())) {
        return nullptr;
    }
    return m_kindButtons[static_cast<std::size_t>(kindIndex)];
}

void TFormGears::showEvent(QShowEvent* event)
{
    // Only a show by Qt itself (not a window manager's restore, not the
    // bring-forward step after a run) is the window being shown.
    if (!event->spontaneous() && !m_bringingForward) {
        translation::qt::TranslateForm(this);
        m_behaviour.FormShow();
        m_ui->lblCopyright->adjustSize();
    }
    QWidget::showEvent(event);
}

void TFormGears::keyPressEvent(QKeyEvent* event)
{
    // A push button outside a dialog passes Enter on to its window; on the
    // focused Run button it runs, as Space does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == m_ui->btnRun && m_ui->btnRun->isEnabled()) {
        m_ui->btnRun->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

int TFormGears::checkedKind() const
{
    for (int kindIndex = 0; kindIndex < static_cast<int>(m_kindButtons.size()); ++kindIndex) {
        if (m_kindButtons[static_cast<std::size_t>(kindIndex)]->isChecked()) {
            return kindIndex;
        }
    }
    return -1;
}

void TFormGears::checkKind(int kindIndex)
{
    if (TzrRadioButton* button = kindButton(kindIndex)) {
        // Checks it, unchecks the others and runs its click handler.
        button->click();
    }
}

void TFormGears::setRunEnabled(bool enabled)
{
    m_ui->btnRun->setEnabled(enabled);
}

void TFormGears::setNotice(launcher::Notice notice)
{
    if (notice == launcher::Notice::English) {
        m_ui->lblCopyright->setText(fromUtf8(launcher::englishCopyrightNotice()));
    }
}

void TFormGears::showNativeWindow()
{
    winId();
    m_bringingForward = true;
    show();
    m_bringingForward = false;
}

void TFormGears::bringToForeground()
{
    // Windows without a stacking order (the offscreen platform) have
    // nothing to raise; Qt would only warn about it.
    static const bool stacked = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                QGuiApplication::platformName() != QLatin1String("minimal");
    if (stacked) {
        raise();
    }
    activateWindow();
}

TrnWindowHandle TFormGears::ownerHandle()
{
    return reinterpret_cast<TrnWindowHandle>(winId());
}

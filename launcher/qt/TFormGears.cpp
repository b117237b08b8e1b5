#include "TFormGears.h"

#include "BevelPanel.h"
#include "ShadowLabel.h"
#include "TzrRadioButton.h"
#include "launcher/CalculationKinds.h"
#include "launcher/window/WindowDescription.h"
#include "translation/qt/FormTranslator.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

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

// Maps the window's font family, "MS Sans Serif", onto a sans-serif face of
// similar width that the system has (Liberation Sans on Debian), before the
// window is made.
void substituteWindowFont()
{
    const QString family = fromUtf8(launcher::LauncherWindowDescription.fontFace);
    if (QFont::substitutes(family).isEmpty()) {
        QFont::insertSubstitutions(family,
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("DejaVu Sans")});
    }
}

// The window's icon, read by Qt's own PNG reader. Left to find the format
// itself, Qt would first load every image plug-in to ask whether it reads
// the file, and automatic mode decodes no other picture.
QIcon launcherIcon()
{
    QImageReader reader(QStringLiteral(":/images/derize-zizir-16.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

// The Qt widget of a row of the window's description, with its look.
QWidget* makeControl(const launcher::ControlDescription& control, QWidget* parent)
{
    const QString text = fromUtf8(control.text);
    switch (control.controlClass) {
    case launcher::ControlClass::Label: {
        // Its text, which sizes it, comes once it is placed.
        auto* label = new ShadowLabel(parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case launcher::ControlClass::Panel:
        return new BevelPanel(parent);
    case launcher::ControlClass::Picture: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(QPixmap(QStringLiteral(":/images/ani_image.png")));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case launcher::ControlClass::GifPicture: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(QPixmap(QStringLiteral(":/images/transmission.gif")));
        picture->setScaledContents(true);
        return picture;
    }
    case launcher::ControlClass::GroupBox:
        return new QGroupBox(text, parent);
    case launcher::ControlClass::KindButton: {
        auto* button = new TzrRadioButton(text, parent);
        button->setChecked(control.checked);
        return button;
    }
    case launcher::ControlClass::PushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        return button;
    }
    }
    return nullptr;
}

// The kind index whose button the description's row names, -1 for none.
int kindOfButton(std::string_view name)
{
    const auto& kinds = launcher::CalculationKinds;
    const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                   [name](const auto& row) { return row.buttonName == name; });
    return kind == kinds.end() ? -1 : static_cast<int>(kind - kinds.begin());
}

} // namespace

TFormGears::TFormGears(QWidget* parent) : TFormGears(Controls::WithWindow, parent) {}

TFormGears::TFormGears(Controls controls, QWidget* parent) : QWidget(parent), m_behaviour(*this, {})
{
    initResources();
    substituteWindowFont();
    const launcher::WindowDescription& window = launcher::LauncherWindowDescription;
    setObjectName(fromUtf8(window.name));
    setWindowTitle(fromUtf8(window.caption));
    setWindowIcon(launcherIcon());
    setFont(QFont(fromUtf8(window.fontFace), window.fontPointSize));
    setFixedSize(window.clientWidth, window.clientHeight);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    move(window.left, window.top);

    for (const launcher::ControlDescription& control : launcher::LauncherControlDescriptions) {
        if (control.controlClass == launcher::ControlClass::KindButton && control.checked) {
            m_checkedKind = kindOfButton(control.name);
        }
    }
    if (controls == Controls::WithWindow) {
        makeControls();
    }
    m_behaviour.FormCreate();
}

void TFormGears::makeControls()
{
    if (hasControls()) {
        return;
    }
    // Parents come before their children in the description, and siblings
    // in their tab order: the focus chain is the creation order.
    for (const launcher::ControlDescription& control : launcher::LauncherControlDescriptions) {
        QWidget* parentWidget =
            control.parent.empty() ? this : findChild<QWidget*>(fromUtf8(control.parent));
        QWidget* widget = makeControl(control, parentWidget);
        widget->setObjectName(fromUtf8(control.name));
        widget->setGeometry(control.rect.left, control.rect.top, control.rect.width,
                            control.rect.height);
    }
    m_label = findChild<ShadowLabel*>(QStringLiteral("lblCopyright"));
    m_label->setText(fromUtf8(launcher::russianCopyrightNotice()));
    m_run = findChild<QPushButton*>(QStringLiteral("btnRun"));

    // Each kind's button is the one its row of the kind table names.
    for (std::size_t kind = 0; kind < launcher::KindCount; ++kind) {
        m_kindButtons[kind] =
            findChild<TzrRadioButton*>(fromUtf8(launcher::CalculationKinds[kind].buttonName));
        connect(m_kindButtons[kind], &QAbstractButton::clicked, this,
                [this] { m_behaviour.rbGear_ExcClick(); });
    }
    connect(m_run, &QAbstractButton::clicked, this, [this] { m_behaviour.btnRunClick(); });

    // What happened before: the kind a run checked, Run's state, the notice.
    if (TzrRadioButton* button = kindButton(m_checkedKind)) {
        button->setChecked(true);
    }
    m_run->setEnabled(m_runEnabled);
    setNotice(m_notice);
}

TzrRadioButton* TFormGears::kindButton(int kindIndex) const
{
    if (kindIndex < 0 || kindIndex >= static_cast<int>(m_kindButtons.size())) {
        return nullptr;
    }
    return m_kindButtons[static_cast<std::size_t>(kindIndex)];
}

void TFormGears::setVisible(bool visible)
{
    // Made before Qt shows the children, so that they show with the window.
    if (visible && !m_bringingForward) {
        makeControls();
    }
    QWidget::setVisible(visible);
}

void TFormGears::showEvent(QShowEvent* event)
{
    // Only a show by Qt itself (not a window manager's restore, not the
    // bring-forward step after a run) is the window being shown.
    if (!event->spontaneous() && !m_bringingForward) {
        translation::qt::TranslateForm(this);
        m_behaviour.FormShow();
        m_label->adjustSize();
    }
    QWidget::showEvent(event);
}

void TFormGears::keyPressEvent(QKeyEvent* event)
{
    // A push button outside a dialog passes Enter on to its window; on the
    // focused Run button it runs, as Space does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && hasControls() && focusWidget() == m_run && m_run->isEnabled()) {
        m_run->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

int TFormGears::checkedKind() const
{
    if (!hasControls()) {
        return m_checkedKind;
    }
    const auto checked =
        std::find_if(m_kindButtons.begin(), m_kindButtons.end(),
                     [](const TzrRadioButton* button) { return button->isChecked(); });
    return checked == m_kindButtons.end() ? -1 : static_cast<int>(checked - m_kindButtons.begin());
}

void TFormGears::checkKind(int kindIndex)
{
    if (!hasControls()) {
        if (kindIndex >= 0 && kindIndex < static_cast<int>(launcher::KindCount)) {
            m_checkedKind = kindIndex;
            m_behaviour.rbGear_ExcClick();
        }
        return;
    }
    if (TzrRadioButton* button = kindButton(kindIndex)) {
        // Checks it, unchecks the others and runs its click handler.
        button->click();
    }
}

void TFormGears::setRunEnabled(bool enabled)
{
    m_runEnabled = enabled;
    if (hasControls()) {
        m_run->setEnabled(enabled);
    }
}

void TFormGears::setNotice(launcher::Notice notice)
{
    // The English notice replaces the Russian one for good.
    if (notice != launcher::Notice::English) {
        return;
    }
    m_notice = notice;
    if (hasControls()) {
        m_label->setText(fromUtf8(launcher::englishCopyrightNotice()));
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

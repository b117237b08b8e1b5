// Stands in for the toolkit-free window library until it is built for
// Windows: the control table, the window's behaviour, the style rule and
// the English notice, as the Qt window has them.
#include "../WindowCore.h"
#include "launcher/CalculationKinds.h"
#include "launcher/Paths.h"
#include "platform/Animation.h"
#include "platform/ErrorReport.h"
#include "platform/Locale.h"

#include <exception>
#include <vector>

namespace launcher {

const WindowSpec LauncherWindowSpec{"FormGears",
                                    "TFormGears",
                                    "Комплекс программ ЗЕФРАН-DIVIZ",
                                    424,
                                    227,
                                    367,
                                    430,
                                    "MS Sans Serif",
                                    8};

const std::array<ControlSpec, 15> LauncherControls{{
    {"lblCopyright",
     ControlClass::Label,
     "",
     {161, 122, 189, 26},
     "© 2026 разработчики ZEFRAN-DIVIZ\r\n    Все права защищены.",
     -1,
     false,
     false},
    {"Panel2", ControlClass::Panel, "", {157, 10, 196, 103}, "", 0, false, false},
    {"AniImage", ControlClass::Picture, "Panel2", {2, 2, 192, 99}, "", -1, false, false},
    {"Panel1", ControlClass::Panel, "", {10, 10, 143, 134}, "", 1, false, false},
    {"RxGIFAnimator1", ControlClass::GifPicture, "Panel1", {2, 2, 139, 130}, "", -1, false, false},
    {"GroupBox1",
     ControlClass::GroupBox,
     "",
     {12, 152, 341, 238},
     "Типы расчетов",
     2,
     false,
     false},
    {"rbGear_Exc",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 24, 320, 19},
     "Цилиндрическая передача внешнего зацепления",
     0,
     true,
     true},
    {"rbGear_Inc",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 51, 316, 20},
     "Цилиндрическая передача внутреннего зацепления",
     1,
     false,
     false},
    {"rbGear_Spb",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 78, 316, 17},
     "Коническая передача с круговыми зубьями",
     2,
     false,
     false},
    {"rbGear_Stb",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 105, 316, 17},
     "Коническая передача с прямыми зубьями",
     3,
     false,
     false},
    {"rbWorm_Cyl",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 132, 316, 17},
     "Червячная цилиндрическая передача",
     4,
     false,
     false},
    {"rbChai_Rol",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 159, 316, 17},
     "Роликовая цепная передача",
     5,
     false,
     false},
    {"rbBelt_Vee",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 186, 316, 17},
     "Клиноременная передача",
     6,
     false,
     false},
    {"rbToothedBelt",
     ControlClass::KindButton,
     "GroupBox1",
     {9, 212, 316, 17},
     "Зубчато-ременная передача",
     7,
     false,
     false},
    {"btnRun", ControlClass::PushButton, "", {91, 399, 186, 25}, "Выполнить", 3, true, false},
}};

const ControlSpec* findControl(std::string_view name)
{
    for (const ControlSpec& control : LauncherControls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

LauncherWindow::LauncherWindow(LauncherView& view, std::string programDir,
                               platform::WindowAnimation* animation,
                               std::function<std::string()> languageSource)
    : m_view(view), m_programDir(std::move(programDir)),
      m_animation(animation != nullptr ? animation : &platform::systemWindowAnimation()),
      m_languageSource(languageSource ? std::move(languageSource)
                                      : &platform::userLanguageAbbreviation)
{
}

void LauncherWindow::FormCreate()
{
    DataFileName.clear();
}

void LauncherWindow::FormShow()
{
    std::string language = m_languageSource();
    for (char& c : language) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (language != "RUS") {
        m_view.setNotice(Notice::English);
    }
}

void LauncherWindow::rbGear_ExcClick()
{
    m_view.setRunEnabled(true);
}

void LauncherWindow::btnRunClick()
{
    m_view.setRunEnabled(false);
    if (DataFileName.size() > MaxDataFileNameLength) {
        platform::reportError("data file name is longer than " +
                              std::to_string(MaxDataFileNameLength) +
                              " bytes; the module is not called: " + DataFileName);
    } else if (const int kindIndex = m_view.checkedKind(); kindIndex >= 0) {
        std::vector<char> buffer(TRN_MAX_PATH, '\0');
        DataFileName.copy(buffer.data(), DataFileName.size());
        const int moduleNumber = kindIndex + 1;
        ModuleHost host{m_programDir, m_view.ownerHandle()};
        RunOutcome outcome;
        std::string raised;
        try {
            outcome = RunCalculation(moduleNumber, buffer.data(), host);
        } catch (const std::exception& error) {
            raised = error.what();
        } catch (...) {
            raised = "an error that is not a standard exception";
        }
        if (!raised.empty()) {
            const CalculationKind& kind = *kindForModuleNumber(moduleNumber);
            outcome = {};
            outcome.status = RunStatus::ModuleRaisedError;
            outcome.libraryPath = modulePathFor(kind, m_programDir);
            outcome.message = "module " + outcome.libraryPath + " raised an error in " +
                              std::string(kind.entryPoint) + ": " + raised;
        }
        if (outcome.status != RunStatus::Completed) {
            platform::reportError(outcome.message);
        }
        m_lastOutcome = outcome;
    }
    m_view.setRunEnabled(true);
    bringForward();
}

void LauncherWindow::bringForward()
{
    int minimize = 0;
    const bool on = m_animation->query(minimize) && minimize != 0;
    if (on) {
        m_animation->set(0);
    }
    m_view.showNativeWindow();
    if (on) {
        m_animation->set(-1);
    }
    m_view.bringToForeground();
}

std::optional<RunOutcome> LauncherWindow::SelectKindAndRun()
{
    if (!AutoRun) {
        return std::nullopt;
    }
    if (KindIndex >= 0 && KindIndex < static_cast<int>(KindCount) &&
        m_view.checkedKind() != KindIndex) {
        m_view.checkKind(KindIndex);
    }
    m_lastOutcome.reset();
    btnRunClick();
    return m_lastOutcome;
}

} // namespace launcher

namespace launcher::win32 {

std::uint32_t kindButtonStyle(std::uint32_t baseStyle, HorizontalAlignment horizontal,
                              VerticalAlignment vertical, bool wordWrap, ButtonStyle style)
{
    static constexpr std::uint32_t Horizontal[] = {0x0100, 0x0200, 0x0300};
    static constexpr std::uint32_t Vertical[] = {0x0400, 0x0C00, 0x0800};
    static constexpr std::uint32_t Look[] = {0x0000, 0x8000, 0x1000};
    std::uint32_t bits = baseStyle & ~std::uint32_t{0xBF00};
    bits |= Horizontal[static_cast<int>(horizontal)];
    bits |= Vertical[static_cast<int>(vertical)];
    bits |= wordWrap ? 0x2000 : 0;
    bits |= Look[static_cast<int>(style)];
    return bits;
}

std::string_view englishNotice()
{
    return "© 2026 the ZEFRAN-DIVIZ developers\r   All rights reserved.";
}

} // namespace launcher::win32

// DemoModule.cpp - the demo calculation module, and the reference example
// for writing a module (the contract is in the SDK's trn_module.h).
//
// It calculates nothing. It opens a modal dialog owned by the launcher
// window that shows what the launcher handed over: the kind, the data file
// name, what the result-text slots held on entry and, when the data file
// exists, its size and first lines. It then stores a short text in the
// first result-text slot (call forms A and B) and returns 1.
//
// This one source is built once per kind (see CMakeLists.txt beside it);
// compile definitions choose the kind:
//   TRN_DEMO_KIND_INDEX   0 to 7, the kind's position in the launcher's list
//   TRN_DEMO_ENTRY        the entry point, e.g. TrnRun_Worm
//   TRN_DEMO_FORM_A, TRN_DEMO_FORM_B or TRN_DEMO_FORM_C: its call form
//
// Environment:
//   TRN_DEMO_AUTOCLOSE_MS=<n>   the dialog closes by itself after n
//                               milliseconds (0 to 3600000), so that scripts,
//                               tests and CI never wait for a click.
//
// What a module loaded and unloaded by the launcher must take care of, and
// how this one does it:
//   - Nothing may outlive the call, because the library is unloaded as soon
//     as the entry point returns. The dialog and everything in it (the
//     autoclose timer included) is deleted before returning. There are no
//     threads, no static QObjects and no Q_OBJECT classes (their
//     meta-objects would live in this library), and no types are
//     registered with Qt's meta-type system from here.
//   - No QStringLiteral or u"..."_s: such strings point into this library's
//     read-only data, and Qt may keep a copy of a string (in a font or style
//     cache, say) after the library is gone. Every QString here is built at
//     run time.
//   - The data file name is raw 8-bit bytes. The file is opened with exactly
//     those bytes; they are decoded only for display.
//   - A text stored in a result-text slot must stay valid after unloading,
//     so it is allocated with malloc, and an earlier text is freed only when
//     it is recognisably one of ours.
//   - The module never creates a QApplication: when the calling process has
//     none (a command-line tool, a test), it shows nothing and returns 0.
#include "../DemoKind.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <trn_module.h>
#include <type_traits>

namespace {

const char* const EntryPointName = TRN_DEMO_ENTRY_NAME;

// Every text this module stores in a slot starts with this mark; only such
// texts are ever freed by it.
const char ResultMark[] = "trn-demo ";

// Bounds of what is shown of the data file and of a slot's text.
constexpr std::size_t MaxBytesRead = 4096;
constexpr int MaxLinesShown = 8;
constexpr int MaxLineLength = 200;
constexpr std::size_t MaxSlotTextShown = 200;
constexpr long MaxAutoCloseMs = 3600000;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Display form of 8-bit text: decoded from the local 8-bit encoding,
// control characters other than tab shown as U+FFFD.
QString displayText(const char* bytes, std::size_t length)
{
    QString decoded = QString::fromLocal8Bit(bytes, static_cast<qsizetype>(length));
    for (QChar& c : decoded) {
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\t')) {
            c = QChar::ReplacementCharacter;
        }
    }
    return decoded;
}

// What a result-text slot held on entry.
QString describeSlot(const char* const* slot)
{
    if (slot == nullptr) {
        return text("нет у этой формы вызова");
    }
    if (*slot == nullptr) {
        return text("пусто (нулевой указатель)");
    }
    // The contract says a stored text stays valid; only its length is
    // bounded here, in case it is not terminated where it should be.
    const std::size_t length = strnlen(*slot, MaxSlotTextShown + 1);
    QString shown = displayText(*slot, std::min(length, MaxSlotTextShown));
    if (length > MaxSlotTextShown) {
        shown += QChar(0x2026);
    }
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

struct DataFileView
{
    QString summary;   // size, or why nothing can be shown
    bool read = false; // the file was opened and its head read
    QString lines;     // the first lines
};

// Size and first lines of the data file, read with a bounded read: never
// more than MaxBytesRead bytes, and only from a regular file (a FIFO or a
// device could block or never end).
DataFileView viewDataFile(const std::string& name)
{
    DataFileView view;
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path path(name);
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
        view.summary = text("файл не найден");
        return view;
    }
    if (!fs::is_regular_file(status)) {
        view.summary = text("это не обычный файл, содержимое не показано");
        return view;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        view.summary = text("размер файла не удалось узнать");
        return view;
    }
    view.summary = text("размер %1 байт").arg(static_cast<qulonglong>(size));

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        view.summary += text("; файл не удалось открыть для чтения");
        return view;
    }
    std::string head(MaxBytesRead, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));

    QStringList shown;
    std::size_t start = 0;
    while (start < head.size() && shown.size() < MaxLinesShown) {
        std::size_t end = head.find('\n', start);
        const bool complete = end != std::string::npos;
        if (!complete) {
            end = head.size();
        }
        std::size_t length = end - start;
        if (length > 0 && head[start + length - 1] == '\r') {
            --length;
        }
        QString line = displayText(head.data() + start, length);
        if (line.size() > MaxLineLength || (!complete && size > head.size())) {
            line = line.left(MaxLineLength) + QChar(0x2026);
        }
        shown << line;
        start = end + 1;
    }
    if (start < size && shown.size() == MaxLinesShown) {
        shown << QString(QChar(0x2026));
    }
    view.read = true;
    view.lines = shown.join(QLatin1Char('\n'));
    return view;
}

// The autoclose delay from TRN_DEMO_AUTOCLOSE_MS, or -1 when it is unset
// or not a whole number of milliseconds in range.
long autoCloseMs()
{
    const char* value = std::getenv("TRN_DEMO_AUTOCLOSE_MS");
    if (value == nullptr || *value == '\0') {
        return -1;
    }
    char* end = nullptr;
    const long ms = std::strtol(value, &end, 10);
    if (*end != '\0' || ms < 0 || ms > MaxAutoCloseMs) {
        std::fprintf(stderr, "%s: TRN_DEMO_AUTOCLOSE_MS=\"%s\" is not 0 to %ld, ignored\n",
                     EntryPointName, value, MaxAutoCloseMs);
        return -1;
    }
    return ms;
}

QLabel* plainLabel(const QString& content, const char* objectName)
{
    auto* label = new QLabel(content);
    // The texts come from outside (file names, file contents): never let
    // QLabel take them for rich text.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setObjectName(QLatin1String(objectName));
    return label;
}

// Stores the result text in `slot`, freeing the text there only when this
// module (or another build of it) allocated it.
void storeResult(const char** slot, const char* outcome)
{
    if (slot == nullptr) {
        return;
    }
    const std::string result = std::string(ResultMark) + EntryPointName + ": " + outcome;
    char* copy = static_cast<char*>(std::malloc(result.size() + 1));
    if (copy == nullptr) {
        return;
    }
    std::memcpy(copy, result.c_str(), result.size() + 1);
    const char* previous = *slot;
    if (previous != nullptr && std::strncmp(previous, ResultMark, sizeof ResultMark - 1) == 0) {
        std::free(const_cast<char*>(previous));
    }
    *slot = copy;
}

// Deletes the dialog when the call ends, whichever way it ends; the
// QPointer notices when something else deleted it first.
class DialogGuard
{
public:
    explicit DialogGuard(QDialog* dialog) : m_dialog(dialog) {}
    ~DialogGuard() { delete m_dialog.data(); }
    DialogGuard(const DialogGuard&) = delete;
    DialogGuard& operator=(const DialogGuard&) = delete;

private:
    QPointer<QDialog> m_dialog;
};

TrnResult runDemo(TrnWindowHandle owner, char* dataFileName, const char** resultText1,
                  const char** resultText2)
{
    // Widgets need a QApplication, on its own thread. Creating one here
    // would outlive the library, so a process without one gets nothing.
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        std::fprintf(stderr, "%s: no QApplication in this process, the demo dialog is not shown\n",
                     EntryPointName);
        return 0;
    }
    if (QThread::currentThread() != app->thread()) {
        std::fprintf(stderr, "%s: called outside the GUI thread, the demo dialog is not shown\n",
                     EntryPointName);
        return 0;
    }

    // The name lies in a TRN_MAX_PATH buffer; never read past it, even if
    // its terminating null were missing.
    const std::string name(dataFileName, strnlen(dataFileName, TRN_MAX_PATH - 1));

    // The owner is the launcher window's native id. It belongs to this
    // process only when the launcher is the caller; otherwise the dialog
    // gets no parent.
    QWidget* ownerWidget = QWidget::find(static_cast<WId>(reinterpret_cast<std::uintptr_t>(owner)));
    QWidget* parent = ownerWidget != nullptr ? ownerWidget->window() : nullptr;

    auto* dialog = new QDialog(parent);
    DialogGuard guard(dialog);
    dialog->setObjectName(QLatin1String("demoDialog"));
    dialog->setWindowTitle(text("Демонстрационный модуль"));
    dialog->setModal(true);
    dialog->setMinimumWidth(560);

    auto* layout = new QVBoxLayout(dialog);
    auto* note = plainLabel(text("Это демонстрационный модуль: он ничего не рассчитывает и "
                                 "показывает, что ему передала программа запуска. Настоящий "
                                 "модуль расчёта кладётся рядом с программой вместо него."),
                            "demoNote");
    layout->addWidget(note);

    auto* form = new QFormLayout;
    form->addRow(text("Вид передачи:"), plainLabel(text(TRN_DEMO_KIND_NAME), "demoKind"));
    form->addRow(text("Точка входа:"), plainLabel(QLatin1String(EntryPointName), "demoEntryPoint"));
    form->addRow(text("Файл данных:"),
                 plainLabel(name.empty() ? text("файл данных не передан")
                                         : displayText(name.data(), name.size()),
                            "demoDataFileName"));
    form->addRow(text("Первый слот результата:"),
                 plainLabel(describeSlot(resultText1), "demoSlot1"));
    form->addRow(text("Второй слот результата:"),
                 plainLabel(describeSlot(resultText2), "demoSlot2"));

    const char* outcome = "no data file";
    if (!name.empty()) {
        const DataFileView view = viewDataFile(name);
        form->addRow(text("Содержимое файла:"), plainLabel(view.summary, "demoFileSummary"));
        outcome = view.read ? "data file shown" : "data file not read";
        if (view.read) {
            auto* lines = new QPlainTextEdit(view.lines);
            lines->setObjectName(QLatin1String("demoFileLines"));
            lines->setReadOnly(true);
            lines->setLineWrapMode(QPlainTextEdit::NoWrap);
            lines->setMaximumHeight(lines->fontMetrics().lineSpacing() * (MaxLinesShown + 2));
            form->addRow(text("Первые строки:"), lines);
        }
    }
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->setObjectName(QLatin1String("demoButtons"));
    // The launcher loads no Qt translations: name the button in Russian here.
    buttons->button(QDialogButtonBox::Close)->setText(text("Закрыть"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);

    // Word-wrapped labels: size the dialog for its width, not taller.
    const int width = std::max(dialog->minimumWidth(), layout->sizeHint().width());
    dialog->resize(width, layout->hasHeightForWidth() ? layout->heightForWidth(width)
                                                      : layout->sizeHint().height());

    const long closeAfter = autoCloseMs();
    if (closeAfter >= 0) {
        // A child of the dialog: deleted with it, never fires after the call.
        auto* timer = new QTimer(dialog);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, dialog, &QDialog::accept);
        timer->start(static_cast<int>(closeAfter));
    }

    dialog->exec();
    storeResult(resultText1, outcome);
    return 1;
}

// Entry points must not let an error escape: the launcher would report a
// failed run and leave the library loaded.
TrnResult runGuarded(TrnWindowHandle owner, char* dataFileName, const char** resultText1,
                     const char** resultText2)
{
    try {
        return runDemo(owner, dataFileName, resultText1, resultText2);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", EntryPointName, error.what());
    } catch (...) {
        std::fprintf(stderr, "%s: unexpected error\n", EntryPointName);
    }
    return 0;
}

} // namespace

// The entry point, with exactly the arguments of its call form.
#if defined(TRN_DEMO_FORM_A)
extern "C" TRN_EXPORT TrnResult TRN_CALL TRN_DEMO_ENTRY(TrnWindowHandle owner, char* dataFileName,
                                                        const char** resultText1,
                                                        const char** resultText2)
{
    return runGuarded(owner, dataFileName, resultText1, resultText2);
}
static_assert(std::is_same_v<decltype(&TRN_DEMO_ENTRY), TrnRunFormA>);
#elif defined(TRN_DEMO_FORM_B)
extern "C" TRN_EXPORT TrnResult TRN_CALL TRN_DEMO_ENTRY(TrnWindowHandle owner, char* dataFileName,
                                                        const char** resultText1)
{
    return runGuarded(owner, dataFileName, resultText1, nullptr);
}
static_assert(std::is_same_v<decltype(&TRN_DEMO_ENTRY), TrnRunFormB>);
#elif defined(TRN_DEMO_FORM_C)
extern "C" TRN_EXPORT TrnResult TRN_CALL TRN_DEMO_ENTRY(TrnWindowHandle owner, char* dataFileName)
{
    return runGuarded(owner, dataFileName, nullptr, nullptr);
}
static_assert(std::is_same_v<decltype(&TRN_DEMO_ENTRY), TrnRunFormC>);
#else
#error "one of TRN_DEMO_FORM_A, TRN_DEMO_FORM_B, TRN_DEMO_FORM_C must be defined"
#endif

#include "InstallationCheck.h"

#include "launcher/CalculationKinds.h"
#include "launcher/ModuleFailures.h"
#include "launcher/Paths.h"
#include "launcher/window/WindowDescription.h"
#include "platform/Console.h"
#include "platform/Library.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"
#include "translation/DictionaryReader.h"

#include <iterator>
#include <ostream>

namespace check {

namespace {

// The report's word for each launcher::RunStatus, in its order.
constexpr const char* StatusTexts[] = {"ready",
                                       "no such module",
                                       "not found",
                                       "does not load",
                                       "entry point missing",
                                       "raised an error",
                                       "data file name too long"};
static_assert(std::size(StatusTexts) ==
              static_cast<std::size_t>(launcher::RunStatus::DataFileNameTooLong) + 1);

const char* statusText(launcher::RunStatus status)
{
    return StatusTexts[static_cast<std::size_t>(status)];
}

// The notice as one line, for the report: each run of blanks and line
// breaks becomes one space.
std::string noticeText(Notice notice)
{
    const std::string_view text = notice == Notice::Russian ? launcher::russianCopyrightNotice()
                                                            : launcher::englishCopyrightNotice();
    std::string line;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !line.empty();
            continue;
        }
        if (blank) {
            line += ' ';
            blank = false;
        }
        line += c;
    }
    return line;
}

} // namespace

bool InstallationReport::allModulesReady() const
{
    for (const ModuleStatus& module : modules) {
        if (!module.ready()) {
            return false;
        }
    }
    return !modules.empty();
}

Notice noticeForLanguage(const std::string& abbreviation)
{
    return launcher::keepsRussianNotice(abbreviation) ? Notice::Russian : Notice::English;
}

DictionaryStatus checkDictionary(const std::string& path)
{
    using translation::FileReadResult;
    DictionaryStatus dictionary;
    dictionary.path = path;
    const FileReadResult file = translation::readDictionaryFile(path);
    if (file.status == FileReadResult::Status::Missing) {
        return dictionary;
    }
    dictionary.found = true;
    dictionary.problem = translation::readProblem(file);
    if (file.status == FileReadResult::Status::ReadFailed) {
        dictionary.problem += translation::UsingTheLinesBefore;
    }
    if (file.status != FileReadResult::Status::Complete &&
        file.status != FileReadResult::Status::ReadFailed) {
        return dictionary;
    }

    const translation::EncodingChoice choice = translation::detectEncoding(file.bytes);
    dictionary.encoding =
        choice.encoding == translation::TextEncoding::Utf8 ? "UTF-8" : "Windows-1251";
    dictionary.byteOrderMark = choice.markLength > 0;
    const auto entries = translation::Dictionary::fromBytes(file.bytes);
    if (!entries) {
        dictionary.problem = translation::TooLargeToRead;
        return dictionary;
    }
    dictionary.read = true;
    dictionary.entries = static_cast<std::size_t>(entries->size());
    translation::forEachLine(std::string_view(file.bytes).substr(choice.markLength),
                             [&dictionary](std::string_view line) {
                                 if (line.find("\"=\"") == std::string_view::npos) {
                                     ++dictionary.linesWithoutSeparator;
                                 }
                             });
    return dictionary;
}

InstallationReport checkInstallation(const std::string& programDir,
                                     const std::string& languageAbbreviation,
                                     const std::function<void(const ModuleStatus&)>& checked)
{
    InstallationReport report;
    report.programDir = programDir;
    for (std::size_t i = 0; i < launcher::KindCount; ++i) {
        const launcher::CalculationKind& kind = launcher::CalculationKinds[i];
        ModuleStatus module;
        module.kindIndex = static_cast<int>(i);
        module.fileName = launcher::moduleFileName(kind);
        module.entryPoint = std::string(kind.entryPoint);

        const launcher::RunOutcome outcome =
            launcher::RunCalculation(kind, "", {programDir, nullptr}, launcher::RunStep::LookOnly);
        module.path = outcome.libraryPath;
        module.besideLauncher = outcome.besideLauncher;
        module.status = outcome.status;
        module.reason = outcome.message;
        module.missingImport = outcome.missingImport;
        module.loaderReason = outcome.loaderMessage;
        if (checked) {
            checked(module);
        }
        report.modules.push_back(module);
    }
    report.dictionary = checkDictionary(programDir + launcher::DictionaryFileName);
    report.languageAbbreviation = languageAbbreviation;
    report.notice = noticeForLanguage(languageAbbreviation);
    return report;
}

namespace {

// Paths and the loader's messages are the system's text.
std::string text(const std::string& systemText)
{
    return platform::systemTextToUtf8(systemText);
}

} // namespace

void printReportStart(const std::string& programDir, std::ostream& out)
{
    out << "Program folder: " << text(programDir) << '\n';
    out << "Modules:\n";
}

void printModule(const ModuleStatus& module, std::ostream& out)
{
    out << "  " << module.kindIndex + 1 << ' ' << module.fileName << " ("
        << launcher::CalculationKinds[static_cast<std::size_t>(module.kindIndex)].fileExtension
        << "): " << statusText(module.status) << '\n';
    out << "      file: " << text(module.path)
        << (module.besideLauncher ? "" : " (system library search)") << '\n';
    if (module.ready()) {
        out << "      entry point " << module.entryPoint << " found\n";
    } else {
        out << "      reason: " << text(module.reason) << '\n';
    }
    if (!module.loaderReason.empty()) {
        out << "      loader: " << text(module.loaderReason) << '\n';
    }
}

void printReport(const InstallationReport& report, std::ostream& out)
{
    printReportStart(report.programDir, out);
    for (const ModuleStatus& module : report.modules) {
        printModule(module, out);
    }
    printReportEnd(report, out);
}

void printReportEnd(const InstallationReport& report, std::ostream& out)
{
    const DictionaryStatus& dictionary = report.dictionary;
    out << "Dictionary: " << text(dictionary.path) << '\n';
    if (!dictionary.found) {
        out << "      not found: the window keeps its built-in texts\n";
    } else {
        if (dictionary.read) {
            out << "      " << dictionary.encoding
                << (dictionary.byteOrderMark ? " with byte-order mark" : "") << ", "
                << dictionary.entries << " entries, " << dictionary.linesWithoutSeparator
                << " lines without separator\n";
        }
        if (!dictionary.problem.empty()) {
            out << "      " << text(dictionary.problem) << '\n';
        }
    }

    out << "Copyright notice: " << (report.notice == Notice::Russian ? "Russian" : "English")
        << " (user's language: "
        << (report.languageAbbreviation.empty() ? "not set" : report.languageAbbreviation) << ")\n";
    const std::string notice = noticeText(report.notice);
    if (!notice.empty()) {
        out << "      " << notice << '\n';
    }

    int ready = 0;
    for (const ModuleStatus& module : report.modules) {
        ready += module.ready() ? 1 : 0;
    }
    out << ready << " of " << report.modules.size() << " modules ready\n";
}

} // namespace check

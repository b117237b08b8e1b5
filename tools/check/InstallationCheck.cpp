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

#include <algorithm>
#include <iterator>
#include <ostream>
#include <sstream>

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
    std::istringstream words{std::string(text)};
    std::string line;
    for (std::string word; words >> word;) {
        line += (line.empty() ? "" : " ") + word;
    }
    return line;
}

} // namespace

bool InstallationReport::allModulesReady() const
{
    return !modules.empty() &&
           std::all_of(modules.begin(), modules.end(),
                       [](const ModuleStatus& module) { return module.ready(); });
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
    for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
        ModuleStatus module{
            launcher::RunCalculation(kind, "", {programDir, nullptr}, launcher::RunStep::LookOnly),
            launcher::moduleFileName(kind)};
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
    out << "  " << module.kind - launcher::CalculationKinds.data() + 1 << ' ' << module.fileName
        << " (" << module.kind->fileExtension << "): " << statusText(module.status) << '\n';
    out << "      file: " << text(module.libraryPath)
        << (module.besideLauncher ? "" : " (system library search)") << '\n';
    if (module.ready()) {
        out << "      entry point " << module.kind->entryPoint << " found\n";
    } else {
        out << "      reason: " << text(module.message) << '\n';
    }
    if (!module.loaderMessage.empty()) {
        out << "      loader: " << text(module.loaderMessage) << '\n';
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

    const auto ready = std::count_if(report.modules.begin(), report.modules.end(),
                                     [](const ModuleStatus& module) { return module.ready(); });
    out << ready << " of " << report.modules.size() << " modules ready\n";
}

} // namespace check

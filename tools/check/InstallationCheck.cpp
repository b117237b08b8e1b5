#include "InstallationCheck.h"

#include "launcher/CalculationKinds.h"
#include "platform/Library.h"

#include <ostream>

namespace check {

namespace {

const char* const DictionaryFileName = "Orvanel.Dic";

const char* statusText(launcher::RunStatus status)
{
    switch (status) {
    case launcher::RunStatus::Completed:
        return "ready";
    case launcher::RunStatus::NoSuchModule:
        return "no such module";
    case launcher::RunStatus::LibraryNotFound:
        return "not found";
    case launcher::RunStatus::LibraryNotLoadable:
        return "does not load";
    case launcher::RunStatus::EntryPointMissing:
        return "entry point missing";
    case launcher::RunStatus::ModuleRaisedError:
        return "raised an error";
    }
    return "unknown";
}

DictionaryStatus checkDictionary(const std::string& programDir)
{
    DictionaryStatus dictionary;
    dictionary.path = programDir + DictionaryFileName;
    dictionary.found = platform::fileExists(dictionary.path);
    return dictionary;
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
    return abbreviation == "RUS" ? Notice::Russian : Notice::English;
}

InstallationReport checkInstallation(const std::string& programDir,
                                     const std::string& languageAbbreviation)
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
            launcher::probeModule(static_cast<int>(i) + 1, programDir);
        module.path = outcome.libraryPath;
        module.besideLauncher = module.path != module.fileName;
        module.status = outcome.status;
        module.reason = outcome.message;
        report.modules.push_back(module);
    }
    report.dictionary = checkDictionary(programDir);
    report.languageAbbreviation = languageAbbreviation;
    report.notice = noticeForLanguage(languageAbbreviation);
    return report;
}

void printReport(const InstallationReport& report, std::ostream& out)
{
    out << "Program folder: " << report.programDir << '\n';
    out << "Modules:\n";
    for (const ModuleStatus& module : report.modules) {
        out << "  " << module.kindIndex + 1 << ' ' << module.fileName << " ("
            << launcher::CalculationKinds[static_cast<std::size_t>(module.kindIndex)].fileExtension
            << "): " << statusText(module.status) << '\n';
        out << "      file: " << module.path
            << (module.besideLauncher ? "" : " (system library search)") << '\n';
        if (module.ready()) {
            out << "      entry point " << module.entryPoint << " found\n";
        } else {
            out << "      reason: " << module.reason << '\n';
        }
    }

    const DictionaryStatus& dictionary = report.dictionary;
    out << "Dictionary: " << dictionary.path;
    if (!dictionary.found) {
        out << ": not found, texts stay as built in\n";
    } else if (!dictionary.readable) {
        out << ": found\n";
    } else {
        out << ": " << dictionary.encoding << ", " << dictionary.entries << " entries, "
            << dictionary.linesWithoutSeparator << " lines without separator\n";
    }

    out << "Copyright notice: " << (report.notice == Notice::Russian ? "Russian" : "English")
        << " (user's language: "
        << (report.languageAbbreviation.empty() ? "not set" : report.languageAbbreviation) << ")\n";

    int ready = 0;
    for (const ModuleStatus& module : report.modules) {
        ready += module.ready() ? 1 : 0;
    }
    out << ready << " of " << report.modules.size() << " modules ready\n";
}

} // namespace check

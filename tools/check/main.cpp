// derize-zizir-check: tells whether the launcher beside this program can
// run its calculation modules and what it reads at start-up, and gives
// translators the texts of the window with what a dictionary makes of them.
#include "InstallationCheck.h"
#include "TranslatorKit.h"
#include "launcher/Paths.h"
#include "platform/Console.h"
#include "platform/ErrorReport.h"
#include "platform/Locale.h"
#include "platform/Process.h"
#include "translation/DictionaryReader.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <new>
#include <optional>
#include <sstream>
#include <string>

namespace {

// Exit status of a usage error, of a dictionary that cannot be read and of
// output that cannot be written.
constexpr int ExitCannotCheck = 2;

void printUsage(std::ostream& out)
{
    out << "Usage: derize-zizir-check [--program-dir DIR] [--dictionary FILE]\n"
           "       derize-zizir-check --texts [--program-dir DIR] [--dictionary FILE]\n"
           "       derize-zizir-check --dictionary-template\n"
           "\n"
           "Without --texts: reports, for each calculation kind, the module file the\n"
           "launcher would load, whether it loads (naming a library it imports that is\n"
           "not found) and whether it exports its entry point (the entry point is not\n"
           "called); the dictionary Orvanel.Dic beside the launcher; and which copyright\n"
           "notice the user's locale selects.\n"
           "\n"
           "  --texts                lists every text the launcher window looks up in the\n"
           "                         dictionary when it is shown, in that order, each with\n"
           "                         its translation (or NOT TRANSLATED, or STILL AS IN\n"
           "                         THE SOURCE when its target is the text itself), and\n"
           "                         the dictionary lines that give the window no text\n"
           "  --dictionary-template  writes a dictionary that maps every such text to\n"
           "                         itself (UTF-8) to standard output, for a translator\n"
           "                         to fill in\n"
           "  --dictionary FILE      reads FILE instead of Orvanel.Dic beside the launcher\n"
           "  --program-dir DIR      looks at DIR instead of the folder this program lies in\n"
           "  --help                 shows this text\n"
           "\n"
           "Exit status: 0 when every module is ready (with --texts: every text is\n"
           "translated into another text), 1 when one is not, 2 on a usage error, a\n"
           "dictionary that cannot be read or output that cannot be written.\n";
}

struct Options
{
    std::string programDir;
    std::optional<std::string> dictionary;
    bool texts = false;
    bool dictionaryTemplate = false;
};

std::string folderWithSeparator(const char* folder)
{
    std::error_code error;
    std::string path = std::filesystem::absolute(folder, error).string();
    if (path.empty() || path.back() != platform::pathSeparator()) {
        path += platform::pathSeparator();
    }
    return path;
}

// The options, or the status to end with.
std::optional<Options> parseOptions(int argc, char* argv[], int& status)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            printUsage(std::cout);
            status = 0;
            return std::nullopt;
        }
        if (std::strcmp(argument, "--program-dir") == 0 && i + 1 < argc) {
            options.programDir = folderWithSeparator(argv[++i]);
        } else if (std::strcmp(argument, "--dictionary") == 0 && i + 1 < argc) {
            options.dictionary = argv[++i];
        } else if (std::strcmp(argument, "--texts") == 0) {
            options.texts = true;
        } else if (std::strcmp(argument, "--dictionary-template") == 0) {
            options.dictionaryTemplate = true;
        } else {
            platform::reportError(std::string("unexpected argument ") + argument);
            printUsage(std::cerr);
            status = ExitCannotCheck;
            return std::nullopt;
        }
    }
    if (options.dictionaryTemplate && (options.texts || options.dictionary)) {
        platform::reportError(
            "--dictionary-template takes no dictionary: it goes without --texts and --dictionary");
        status = ExitCannotCheck;
        return std::nullopt;
    }
    return options;
}

// The report on standard output; a failed write is a line and status 2,
// never success.
int writeReport(const std::string& report, int status)
{
    if (!platform::writeStandardOutput(report)) {
        platform::reportError("cannot write to standard output");
        return ExitCannotCheck;
    }
    return status;
}

int writeTemplate()
{
    const check::WrittenDictionary written =
        check::dictionaryTemplate(launcher::launcherWindowLookups());
    for (const std::string& problem : written.problems) {
        platform::reportError(problem);
    }
    return writeReport(written.bytes, written.problems.empty() ? 0 : 1);
}

int reportTexts(const std::string& path)
{
    using translation::FileReadResult;
    const FileReadResult file = translation::readDictionaryFile(path);
    if (file.status == FileReadResult::Status::Missing) {
        platform::reportError("no dictionary " + path);
        return ExitCannotCheck;
    }
    if (file.status != FileReadResult::Status::Complete) {
        platform::reportError("dictionary " + path + " " + translation::readProblem(file));
        return ExitCannotCheck;
    }
    std::optional<check::TextsReport> report =
        check::checkTexts(launcher::launcherWindowLookups(), file.bytes);
    if (!report) {
        platform::reportError("dictionary " + path + " " + translation::TooLargeToRead);
        return ExitCannotCheck;
    }
    report->dictionaryPath = platform::systemTextToUtf8(path);
    std::ostringstream out;
    check::printTextsReport(*report, out);
    return writeReport(out.str(), report->allTranslated() ? 0 : 1);
}

} // namespace

int main(int argc, char* argv[])
{
    platform::setErrorReportPrefix("derize-zizir-check");
    int status = 0;
    std::optional<Options> options = parseOptions(argc, argv, status);
    if (!options) {
        return status;
    }
    if (options->dictionaryTemplate) {
        return writeTemplate();
    }

    if (options->programDir.empty()) {
        const std::string executable = platform::executablePath();
        if (executable.empty()) {
            platform::reportError("cannot tell where this program lies; use --program-dir");
            return ExitCannotCheck;
        }
        options->programDir =
            launcher::programDirFromExecutable(executable, launcher::nativePathStyle());
    }
    const std::string dictionary =
        options->dictionary.value_or(options->programDir + launcher::DictionaryFileName);
    if (options->texts) {
        try {
            return reportTexts(dictionary);
        } catch (const std::bad_alloc&) {
            platform::reportError("cannot read dictionary " + dictionary + ": not enough memory");
            return ExitCannotCheck;
        }
    }

    // Each module's start-up code runs as it is loaded and may end the
    // process: what was found before it is written out first.
    std::ostringstream start;
    check::printReportStart(options->programDir, start);
    bool written = platform::writeStandardOutput(start.str());
    check::InstallationReport report =
        check::checkInstallation(options->programDir, platform::userLanguageAbbreviation(),
                                 [&written](const check::ModuleStatus& module) {
                                     std::ostringstream lines;
                                     check::printModule(module, lines);
                                     written =
                                         platform::writeStandardOutput(lines.str()) && written;
                                 });
    if (options->dictionary) {
        report.dictionary = check::checkDictionary(dictionary);
    }
    std::ostringstream end;
    check::printReportEnd(report, end);
    const int reported = writeReport(end.str(), report.allModulesReady() ? 0 : 1);
    if (!written && reported != ExitCannotCheck) {
        platform::reportError("cannot write to standard output");
        return ExitCannotCheck;
    }
    return reported;
}

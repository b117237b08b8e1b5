// derize-zizir-check: tells whether the launcher beside this program can
// run its calculation modules, and what it reads at start-up.
#include "InstallationCheck.h"
#include "launcher/Paths.h"
#include "platform/ErrorReport.h"
#include "platform/Locale.h"
#include "platform/Process.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

void printUsage(std::ostream& out)
{
    out << "Usage: derize-zizir-check [--program-dir DIR]\n"
           "\n"
           "Reports, for each calculation kind, the module file the launcher would load,\n"
           "whether it loads and whether it exports its entry point (the entry point is\n"
           "not called); the dictionary Orvanel.Dic beside the launcher; and which\n"
           "copyright notice the user's locale selects.\n"
           "\n"
           "  --program-dir DIR  look at DIR instead of the folder this program lies in\n"
           "  --help             show this text\n"
           "\n"
           "Exit status: 0 when every module is ready, 1 when one is not, 2 on a usage\n"
           "error.\n";
}

} // namespace

int main(int argc, char* argv[])
{
    platform::setErrorReportPrefix("derize-zizir-check");
    std::string programDir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printUsage(std::cout);
            return 0;
        }
        if (std::strcmp(argv[i], "--program-dir") == 0 && i + 1 < argc) {
            std::error_code error;
            programDir = std::filesystem::absolute(argv[++i], error).string();
            if (programDir.empty() || programDir.back() != platform::pathSeparator()) {
                programDir += platform::pathSeparator();
            }
            continue;
        }
        platform::reportError(std::string("unexpected argument ") + argv[i]);
        printUsage(std::cerr);
        return 2;
    }

    if (programDir.empty()) {
        const std::string executable = platform::executablePath();
        if (executable.empty()) {
            platform::reportError("cannot tell where this program lies; use --program-dir");
            return 2;
        }
        programDir = launcher::programDirFromExecutable(executable, launcher::nativePathStyle());
    }

    const check::InstallationReport report =
        check::checkInstallation(programDir, platform::userLanguageAbbreviation());
    check::printReport(report, std::cout);
    return report.allModulesReady() ? 0 : 1;
}

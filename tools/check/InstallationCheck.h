#pragma once

#include "launcher/ModuleRunner.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace check {

// What the launcher would find for one calculation kind: its run stopped
// before the call (`kind` is always set).
struct ModuleStatus : launcher::RunOutcome
{
    std::string fileName; // the module's file name on this platform

    bool ready() const { return status == launcher::RunStatus::Completed; }
};

// The interface dictionary beside the launcher, read the way the launcher
// reads it at start-up.
struct DictionaryStatus
{
    std::string path;
    bool found = false;                    // a file of that name is there
    bool read = false;                     // its entries could be read (maybe not all)
    std::string problem;                   // why it was not read, or not read through
    std::string encoding;                  // "UTF-8" or "Windows-1251"
    bool byteOrderMark = false;            // starts with the UTF-8 byte-order mark
    std::size_t entries = 0;               // lines, each one entry
    std::size_t linesWithoutSeparator = 0; // entries whose line lacks "=" between quotes
};

enum class Notice
{
    Russian,
    English,
};

struct InstallationReport
{
    std::string programDir;
    std::vector<ModuleStatus> modules;
    DictionaryStatus dictionary;
    std::string languageAbbreviation;
    Notice notice = Notice::English;

    bool allModulesReady() const;
};

// The copyright notice the window shows for a user whose locale has the
// abbreviated language name `abbreviation` ("RUS" for Russian).
Notice noticeForLanguage(const std::string& abbreviation);

// Reads the dictionary at `path`.
DictionaryStatus checkDictionary(const std::string& path);

// Looks at the launcher installed in `programDir` (ending in the
// separator): every kind's module is found, loaded and unloaded the way
// the launcher does it, without calling its entry point. Loading a module
// runs its start-up code, which may end the process: `checked`, when
// given, is told of each module as soon as it is looked at, so that what
// was found so far can be written out before the next module's code runs.
InstallationReport checkInstallation(const std::string& programDir,
                                     const std::string& languageAbbreviation,
                                     const std::function<void(const ModuleStatus&)>& checked = {});

// The report as the user reads it (UTF-8), a few lines per module: its
// start, each module's lines, its end; printReport() gives them all.
void printReportStart(const std::string& programDir, std::ostream& out);
void printModule(const ModuleStatus& module, std::ostream& out);
void printReportEnd(const InstallationReport& report, std::ostream& out);
void printReport(const InstallationReport& report, std::ostream& out);

} // namespace check

// The front page and the guides in docs/ are held to the program and to the
// tree: the user's guide states the exit statuses, the line each status
// prints, the lines of misbehaving modules and the Windows crash lines the
// launcher really uses and writes, every relative link names a
// file (and a heading) that exists, the front page stays short and names
// every guide, and the design's picture of the libraries has the build's
// own dependencies.
#include "launcher/ExitStatus.h"
#include "launcher/ModuleFailures.h"
#include "platform/ErrorReport.h"
#include "platform/FaultText.h"
#include "platform/ImportTable.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path SourceDir{DERIZE_SOURCE_DIR};

std::vector<std::string> fileLines(const fs::path& path)
{
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string fileText(const fs::path& path)
{
    std::string text;
    for (const std::string& line : fileLines(path)) {
        text += line + "\n";
    }
    return text;
}

bool startsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

std::string withoutLeadingSpaces(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : line.substr(first);
}

// README.md and every page in docs/.
std::vector<fs::path> pages()
{
    std::vector<fs::path> result;
    for (const fs::directory_entry& entry : fs::directory_iterator(SourceDir / "docs")) {
        if (entry.path().extension() == ".md") {
            result.push_back(entry.path());
        }
    }
    std::sort(result.begin(), result.end());
    result.insert(result.begin(), SourceDir / "README.md");
    return result;
}

// A page's lines outside fenced code blocks, with their line numbers; the
// lines of a block (shell comments among them) are neither headings nor
// links.
std::vector<std::pair<int, std::string>> proseLines(const fs::path& page)
{
    std::vector<std::pair<int, std::string>> result;
    bool inBlock = false;
    int number = 0;
    for (const std::string& line : fileLines(page)) {
        ++number;
        if (startsWith(withoutLeadingSpaces(line), "```")) {
            inBlock = !inBlock;
        } else if (!inBlock) {
            result.emplace_back(number, line);
        }
    }
    return result;
}

// A heading's anchor as the pages' renderer makes it: lower case, every
// character but letters, digits, spaces, '-' and '_' dropped, each space a
// '-'. Bytes of 0x80 and above are kept (letters of other scripts).
std::string headingAnchor(const std::string& heading)
{
    std::string anchor;
    for (const char c : heading) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || std::isalnum(byte) || c == '-' || c == '_') {
            anchor += static_cast<char>(std::tolower(byte));
        } else if (c == ' ') {
            anchor += '-';
        }
    }
    return anchor;
}

// The anchors of a page's headings; a repeated one gets -1, -2 … as the
// renderer numbers them.
std::set<std::string> anchorsOf(const fs::path& page)
{
    std::set<std::string> anchors;
    std::map<std::string, int> seen;
    static const std::regex heading(R"(^#+ (.*)$)");
    for (const auto& [number, line] : proseLines(page)) {
        std::smatch match;
        if (std::regex_match(line, match, heading)) {
            const std::string anchor = headingAnchor(match[1].str());
            const int repeats = seen[anchor]++;
            anchors.insert(repeats == 0 ? anchor : anchor + "-" + std::to_string(repeats));
        }
    }
    return anchors;
}

struct Link
{
    int line;
    std::string target;
};

// The targets of a page's links and pictures, "[text](target)", outside
// code blocks and code spans.
std::vector<Link> linksOf(const fs::path& page)
{
    std::vector<Link> links;
    static const std::regex codeSpan("`[^`]*`");
    static const std::regex link(R"(\]\(([^)\s]+)\))");
    for (const auto& [number, line] : proseLines(page)) {
        const std::string text = std::regex_replace(line, codeSpan, "");
        for (auto match = std::sregex_iterator(text.begin(), text.end(), link);
             match != std::sregex_iterator(); ++match) {
            links.push_back({number, (*match)[1].str()});
        }
    }
    return links;
}

bool isExternal(const std::string& target)
{
    return startsWith(target, "http://") || startsWith(target, "https://") ||
           startsWith(target, "mailto:");
}

} // namespace

TEST(Docs, TheStatusTableIsTheLaunchersOwn)
{
    std::set<int> values;
    std::vector<std::string> expected;
    for (const launcher::ExitStatusMeaning& entry : launcher::ExitStatusMeanings) {
        EXPECT_TRUE(values.insert(entry.status).second) << "status " << entry.status << " twice";
        expected.push_back("| " + std::to_string(entry.status) + " | " +
                           std::string(entry.meaning) + " |");
    }
    // The first table of statuses: its numbered rows.
    std::vector<std::string> documented;
    const std::vector<std::string> lines = fileLines(SourceDir / "docs/using.md");
    auto line = std::find(lines.begin(), lines.end(), "| Status | Meaning |");
    ASSERT_NE(line, lines.end()) << "docs/using.md has no table of statuses";
    for (line += 2; line != lines.end() && line->size() > 2 &&
                    std::isdigit(static_cast<unsigned char>((*line)[2]));
         ++line) {
        documented.push_back(*line);
    }
    EXPECT_EQ(documented, expected);
}

TEST(Docs, TheWindowsCrashLinesAreTheOnesTheLauncherWrites)
{
    const std::string prefix(platform::errorLinePrefix());
    const std::string inModule =
        prefix +
        platform::escapeForErrorLine(launcher::crashSubject("C:\\d\\trn_tbelt.dll", "TrnRun_TBelt"),
                                     platform::Backslash::Kept) +
        ": " + platform::exceptionText(0xC0000005);
    const std::string outside = prefix + platform::unhandledExceptionText(0xC0000005, 0x0040123A);
    int found = 0;
    for (const std::string& line : fileLines(SourceDir / "docs/using.md")) {
        const std::string text = withoutLeadingSpaces(line);
        if (startsWith(text, prefix + "module C:") || startsWith(text, prefix + "exception ")) {
            EXPECT_TRUE(text == inModule || text == outside) << text;
            ++found;
        }
    }
    EXPECT_EQ(found, 2);

    // The runtimes' exception codes as the table of names gives them.
    const std::string guide = fileText(SourceDir / "docs/using.md");
    for (const platform::ExceptionCodeName& entry : platform::exceptionCodeNames()) {
        const std::string text = platform::exceptionText(entry.code).substr(10); // "0x… (name)"
        const std::string_view name = entry.name;
        if (name.starts_with("a ") || name.starts_with("an ")) {
            EXPECT_NE(guide.find(text), std::string::npos) << text;
        }
    }
}

TEST(Docs, EveryRelativeLinkNamesAFileAndAHeadingThatExist)
{
    int checked = 0;
    for (const fs::path& page : pages()) {
        for (const Link& link : linksOf(page)) {
            if (isExternal(link.target)) {
                continue;
            }
            const std::size_t hash = link.target.find('#');
            const std::string file = link.target.substr(0, hash);
            const fs::path target = file.empty() ? page : page.parent_path() / file;
            const std::string where =
                page.filename().string() + ":" + std::to_string(link.line) + ": " + link.target;
            ++checked;
            if (!fs::exists(target)) {
                ADD_FAILURE() << where << " names no file";
            } else if (hash != std::string::npos &&
                       anchorsOf(target).count(link.target.substr(hash + 1)) == 0) {
                ADD_FAILURE() << where << " names no heading of " << target.filename();
            }
        }
    }
    // The pages link each other and their pictures; none found means the
    // links were not read.
    EXPECT_GT(checked, 20);
}

TEST(Docs, TheFrontPageIsShortAndNamesEveryGuide)
{
    const fs::path readme = SourceDir / "README.md";
    EXPECT_LE(fileLines(readme).size(), 150U) << "README.md is the front page; details go to docs/";
    std::set<std::string> linked;
    for (const Link& link : linksOf(readme)) {
        linked.insert(link.target.substr(0, link.target.find('#')));
    }
    for (const fs::path& page : pages()) {
        if (page != readme) {
            EXPECT_EQ(linked.count("docs/" + page.filename().string()), 1U)
                << "README.md does not name the guide " << page.filename();
        }
    }
}

TEST(Docs, EachStatusShowsTheLineTheLauncherWrites)
{
    const std::string prefix(platform::errorLinePrefix());
    const auto line = [&prefix](const std::string& message) {
        return prefix + platform::escapeForErrorLine(message, platform::Backslash::Escaped);
    };
    const std::string worm = "/usr/lib/derize-zizir/trn_worm.so";
    // The guide shortens the long name after its folder.
    const std::string folder = "/home/d/";
    const std::string longName = folder + std::string(300 - folder.size(), 'a');
    std::string tooLong = line(launcher::dataFileNameTooLongMessage(longName));
    tooLong.resize(tooLong.size() - longName.size() + folder.size());
    const std::map<int, std::string> expected = {
        {1, line(launcher::raisedErrorMessage(worm, "TrnRun_Worm", "ratio out of range"))},
        {2, tooLong + "…"},
        {3, line(launcher::notFoundMessage(
                "trn_worm.so", "/usr/lib/derize-zizir/",
                "trn_worm.so: cannot open shared object file: No such file or directory"))},
        {4, line(launcher::missingEntryPointMessage(worm, "TrnRun_Worm"))},
        {5, line(launcher::endedProcessMessage(worm, "TrnRun_Worm"))},
        // The rest of this line is the system's.
        {6, prefix + "cannot create the window: "},
    };

    // The table after the statuses: "| status | `line` | …".
    std::map<int, std::string> shown;
    const std::vector<std::string> lines = fileLines(SourceDir / "docs/using.md");
    auto row = std::find_if(lines.begin(), lines.end(), [](const std::string& text) {
        return startsWith(text, "| Status | The line");
    });
    ASSERT_NE(row, lines.end()) << "docs/using.md shows no line for each status";
    static const std::regex cells(R"(^\| (\d) \| `([^`]*)`)");
    for (row += 2; row != lines.end() && startsWith(*row, "|"); ++row) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(*row, match, cells)) << *row;
        EXPECT_TRUE(shown.emplace(std::stoi(match[1].str()), match[2].str()).second) << *row;
    }
    EXPECT_EQ(shown, expected);
    EXPECT_NE(
        fileText(SourceDir / "launcher/win32/FormGears.cpp").find("\"cannot create the window: \""),
        std::string::npos);

    // The check tool's excerpt and the line it leaves when a module ends
    // the process while being loaded.
    const std::string guide = fileText(SourceDir / "docs/using.md");
    EXPECT_NE(guide.find("      reason: " +
                         launcher::missingEntryPointMessage(worm, "TrnRun_Worm") + "\n"),
              std::string::npos);
    const std::string launcherPrefix = prefix.substr(0, prefix.size() - 2); // without ": "
    platform::setErrorReportPrefix("derize-zizir-check");
    const std::string checkLine =
        std::string(platform::errorLinePrefix()) + launcher::endedProcessMessage("…", "");
    platform::setErrorReportPrefix(launcherPrefix);
    EXPECT_NE(guide.find('`' + checkLine + '`'), std::string::npos) << checkLine;
}

TEST(Docs, TheMisbehavingModulesLinesAreTheLaunchersOwn)
{
    const std::string guide = fileText(SourceDir / "docs/using.md");
    // Each table shows the start of its lines once, in its heading, and
    // the rest of each line in a row.
    const auto expectRest = [&guide](const std::string& library,
                                     const std::vector<std::string>& messages) {
        const std::string start = "module " + library;
        EXPECT_NE(guide.find('`' + std::string(platform::errorLinePrefix()) + start + "` and"),
                  std::string::npos)
            << start;
        for (const std::string& message : messages) {
            ASSERT_TRUE(startsWith(message, start)) << message;
            std::string rest = message.substr(start.size());
            if (startsWith(rest, " ")) {
                rest.erase(0, 1);
            }
            EXPECT_NE(guide.find("| `" + rest + '`'), std::string::npos) << rest;
        }
    };
    const std::string onLinux = "/…/trn_worm.so";
    expectRest(onLinux, {
                            launcher::raisedWhileLoadingMessage(onLinux, "<its message>"),
                            launcher::crashSubject(onLinux, "TrnRun_Worm") +
                                ": signal SIGSEGV (invalid memory access)",
                            launcher::leftRunningMessage(onLinux, 0, 1),
                            launcher::notRegularFileMessage(onLinux),
                        });
    EXPECT_NE(fileText(SourceDir / "platform/posix/FaultReport.cpp")
                  .find("\"signal SIGSEGV (invalid memory access)\""),
              std::string::npos);
    const std::string onWindows = "C:\\…\\trn_tbelt.dll";
    expectRest(onWindows, {
                              launcher::stackRestoredMessage(onWindows, "TrnRun_TBelt", 0, 16),
                              launcher::missingImportMessage(onWindows, "vclx.dll"),
                              launcher::otherMachineMessage(onWindows, "", platform::MachineAmd64,
                                                            platform::MachineI386),
                              launcher::endedProcessMessage(onWindows, "TrnRun_TBelt"),
                              launcher::leftRunningMessage(onWindows, 2, 0),
                              launcher::quitRequestMessage(onWindows, "TrnRun_TBelt"),
                          });
}

// The module guide shows the SDK's example files, which the SDK installs and
// the package check builds and runs with the guide's commands: each file is
// one of the page's code blocks, byte for byte.
TEST(Docs, TheModuleGuideShowsTheInstalledExampleFilesAsTheyAre)
{
    std::vector<std::string> blocks;
    std::string block;
    bool inBlock = false;
    for (const std::string& line : fileLines(SourceDir / "docs" / "modules.md")) {
        if (startsWith(line, "```")) {
            if (inBlock) {
                blocks.push_back(block);
            }
            inBlock = !inBlock;
            block.clear();
        } else if (inBlock) {
            block += line + '\n';
        }
    }
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(SourceDir / "sdk" / "example")) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        EXPECT_NE(std::find(blocks.begin(), blocks.end(), bytes.str()), blocks.end())
            << "docs/modules.md shows no code block equal to sdk/example/"
            << entry.path().filename().string();
        ++files;
    }
    // A module of each call form, their CMakeLists and the .def file.
    EXPECT_EQ(files, 5u);
}

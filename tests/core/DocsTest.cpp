// The front page and the guides in docs/ are held to the program and to the
// tree: the user's guide states the exit statuses and the Windows crash
// lines the launcher really uses and writes, every relative link names a
// file (and a heading) that exists, the front page stays short and names
// every guide, and the design's picture of the libraries has the build's
// own dependencies.
#include "launcher/ExitStatus.h"
#include "launcher/ModuleFailures.h"
#include "platform/ErrorReport.h"
#include "platform/FaultText.h"

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
    std::string guide;
    for (const std::string& line : fileLines(SourceDir / "docs/using.md")) {
        guide += line + "\n";
    }
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

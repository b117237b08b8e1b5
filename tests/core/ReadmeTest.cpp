// README states the exit statuses and the Windows crash lines; they are
// held here to what the program really uses and writes.
#include "launcher/ExitStatus.h"
#include "launcher/ModuleFailures.h"
#include "platform/ErrorReport.h"
#include "platform/FaultText.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> readmeLines()
{
    std::ifstream file(DERIZE_SOURCE_DIR "/README.md");
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

} // namespace

TEST(Readme, TheStatusTableIsTheLaunchersOwn)
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
    const std::vector<std::string> lines = readmeLines();
    auto line = std::find(lines.begin(), lines.end(), "| Status | Meaning |");
    ASSERT_NE(line, lines.end()) << "README has no table of statuses";
    for (line += 2; line != lines.end() && line->size() > 2 &&
                    std::isdigit(static_cast<unsigned char>((*line)[2]));
         ++line) {
        documented.push_back(*line);
    }
    EXPECT_EQ(documented, expected);
}

TEST(Readme, TheWindowsCrashLinesAreTheOnesTheLauncherWrites)
{
    const std::string prefix(platform::errorLinePrefix());
    const std::string inModule = prefix +
                                 platform::escapeForErrorLine(launcher::crashSubject(
                                     "C:\\d\\trn_tbelt.dll", "TrnRun_TBelt")) +
                                 ": " + platform::exceptionText(0xC0000005);
    const std::string outside = prefix + platform::unhandledExceptionText(0xC0000005, 0x0040123A);
    int found = 0;
    for (const std::string& line : readmeLines()) {
        const std::string text = line.substr(line.find_first_not_of(' ') == std::string::npos
                                                 ? line.size()
                                                 : line.find_first_not_of(' '));
        if (startsWith(text, prefix + "module C:") || startsWith(text, prefix + "exception ")) {
            EXPECT_TRUE(text == inModule || text == outside) << text;
            ++found;
        }
    }
    EXPECT_EQ(found, 2);
}

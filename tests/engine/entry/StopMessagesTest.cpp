// Every message of StopMessages.txt (the engine's refusals, listed once for the
// help) is what the engine writes at the end of the report for a case that
// triggers it, with a status that is not 0.
#include <fstream>
#include <functional>
#include <map>
#include <regex>

#include "EngineTestSupport.h"
#include "RunDriver.h"

namespace veldo::test {
namespace {

struct StopMessage {
    std::string name;
    std::vector<std::string> fixedParts;
};

// The fixed parts of each message: its lines split at "|" and at "{}", trimmed.
std::vector<StopMessage> readStopMessages()
{
    std::vector<StopMessage> messages;
    std::ifstream in(VELDO_TEST_DATA_DIR "/../engine/StopMessages.txt");
    const std::regex separators(R"(\s*(\{\}|\|)\s*)");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto colon = line.find(':');
        StopMessage m{line.substr(0, colon), {}};
        const std::string text = line.substr(colon + 1);
        for (std::sregex_token_iterator it(text.begin(), text.end(), separators, -1), end; it != end; ++it) {
            std::string part = std::regex_replace(it->str(), std::regex(R"(^\s+|\s+$)"), "");
            if (!part.empty())
                m.fixedParts.push_back(part);
        }
        messages.push_back(std::move(m));
    }
    return messages;
}

// Text written to the project file instead of the builder's.
using Edit = std::function<void(std::string&)>;

struct StopCase {
    std::function<void(ProjectBuilder&)> change;
    Edit edit;
    std::string cpt = " 1 0\r\n"; // the CPT file
};

void replaceOnce(std::string& text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

// A project that passes, with the soil deep enough for the 50 ft pile.
ProjectBuilder passingProject()
{
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    return p;
}

const std::map<std::string, StopCase>& stopCases()
{
    static const std::map<std::string, StopCase> cases = {
        {"soil-depth", {[](ProjectBuilder& p) { p.layers[0].bottom = 50; }, {}}},
        {"segments", {[](ProjectBuilder& p) { p.increment = 0.1; }, {}}},
        {"unit-system", {[](ProjectBuilder& p) { p.unitSystem = 3; }, {}}},
        {"layer-ends", {{}, [](std::string& t) { replaceOnce(t, "1 1 2 1 \r\n", "1 1 3 1 \r\n"); }}},
        {"outside-diameter", {[](ProjectBuilder& p) { p.od = 0; }, {}}},
        {"modulus", {[](ProjectBuilder& p) { p.e = 0; }, {}}},
        {"total-length", {[](ProjectBuilder& p) { p.tl = -5; }, {}}},
        {"inside-diameter-negative", {[](ProjectBuilder& p) { p.id = -1; }, {}}},
        {"inside-diameter-too-large", {[](ProjectBuilder& p) { p.id = 12; }, {}}},
        {"end-section-diameter",
         {[](ProjectBuilder& p) {
              p.esl = 5;
              p.eid = 13;
          },
          {}}},
        {"increment", {[](ProjectBuilder& p) { p.increment = 0; }, {}}},
        {"pile-type", {[](ProjectBuilder& p) { p.pileType = 8; }, {}}},
        {"selected-method", {[](ProjectBuilder& p) { p.selected = 10; }, {}}},
        {"offshore-method", {[](ProjectBuilder& p) { p.selected = 6; }, {}}},
        {"soil-type", {[](ProjectBuilder& p) { p.layers[0].type = 4; }, {}}},
        {"ko", {[](ProjectBuilder& p) { p.layers[0].ko = -1; }, {}}},
        {"unit-weight", {[](ProjectBuilder& p) { p.layers[0].unitWeight = 0; }, {}}},
        {"layer-above-ground", {[](ProjectBuilder& p) { p.layers[0].bottom = 0; }, {}}},
        {"layer-order",
         {[](ProjectBuilder& p) {
              p.layers = {Layer{}, Layer{}, Layer{}};
              p.layers[0].bottom = 8;
              p.layers[1].bottom = 5;
              p.layers[2].bottom = 60;
          },
          {}}},
        {"friction-angle", {[](ProjectBuilder& p) { p.layers[0].phi = 95; }, {}}},
        {"tz-depths", {{}, [](std::string& t) { replaceOnce(t, "\r\n0\r\n0 1\r\n", "\r\n1\r\n101\r\n0 1\r\n"); }}},
        {"read-error", {{}, [](std::string& t) { replaceOnce(t, " 12 0 ", " 12,5 0 "); }}},
        {"open-error", {{}, {}}},
        {"tz-factor-option", {[](ProjectBuilder& p) { p.sideFactorFlag = 2; }, {}}},
        {"loading-flag", {[](ProjectBuilder& p) { p.loading = 2; }, {}}},
        {"clay-condition", {[](ProjectBuilder& p) { p.clayCondition = 2; }, {}}},
        {"plug-condition", {[](ProjectBuilder& p) { p.plug = 3; }, {}}},
        {"section-rows",
         {[](ProjectBuilder& p) {
              p.sections.assign(101, {0, 0});
          },
          {}}},
        {"area-mode", {[](ProjectBuilder& p) { p.areaMode = 3; }, {}}},
        {"critical-depth-option", {[](ProjectBuilder& p) { p.criticalOption = 3; }, {}}},
        {"cpt-points", {{}, {}, " 1 1001\r\n"}},
    };
    return cases;
}

class StopMessagesTest : public TempDirTest {};

TEST_F(StopMessagesTest, TheEngineWritesEveryListedMessage)
{
    const std::vector<StopMessage> messages = readStopMessages();
    ASSERT_GE(messages.size(), 20u);
    for (const StopMessage& m : messages) {
        SCOPED_TRACE(m.name);
        const auto found = stopCases().find(m.name);
        ASSERT_NE(found, stopCases().end()) << "no case for " << m.name;
        ProjectBuilder p = passingProject();
        if (found->second.change)
            found->second.change(p);
        std::string text = p.text();
        if (found->second.edit)
            found->second.edit(text);
        std::filesystem::remove(dir_ / "job.vd7o");
        if (m.name != "open-error")
            writeFile("job.vd7d", text);
        else
            std::filesystem::remove(dir_ / "job.vd7d");
        writeFile("job.cpt", found->second.cpt);
        writeNames();
        testing::internal::CaptureStdout();
        EXPECT_NE(RunEngine(7), 0);
        testing::internal::GetCapturedStdout();
        const std::string report = readFile("job.vd7o");
        // The parts follow each other in the report.
        std::size_t from = 0;
        for (const std::string& part : m.fixedParts) {
            const auto at = report.find(part, from);
            EXPECT_NE(at, std::string::npos) << part << "\n"
                                             << report.substr(report.size() > 600 ? report.size() - 600 : 0);
            if (at != std::string::npos)
                from = at + part.size();
        }
    }
}

TEST_F(StopMessagesTest, ThePassingProjectRuns)
{
    writeFile("job.vd7d", passingProject().text());
    writeFile("job.cpt", " 1 0\r\n");
    writeNames();
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunEngine(7), 0);
    testing::internal::GetCapturedStdout();
}

} // namespace
} // namespace veldo::test

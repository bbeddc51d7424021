#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "hdt_fixture.h"
#include "testtune/launcher.h"
#include "testtune/sheet_steps.h"

namespace tw::testtune {

// A launched sheet on the simulated interpreter, driven by the command line's step words.
class SheetTest : public HdtTest {
  protected:
    ~SheetTest() override { bench_.reset(); }

    CTestSheet& open(TestSheetChoice choice, const sim::ModelOptions& options = {}) {
        bench_.reset();
        radio(options);
        bench_ = std::make_unique<AlignmentBench>(*env_);
        CTestSheet* sheet = bench_->launch(choice);
        EXPECT_NE(sheet, nullptr);
        ui_.clear();
        return *sheet;
    }
    CTestSheet& sheet() { return *bench_->sheet(); }

    // Runs "press 1070; arrow 1068 +1; scroll 1093 up; wait 1000; page 2; cancel; finish".
    // False at the first step refused.
    bool run(const std::string& script) {
        std::stringstream in(script);
        std::string step;
        while (std::getline(in, step, ';')) {
            std::stringstream words(step);
            std::string verb, a, b;
            words >> verb >> a >> b;
            if (!bench_->sheet()) return false;
            CTestSheet& s = *bench_->sheet();
            bool ok = false;
            if (verb == "press")
                ok = pressInSheet(s, std::stoi(a));
            else if (verb == "arrow")
                ok = stepArrow(s, std::stoi(a), std::stoi(b));
            else if (verb == "scroll")
                ok = scrollInSheet(s, std::stoi(a), b);
            else if (verb == "wait")
                ok = (s.wait(std::stoll(a)), true);
            else if (verb == "page")
                ok = goToPage(s, std::stoi(a));
            else if (verb == "cancel")
                ok = s.cancel();
            else if (verb == "finish")
                ok = s.finish();
            if (s.testDialog()) s.testDialog()->apply();
            if (!ok) return false;
        }
        return true;
    }

    // The command lines the radio took from `mark` on, without the resync at a test's start
    // (its probe, the three reads and the test mode entry).
    std::vector<std::string> commandsSince(std::size_t mark) const {
        std::vector<std::string> out;
        const auto& lines = model_->lines();
        for (std::size_t i = mark; i < lines.size(); ++i) {
            const std::string& t = lines[i].text;
            if (t.rfind("db ", 0) == 0 || t == "cmd 0") continue;
            if (t.empty() && i + 1 < lines.size() && lines[i + 1].text == "db 2005 2006") continue;
            out.push_back(t);
        }
        return out;
    }
    std::size_t mark() const { return model_->lines().size(); }
    // Runs the script up to its last step, then that step alone: the command lines it sent.
    std::vector<std::string> lastStep(const std::string& script) {
        const std::size_t cut = script.rfind(';');
        EXPECT_TRUE(cut == std::string::npos || run(script.substr(0, cut))) << script;
        ui_.clear();
        const std::size_t from = mark();
        run(cut == std::string::npos ? script : script.substr(cut + 1));
        return commandsSince(from);
    }

    std::unique_ptr<AlignmentBench> bench_;
};

using Lines = std::vector<std::string>;
using Messages = std::vector<std::string>;

// Command lines written "cmd 29;cmd 74 0": ";cmd 29" starts with a lone carriage return, ";"
// is one alone, "" none.
inline Lines split(const std::string& text) {
    Lines out;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line, ';');) out.push_back(line);
    return out;
}
template <typename... Text>
Messages told(Text... texts) {
    return {std::string(texts)...};
}

inline constexpr const char* kSplit = "Could not determine radio band split\n";
inline const sim::ModelOptions kBand8{{"band", "0x30"}};
inline const sim::ModelOptions kBand9{{"band", "0x35"}};
inline const sim::ModelOptions kBandOther{{"band", "0x31"}};
inline sim::ModelOptions with(sim::ModelOptions o, const char* key, const char* value) {
    o[key] = value;
    return o;
}

}  // namespace tw::testtune

#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tw::test {

using ProgressMarks = std::vector<std::pair<long, long>>;

// Checks an operation's progress marks stage by stage. A stage starts at (0, total); its
// total never changes and its count rises strictly. Every stage the operation went on from
// ended at (total, total); the last one did exactly when the operation `succeeded`. `totals`
// lists the stages expected, in order. A stage of a few hundred marks at most keeps a front
// end that redraws on each one responsive.
inline ::testing::AssertionResult progressStages(const ProgressMarks& marks,
                                                 const std::vector<long>& totals, bool succeeded) {
    constexpr std::size_t kMostMarks = 1000;
    auto show = [&] {
        std::string text;
        for (const auto& [done, total] : marks)
            text += " (" + std::to_string(done) + "," + std::to_string(total) + ")";
        return text.size() > 400 ? text.substr(0, 400) + " ..." : text;
    };
    std::vector<ProgressMarks> stages;
    for (const auto& mark : marks) {
        if (mark.first == 0) stages.emplace_back();
        if (stages.empty())
            return ::testing::AssertionFailure() << "no (0, total) first:" << show();
        stages.back().push_back(mark);
    }
    if (stages.size() != totals.size())
        return ::testing::AssertionFailure()
               << stages.size() << " stages, " << totals.size() << " expected:" << show();
    for (std::size_t s = 0; s < stages.size(); ++s) {
        const auto& stage = stages[s];
        const long total = totals[s];
        if (stage.size() > kMostMarks)
            return ::testing::AssertionFailure()
                   << "stage " << s << " has " << stage.size() << " marks";
        for (std::size_t i = 0; i < stage.size(); ++i) {
            if (stage[i].second != total)
                return ::testing::AssertionFailure()
                       << "stage " << s << " total " << stage[i].second << ", " << total
                       << " expected:" << show();
            if (i > 0 && stage[i].first <= stage[i - 1].first)
                return ::testing::AssertionFailure()
                       << "stage " << s << " does not rise at mark " << i << ":" << show();
            if (stage[i].first > total)
                return ::testing::AssertionFailure() << "stage " << s << " beyond its total";
        }
        const bool whole = stage.back().first == total;
        const bool last = s + 1 == stages.size();
        if (whole != (last ? succeeded : true))
            return ::testing::AssertionFailure()
                   << "stage " << s << (whole ? " reached" : " did not reach")
                   << " its total:" << show();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tw::test

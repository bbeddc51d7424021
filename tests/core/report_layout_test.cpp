#include "view/report_layout.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// A page whose printable height holds exactly `lines` body lines of height 10.
ReportLayout layoutWith(std::size_t reportLines, unsigned lines) {
    return layoutReport(reportLines, 1000, static_cast<int>((lines + 7) * 10), 10, 800);
}

TEST(ReportLayout, LineAfterAFullPageOpensPageTwoAtItsTop) {
    const auto l = layoutWith(61, 60);
    ASSERT_EQ(l.linesPerPage, 60u);
    EXPECT_EQ(l.pageCount, 2u);
    const auto first = pageBody(l, 1);
    ASSERT_EQ(first.size(), 60u);
    EXPECT_EQ(first.front().top, 50);
    EXPECT_EQ(first.back().index, 59u);
    const auto second = pageBody(l, 2);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].index, 60u);
    EXPECT_EQ(second[0].top, 5 * 10);
    EXPECT_TRUE(pageBody(l, 3).empty());
}

TEST(ReportLayout, PagesHoldWholeLinesAndAlwaysAtLeastOne) {
    const auto empty = layoutWith(0, 60);
    EXPECT_EQ(empty.pageCount, 1u);
    EXPECT_TRUE(pageBody(empty, 1).empty());
    EXPECT_EQ(layoutWith(1, 60).pageCount, 1u);
    EXPECT_EQ(layoutWith(120, 60).pageCount, 2u);  // exactly full pages add no blank page
    // 7 line heights of margin leave 656 - 70 = 586 units: 58 lines of 10.
    EXPECT_EQ(layoutReport(0, 100, 656, 10, 80).linesPerPage, 58u);
    const auto tiny = layoutReport(5, 100, 50, 10, 80);  // no room for a line, yet progress
    EXPECT_EQ(tiny.linesPerPage, 1u);
    EXPECT_EQ(tiny.pageCount, 5u);
    const auto zeroHeight = layoutReport(5, 100, 500, 0, 80);
    EXPECT_GE(zeroHeight.lineHeight, 1u);
    EXPECT_GE(zeroHeight.pageCount, 1u);
}

TEST(ReportLayout, RulerIsCentredAndRuleSitsAboveBanner) {
    const auto l = layoutReport(3, 1000, 700, 15, 810);
    EXPECT_EQ(l.leftMargin, 95);
    EXPECT_EQ(bannerTop(l), 30);
    EXPECT_EQ(ruleY(l), 22);  // 3 x 15 / 2 in integer arithmetic
}

TEST(ReportLayout, BannerEndsWithPageNumberAfterSixBlanks) {
    EXPECT_EQ(reportBanner(3),
              "****************   TUNEWRIGHT REPORT   ****************      Page 3");
}

}  // namespace
}  // namespace tw

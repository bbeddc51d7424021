// GVE Alignment through tunewright-cli against the simulated test interpreter on a
// pseudo-terminal at its own 19200 baud: picker, connect, battery check, sheet.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <string>
#include <vector>

#include "e2e/cli_run.h"

namespace tw::e2e {
namespace {

const std::string kBatteryTooLow =
    "Battery level is too low. The radio should be connected to a bench power supply with a "
    "battery eliminator for alignment.";

QJsonObject alignmentOf(const CliRun& r) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out))
        .object()
        .value("alignment")
        .toObject();
}

TEST(TestTuneE2eTest, ServiceAlignmentConnectsAndOpensTheSheet) {
    TempDir dir;
    const std::string ini = dir.write("novac4.ini", "");
    SimProcess good, flat;
    ASSERT_TRUE(good.start("hdt", {"--option", "hdt.band=0x35"})) << good.error();
    ASSERT_TRUE(flat.start("hdt", {"--option", "hdt.battery=194"})) << flat.error();
    const auto runs = runTogether<CliRun>({
        [&] {
            return cli(good, ini, {"--service", "blt", "alignment", "io"});
        },
        [&] {
            return cli(flat, ini, {"--service", "blt", "alignment", "rf"});
        },
    });

    const CliRun& io = runs[0];
    ASSERT_EQ(io.exitCode, 0) << io.dump();
    EXPECT_TRUE(io.messages.empty()) << io.dump();
    const QJsonObject a = alignmentOf(io);
    EXPECT_EQ(a.value("sheet").toString().toStdString(), "Facet Test & Tune");
    EXPECT_TRUE(a.value("connected").toBool());
    EXPECT_TRUE(a.value("opened").toBool());
    EXPECT_EQ(a.value("battery").toInt(), 200);
    EXPECT_EQ(a.value("radioType").toInt(), 0x60);
    EXPECT_EQ(a.value("version").toString().toStdString(), "02.05");
    EXPECT_EQ(a.value("band").toInt(), 9);

    const CliRun& rf = runs[1];
    EXPECT_EQ(rf.exitCode, 1) << rf.dump();
    EXPECT_EQ(rf.texts(), std::vector<std::string>{kBatteryTooLow});
    EXPECT_EQ(alignmentOf(rf).value("battery").toInt(), 194);
    EXPECT_FALSE(alignmentOf(rf).value("opened").toBool());
}

TEST(TestTuneE2eTest, AlignmentIsServiceWorkOnly) {
    TempDir dir;
    const ProcessResult r =
        runCli("/dev/null", dir.write("novac4.ini", ""), {"blt", "alignment", "io"});
    EXPECT_EQ(r.exitCode, 2) << r.out << r.err;
    EXPECT_NE(r.err.find("--service"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tw::e2e

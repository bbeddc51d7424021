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

QJsonObject fieldsOf(const CliRun& r) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out))
        .object()
        .value("fields")
        .toObject();
}

TEST(TestTuneE2eTest, APageOfEachSheetRunsAgainstTheInterpreter) {
    TempDir dir;
    const std::string ini = dir.write("novac4.ini", "");
    SimProcess rfRadio, frontcapRadio, ioRadio;
    ASSERT_TRUE(rfRadio.start("hdt", {})) << rfRadio.error();
    ASSERT_TRUE(frontcapRadio.start("hdt", {"--option", "hdt.band=0x35"})) << frontcapRadio.error();
    ASSERT_TRUE(ioRadio.start("hdt", {"--option", "hdt.interval=200"})) << ioRadio.error();
    const auto runs = runTogether<CliRun>({
        [&] {
            return cli(
                rfRadio, ini,
                {"--service", "blt", "alignment", "rf", "press", "1070", "arrow", "1068", "+2"});
        },
        [&] {
            return cli(frontcapRadio, ini,
                       {"--service", "blt", "alignment", "frontcap", "page", "3", "press", "1122",
                        "arrow", "1123", "+1", "press", "2"});
        },
        [&] {
            return cli(ioRadio, ini,
                       {"--service", "blt", "alignment", "io", "press", "1003", "wait", "1000",
                        "press", "2"});
        },
    });
    for (const CliRun& r : runs) {
        EXPECT_EQ(r.exitCode, 0) << r.dump();
        EXPECT_TRUE(r.messages.empty()) << r.dump();
    }
    EXPECT_EQ(fieldsOf(runs[0]).value("1080").toString().toStdString(), "DAC=514");
    EXPECT_EQ(fieldsOf(runs[1]).value("1128").toString().toStdString(), "");
    EXPECT_EQ(fieldsOf(runs[2]).value("1059").toString().toStdString(), "Complete");
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

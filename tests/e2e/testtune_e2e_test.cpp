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

// An object of the printed JSON: "alignment" or "fields".
QJsonObject part(const CliRun& r, const char* key) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object().value(key).toObject();
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
    const QJsonObject a = part(io, "alignment");
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
    EXPECT_EQ(part(rf, "alignment").value("battery").toInt(), 194);
    EXPECT_FALSE(part(rf, "alignment").value("opened").toBool());
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
    EXPECT_EQ(part(runs[0], "fields").value("1080").toString().toStdString(), "DAC=514");
    EXPECT_EQ(part(runs[1], "fields").value("1128").toString().toStdString(), "");
    EXPECT_EQ(part(runs[2], "fields").value("1059").toString().toStdString(), "Complete");
}

}  // namespace
}  // namespace tw::e2e

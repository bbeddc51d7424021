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

// Each sheet connects, opens and runs a page against its own interpreter; a flat battery stops
// the alignment before the sheet opens.
TEST(TestTuneE2eTest, ServiceAlignmentConnectsAndRunsAPageOfEachSheet) {
    TempDir dir;
    const std::string ini = dir.write("novac4.ini", "");
    SimProcess rfRadio, frontcapRadio, ioRadio, flat;
    ASSERT_TRUE(rfRadio.start("hdt", {})) << rfRadio.error();
    ASSERT_TRUE(frontcapRadio.start("hdt", {"--option", "hdt.band=0x35"})) << frontcapRadio.error();
    ASSERT_TRUE(ioRadio.start("hdt", {"--option", "hdt.interval=200"})) << ioRadio.error();
    ASSERT_TRUE(flat.start("hdt", {"--option", "hdt.battery=194"})) << flat.error();
    const auto runs = runTogether<CliRun>({
        [&] {
            return cli(rfRadio, ini, words("--service blt alignment rf press 1070 arrow 1068 +2"));
        },
        [&] {
            return cli(frontcapRadio, ini,
                       words("--service blt alignment frontcap page 3 press 1122 arrow 1123 +1 "
                             "press 2"));
        },
        [&] {
            return cli(ioRadio, ini,
                       words("--service blt alignment io press 1003 wait 1000 press 2"));
        },
        [&] { return cli(flat, ini, words("--service blt alignment rf")); },
    });
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(runs[i].exitCode, 0) << runs[i].dump();
        EXPECT_TRUE(runs[i].messages.empty()) << runs[i].dump();
    }
    EXPECT_EQ(part(runs[0], "fields").value("1080").toString().toStdString(), "DAC=514");
    EXPECT_EQ(part(runs[1], "fields").value("1128").toString().toStdString(), "");
    EXPECT_EQ(part(runs[2], "fields").value("1059").toString().toStdString(),
              "Stopped: 4 of 22 keys seen");
    const QJsonObject a = part(runs[1], "alignment");
    EXPECT_EQ(a.value("sheet").toString().toStdString(), "Frontcap Tests");
    EXPECT_TRUE(a.value("connected").toBool());
    EXPECT_TRUE(a.value("opened").toBool());
    EXPECT_EQ(a.value("battery").toInt(), 200);
    EXPECT_EQ(a.value("radioType").toInt(), 0x60);
    EXPECT_EQ(a.value("version").toString().toStdString(), "02.05");
    EXPECT_EQ(a.value("band").toInt(), 9);

    const CliRun& low = runs[3];
    EXPECT_EQ(low.exitCode, 1) << low.dump();
    EXPECT_EQ(low.texts(), std::vector<std::string>{kBatteryTooLow});
    EXPECT_EQ(part(low, "alignment").value("battery").toInt(), 194);
    EXPECT_FALSE(part(low, "alignment").value("opened").toBool());
}

}  // namespace
}  // namespace tw::e2e

// HLN page (tab 1): Get Status, tracking and feature reads and writes, test mode in and out,
// and the memory image to and from a file.
#include <algorithm>
#include <memory>

#include "families/hln/hln_messages.h"
#include "families/hln/hln_page.h"
#include "families/hln/tracking_layout.h"
#include "fault_matrix.h"

namespace tw::faults {
namespace {

using namespace hln::messages;
using namespace hln::ids;

hln::CHlnmaintDlg& hln(FamilyPage& p) {
    return static_cast<hln::CHlnmaintDlg&>(p);
}

std::vector<std::string> with(std::vector<std::string> list, std::vector<std::string> more) {
    list.insert(list.end(), more.begin(), more.end());
    return list;
}

}  // namespace

TW_FAULT_ROWS(hln) {
    const std::vector<std::string> connect = {
        kCommNotOpen,  kWakeWriteFailed, kHandshakeFailed,      kNoHandshake, kGetIdWriteFailed,
        kReadIdFailed, kUnknownType,     kGetSerialWriteFailed, kReadTimeout, kProgramMode};
    const std::vector<std::string> table = {kReadTimeout,    kReadError,     kNoData,
                                            kFeatureInvalid, kNoFeatureData, kNoTrackingSpace,
                                            kNoTrackingData};
    const std::vector<std::string> silent = {kHandshakeFailed, kProgramMode};

    FaultRow status;
    status.name = "hln get-status";
    status.family = "hln";
    status.tab = 1;
    status.model = {{"type", "U"}};
    status.prepare = [](PageBench& b) { b.chooseRadioType('U'); };
    status.run = [](FamilyPage& p) { return p.GetStatus(); };
    status.silent = silent;
    status.failures =
        with(with(connect, table), {"Radio has no feature data.", "Radio has no tracking data."});
    // A record that did not come is reported and the status read goes on.
    status.stillSucceeds = {"Radio has no feature data.", "Radio has no tracking data."};
    status.then = {{kHandshakeFailed, kProgramMode}, {kWakeWriteFailed, kProgramMode}};
    status.uncheckedRead = true;
    status.history = true;
    // The connection's pauses, then a time-out of about 50 s; the status read goes on to the
    // tracking data after a failed feature read, so it may meet two.
    status.boundMs = 110000;

    FaultRow readTracking = status;
    readTracking.name = "hln read-tracking";
    readTracking.run = [](FamilyPage& p) { return p.ReadTrackingFromRadio(); };
    readTracking.success = {"Tracking data read successfully."};
    // A radio whose ID names a type without tracking data is told so, and nothing is read.
    readTracking.failures =
        with(with(connect, table),
             {"Tracking data not returned.", "This radio does not contain tracking data."});
    readTracking.stillSucceeds = {};
    readTracking.boundMs = 60000;

    FaultRow writeTracking = readTracking;
    writeTracking.name = "hln write-tracking";
    writeTracking.prepare = [](PageBench& b) {
        b.chooseRadioType('U');
        for (const auto& f : hln::kHlnTrackingFields) b.page(1).controls().setText(f.control, "20");
        for (int id : {kSquelchLow, kSquelchMid, kSquelchHigh})
            b.page(1).controls().setText(id, "200");
    };
    writeTracking.run = [](FamilyPage& p) { return p.WriteTrackingToRadio(); };
    writeTracking.silent = with({"Is this an ZKT radio?"}, silent);
    writeTracking.success = {"Tracking data written successfully."};
    writeTracking.failures = with(with(connect, table), {"Tracking data not written."});
    writeTracking.history = false;
    writeTracking.beforeWrite = true;
    writeTracking.work = RadioWork::Write;

    FaultRow readFeatures = readTracking;
    readFeatures.name = "hln read-features";
    readFeatures.run = [](FamilyPage& p) { return p.ReadFeaturesFromRadio(); };
    // The feature read connects as a TRV does: the power-cycle hint, then the extended
    // handshake when the wake bytes go unanswered.
    readFeatures.silent = {kProgramMode, kAskExtended, kHandshakeFailed, kProgramMode};
    readFeatures.notes = {kAskExtended, kProgramMode};
    readFeatures.success = {"Feature data read successfully."};
    readFeatures.failures = with(with(connect, table), {"Feature data not returned."});
    readFeatures.failures.erase(
        std::find(readFeatures.failures.begin(), readFeatures.failures.end(), kProgramMode));
    // The page takes what the operation returned, also after a failure.
    readFeatures.mayChange = {kModel, kSerial, kFeatures};
    readFeatures.boundMs += extendedHandshakeMs();

    FaultRow writeFeatures = readFeatures;
    writeFeatures.name = "hln write-features";
    writeFeatures.prepare = [](PageBench& b) {
        b.chooseRadioType('U');
        b.page(1).controls().setText(kFeatures, "01FF09FFFFFFFFFFFFFFFFFFFFFF");
    };
    writeFeatures.run = [](FamilyPage& p) { return p.WriteFeaturesToRadio(); };
    writeFeatures.silent = silent;
    writeFeatures.notes = {};
    writeFeatures.boundMs = readTracking.boundMs;  // a U radio: no extended handshake
    writeFeatures.success = {"Feature data written successfully."};
    writeFeatures.failures = with(with(connect, table), {"Feature data not written."});
    writeFeatures.history = false;
    writeFeatures.beforeWrite = true;
    writeFeatures.work = RadioWork::Write;

    FaultRow testIn = status;
    testIn.name = "hln test-mode in";
    testIn.run = [](FamilyPage& p) { return p.SetTestMode(1); };
    testIn.success = {"ZKT"};
    testIn.failures = with(connect, {kUnableToWrite, kTestModeRefused});
    testIn.stillSucceeds = {};
    testIn.leavesLinkOpen = true;
    testIn.boundMs = 60000;
    testIn.history = false;

    FaultRow testOut = testIn;
    testOut.name = "hln test-mode out";
    testOut.prepare = [](PageBench& b) {
        b.chooseRadioType('U');
        b.page(1).SetTestMode(1);
    };
    testOut.run = [](FamilyPage& p) { return p.SetTestMode(0); };
    testOut.silent = {"0", kTestModeStuck, "Error in leaving Test Mode"};
    testOut.success = {"You have left the test mode for HLN radios"};
    testOut.failures = {kCommNotOpen, kUnableToWrite, kReadRadioFailed, kTestModeStuck,
                        "Error in leaving Test Mode"};
    // How many bytes the radio answered.
    for (int n = 0; n <= 20; ++n) testOut.notes.push_back(std::to_string(n));
    testOut.then = {{kTestModeStuck, "Error in leaving Test Mode"}};
    testOut.leavesLinkOpen = false;
    testOut.boundMs = 5000;

    // The image file's path lies in the bench's scratch folder, known once it exists.
    auto imagePath = std::make_shared<std::string>();
    FaultRow readImage = status;
    readImage.name = "hln read-image";
    readImage.prepare = [imagePath](PageBench& b) {
        b.chooseRadioType('U');
        *imagePath = (b.folder() / "radio.img").string();
    };
    readImage.run = [imagePath](FamilyPage& p) { return hln(p).readImageToFile(*imagePath); };
    readImage.stillSucceeds = {};
    readImage.failures = with(connect, {kVerifyFailed, "Could not open file."});
    readImage.uncheckedRead = false;
    readImage.history = true;
    readImage.writes = "radio.img";
    readImage.boundMs = 60000;

    FaultRow writeImage = readImage;
    writeImage.name = "hln write-image";
    writeImage.prepare = [imagePath](PageBench& b) {
        b.chooseRadioType('U');
        *imagePath = (b.folder() / "radio.img").string();
        hln(b.page(1)).readImageToFile(*imagePath);
    };
    writeImage.run = [imagePath](FamilyPage& p) { return hln(p).writeImageFromFile(*imagePath); };
    writeImage.success = {"Image written successfully."};
    // The image is read first, as a read of it does, for the copy kept before the write.
    writeImage.failures = with(readImage.failures, {kRadioFailedVerify, "Could not open file."});
    writeImage.boundMs = 2 * readImage.boundMs;
    // The technician is asked before the radio's whole memory is replaced.
    const std::string confirm =
        "Write the image file to the radio?\nThis replaces the radio's whole memory, its "
        "personality and alignment included.";
    writeImage.silent.insert(writeImage.silent.begin(), confirm);
    writeImage.notes.push_back(confirm);
    writeImage.history = false;
    writeImage.beforeWrite = true;
    writeImage.work = RadioWork::Write;
    writeImage.writes = "";
    return {status, readTracking, writeTracking, readFeatures, writeFeatures,
            testIn, testOut,      readImage,     writeImage};
}

}  // namespace tw::faults

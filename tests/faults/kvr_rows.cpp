// KVR page (tab 0): tracking read and write, Get Status, and the radio-type write.
#include <fstream>

#include "families/kvr/kvr_link.h"
#include "families/kvr/kvr_maint.h"
#include "families/kvr/kvr_radio_type_dlg.h"
#include "families/kvr/tracking_values.h"
#include "fault_matrix.h"

namespace tw::faults {
namespace {

using namespace kvr::messages;

const std::vector<std::string> kHandshakeFailures = {
    kvr::messages::kPortNotOpen, kvr::messages::kInitialWriteFailed, kvr::messages::kNoHandshake};
const std::vector<std::string> kSilent = {kvr::messages::kPowerOn, kvr::messages::kNoHandshake};

std::vector<std::string> with(std::vector<std::string> list, std::vector<std::string> more) {
    list.insert(list.end(), more.begin(), more.end());
    return list;
}

// "rfdata.bin" offering the 450-470 MHz split the simulated radio has, in the profile's
// Translators folder.
void bandSplitFile(PageBench& bench) {
    std::string bytes(kvr::kBandSplitOffset + kvr::kBandSplitBytes, '\0');
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const std::size_t record = kvr::kBandSplitOffset + 9 * kvr::kBandSplitRecordSize;
    put(record, 1);
    put(record + 8, 450000000);
    put(record + 12, 470000000);
    put(record + 16, 450000000);
    put(record + 20, 470000000);
    std::ofstream((bench.folder() / "rfdata.bin").string(), std::ios::binary) << bytes;
    bench.env().profile.writeString("Directory Settings", "Translators", bench.folder().string());
}

}  // namespace

TW_FAULT_ROWS(kvr) {
    FaultRow read;
    read.name = "kvr read-tracking";
    read.family = "kvr";
    read.tab = 0;
    read.run = [](FamilyPage& p) { return p.ReadTrackingFromRadio(); };
    read.silent = kSilent;
    read.success = {kTrackingRead};
    read.failures = with(kHandshakeFailures, {kTrackingReadError, kTrackingShort});
    read.uncheckedRead = true;
    read.history = true;
    // The handshake's four tries, then a block read that gets nothing at all ends at once.
    // (A write also reads its block back.)
    read.boundMs = 2500;

    FaultRow status = read;
    status.name = "kvr get-status";
    status.run = [](FamilyPage& p) { return p.GetStatus(); };

    FaultRow write = read;
    write.name = "kvr write-tracking";
    write.prepare = [](PageBench& b) {
        for (const auto& v : kvr::kTrackingValues) b.page(0).controls().setText(v.control, "10");
    };
    write.run = [](FamilyPage& p) { return p.WriteTrackingToRadio(); };
    write.success = {kTrackingWritten};
    write.failures =
        with(kHandshakeFailures, {kTrackingReadError, kTrackingShort, kTrackingWriteError});
    write.history = false;
    write.beforeWrite = true;
    write.work = RadioWork::Write;
    // Inside the write command, after the wake byte and the read of the current block.
    write.alsoAtPc = {12};

    FaultRow type = read;
    type.name = "kvr radio-type write";
    type.prepare = [](PageBench& b) {
        bandSplitFile(b);
        b.ui.dialogScripts.push_back(
            DialogScript{{{std::to_string(kvr::CKvrRadioTypeDlg::kRadioTypeList), "2"},
                          {std::to_string(kvr::CKvrRadioTypeDlg::kBandSplitList), "0"}},
                         kvr::CKvrRadioTypeDlg::kWriteButton});
    };
    type.run = [](FamilyPage& p) {
        bool written = false;
        return static_cast<kvr::CKvrMaint&>(p).RadioType(&written) && written;
    };
    type.success = {"Initial data written.\nTurn off radio and disconnect from cable."};
    type.failures = with(kHandshakeFailures,
                         {kInitialDataReadError, "Error Writing Initial Data.\nTurn off radio.",
                          "Action cancelled.\nTurn off radio and disconnect "
                          "from cable."});
    type.history = false;
    type.beforeWrite = true;
    type.work = RadioWork::Write;
    return {status, read, write, type};
}

}  // namespace tw::faults

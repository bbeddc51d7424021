#pragma once

// Rows of the two pages that share the 1200-baud hex link (WLB and MARTEN 60P).
#include <string>
#include <vector>

#include "families/compact/compact_page.h"
#include "families/compact/hex_link.h"
#include "fault_matrix.h"

namespace tw::faults {

inline std::vector<FaultRow> compactRows(const std::string& family, int tab) {
    using namespace compact::messages;
    const std::vector<std::string> connect = {kPortNotOpened, kWrongRadioType, kCouldNotInitialize};
    FaultRow read;
    read.name = family + " read-tracking";
    read.family = family;
    read.tab = tab;
    read.run = [](FamilyPage& p) { return p.ReadTrackingFromRadio(); };
    read.silent = {kCouldNotInitialize};
    read.failures = connect;
    read.failures.insert(read.failures.end(), {kCouldNotRead, kResetFailed});
    // The identification shows the version before the blocks are read.
    read.mayChange = {compact::kVersionText};
    // A digit garbled into another digit passes: the protocol carries no check.
    read.uncheckedRead = true;
    read.history = true;
    // Connect and seven blocks, with one read that waits its full second for nothing.
    read.boundMs = 4000;

    FaultRow status = read;
    status.name = family + " get-status";
    status.run = [](FamilyPage& p) { return p.GetStatus(); };

    FaultRow write = read;
    write.name = family + " write-tracking";
    write.prepare = [tab](PageBench& b) {
        auto& page = static_cast<compact::CCompactPage&>(b.page(tab));
        int value = 20;
        for (const auto& f : page.model().fields)
            page.controls().setText(f.control, std::to_string(value++));
    };
    write.run = [](FamilyPage& p) { return p.WriteTrackingToRadio(); };
    write.failures = connect;
    write.failures.insert(write.failures.end(), {kCouldNotWrite, kResetFailed});
    write.history = false;
    write.beforeWrite = true;
    write.work = RadioWork::Write;
    // The clean write and read-back (about 1.2 s), plus one read-back that waits for nothing.
    write.boundMs = 5000;
    return {status, read, write};
}

}  // namespace tw::faults

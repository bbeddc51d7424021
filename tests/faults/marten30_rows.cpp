// MARTEN 30 page (tab 6): image read (also Get Status) and the write with read-back.
#include "families/kvr/marten30_link.h"
#include "families/kvr/marten30_page.h"
#include "fault_matrix.h"

namespace tw::faults {

TW_FAULT_ROWS(marten30) {
    using namespace kvr::messages;
    using P = kvr::CMarten30Page;
    const std::vector<std::string> identify = {kPortNotOpened,    kNotProgrammingMode,
                                               kWrongRadioType,   kNoFlashCode,
                                               kInvalidBandSplit, kCouldNotInitialize};
    FaultRow read;
    read.name = "marten30 read-tracking";
    read.family = "marten30";
    read.tab = 6;
    read.run = [](FamilyPage& p) { return p.ReadTrackingFromRadio(); };
    read.silent = {kCouldNotInitialize};
    read.failures = identify;
    read.failures.push_back(kInvalidRead);
    read.notes = {kInvalidCountry};
    // The identity is shown whether or not the image came.
    read.mayChange = {P::kRadioType, P::kBandSplit, P::kCountry, P::kRadioCode};
    // The identity's characters carry no check.
    read.uncheckedRead = true;
    read.history = true;
    // A block that does not come ends the read there, not after all 64 block reads.
    read.boundMs = 2500;

    FaultRow status = read;
    status.name = "marten30 get-status";
    status.run = [](FamilyPage& p) { return p.GetStatus(); };

    FaultRow write = read;
    write.name = "marten30 write-tracking";
    write.run = [](FamilyPage& p) { return p.WriteTrackingToRadio(); };
    write.failures = identify;
    write.failures.insert(write.failures.end(), {kInvalidRadioId, kWriteNotVerified});
    write.history = false;
    write.beforeWrite = true;
    write.work = RadioWork::Write;
    // Inside the first read of the copy kept before the write, after "G0" and "G2", and
    // inside the first block's write command, after the 64 reads of the copy.
    write.alsoAtPc = {6, 4 + 64 * 8 + 2};
    // The read of the copy, the clean write, plus one read-back that waits out its 2 s.
    write.boundMs = read.boundMs + 7000;
    return {status, read, write};
}

}  // namespace tw::faults

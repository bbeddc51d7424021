// WLA page (tab 3): tracking read (also Get Status) and write with its read-back, the reflash
// from an S-record file and the code read-back into one.
#include <memory>
#include <string>

#include "families/compact/wla_files.h"
#include "families/compact/wla_page.h"
#include "families/compact/wla_protocol.h"
#include "fault_matrix.h"
#include "util/file_io.h"
#include "util/text.h"

namespace tw::faults {

namespace {

compact::CWlaPage& wla(FamilyPage& p) {
    return static_cast<compact::CWlaPage&>(p);
}

// 64 S1 records of program code from 0x2000.
std::string programFile() {
    std::string out;
    for (unsigned r = 0; r < 64; ++r) {
        const unsigned a = 0x2000 + r * 16;
        unsigned sum = 0x13 + (a >> 8) + (a & 0xFF);
        std::string line = format("S113%04X", a);
        for (unsigned i = 0; i < 16; ++i) {
            const unsigned b = (a + i * 7) & 0xFF;
            line += format("%02X", b);
            sum += b;
        }
        out += line + format("%02X\n", ~sum & 0xFF);
    }
    return out;
}

}  // namespace

TW_FAULT_ROWS(wla) {
    using namespace compact::messages;
    using P = compact::CWlaPage;
    const std::vector<std::string> identify = {kPortNotOpenedOrBusy, kUnknownMode, kWrongRadioType,
                                               kInvalidBandSplit, kCouldNotInitialize};
    // The identity is shown once it passed, whether or not the rest of the work did.
    const std::vector<int> identity = {P::kRadioType, P::kRfType, P::kMaxPower};

    FaultRow read;
    read.name = "wla read-tracking";
    read.family = "wla";
    read.tab = 3;
    read.run = [](FamilyPage& p) { return p.ReadTrackingFromRadio(); };
    read.silent = {kPowerCycleProgramming, kCouldNotInitialize};
    read.failures = identify;
    read.failures.push_back(kCouldNotReadTracking);
    read.mayChange = identity;
    // Neither the identification nor the record carries a check.
    read.uncheckedRead = true;
    read.history = true;
    read.boundMs = 10000;

    FaultRow status = read;
    status.name = "wla get-status";
    status.run = [](FamilyPage& p) { return p.GetStatus(); };

    FaultRow write = read;
    write.name = "wla write-tracking";
    write.prepare = [](PageBench& b) {
        for (int id : {1006, 1010, 1014}) b.page(3).controls().setText(id, "77");
    };
    write.run = [](FamilyPage& p) { return p.WriteTrackingToRadio(); };
    write.failures = identify;
    write.failures.insert(write.failures.end(),
                          {kIoErrorRetry, kCouldNotVerify, kTrackingMismatch});
    write.history = false;
    write.beforeWrite = true;
    write.work = RadioWork::Write;
    write.boundMs = 12000;

    auto file = std::make_shared<std::string>();
    FaultRow flash;
    flash.name = "wla flash";
    flash.family = "wla";
    flash.tab = 3;
    flash.model = {{"erase-ms", "2000"}};
    flash.prepare = [file](PageBench& b) {
        *file = (b.folder() / "program.mot").string();
        saveFileAtomically(*file, programFile());
    };
    flash.run = [file](FamilyPage& p) { return wla(p).reflashFrom(*file); };
    flash.silent = {kPowerCycleFlash, kCouldNotInitialize};
    flash.failures = identify;
    flash.failures.insert(flash.failures.end(), {kIoErrorRetry, kNoEraseResponse, kNoFlashResponse,
                                                 kFlashCrcFailure, kFlashInvalidResponse});
    flash.mayChange = identity;
    flash.uncheckedRead = true;  // the identification
    flash.work = RadioWork::Flash;
    // The wake and 300 erase polls of a second, for a radio that never answers the erase. A
    // run that gets past the erase (2 s here) ends far sooner: 862 blocks of about 10 ms, one
    // of which may poll a second for an answer that never comes.
    flash.boundMs = 200 + 300 * 1000 + 1000;

    FaultRow code;
    code.name = "wla read-code";
    code.family = "wla";
    code.tab = 3;
    code.run = [file](FamilyPage& p) { return wla(p).writeCodeTo(*file); };
    code.prepare = [file](PageBench& b) { *file = (b.folder() / "code.mot").string(); };
    code.silent = {kPowerCycleFlash, kCouldNotInitialize};
    code.success = {kCodeWritten};
    code.failures = identify;
    code.failures.insert(code.failures.end(),
                         {kIoError, kCodeCrcMismatch, compact::messages::kOpenForWriting});
    code.mayChange = identity;
    code.uncheckedRead = true;  // the identification
    code.history = true;
    code.writes = "code.mot";
    // The wake, a 64000-byte read bounded at 71 s, the 5 s pause and the check byte.
    code.boundMs = 200 + 71000 + 5000 + 1000 + 1000;
    return {status, read, write, flash, code};
}

}  // namespace tw::faults

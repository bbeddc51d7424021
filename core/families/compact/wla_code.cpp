// The two program-code buttons of the WLA page: reflash from an S-record file and write the
// radio's code to one.
#include "families/compact/crc8.h"
#include "families/compact/srecord.h"
#include "families/compact/wla_files.h"
#include "families/compact/wla_page.h"
#include "history/read_history.h"
#include "util/file_io.h"
#include "util/text.h"

namespace tw::compact {

namespace {

// The erase takes the radio about 20 s; it is asked once a second for up to 300 s.
constexpr int kErasePolls = 300;
constexpr Millis kErasePollMs = 1000;
constexpr int kAfterBlockMs = 10;
// A block is stored within a few milliseconds; its answer is looked for every 50 ms for a
// second.
constexpr int kBlockPolls = 20;
constexpr Millis kBlockPollMs = 50;
constexpr std::size_t kAnswerMax = 9;
// "OK" or "NG".
constexpr std::size_t kBlockAnswerSize = 2;
// The radio computes its check byte after the last code byte has gone out.
constexpr int kBeforeCodeCrcMs = 5000;
constexpr int kCodeReadWait = 70;
// The code read shows its progress once per hundredth: a mark for every piece the line
// hands over would be thousands.
constexpr std::size_t kCodeReadMarkBytes = kCodeReadSize / 100;

const std::vector<std::uint8_t> kOk = {'O', 'K'};
const std::vector<std::uint8_t> kNg = {'N', 'G'};

// The pause that brings a poll that began at `start` to its full interval. A poll's read
// waits for its first byte at most the interval, not the link's longer first-byte wait, so
// the polls keep the pace the loop was made for: 300 polls of the erase are five minutes.
void pauseRestOf(WlaLink& link, Millis intervalMs, Millis start) {
    const Millis rest = intervalMs - (link.now() - start);
    if (rest > 0) link.pause(static_cast<int>(rest));
}

}  // namespace

bool CWlaPage::loadCode(const std::vector<std::uint8_t>& bytes, MotFile& out,
                        StatusWindow* status) {
    auto refuse = [&](const std::string& message) {
        if (status) status->close();
        env_.ui.message(message);
        return false;
    };
    auto parsed = readMotFile(bytes);
    if (auto* refusal = std::get_if<MotRefusal>(&parsed)) return refuse(refusal->text());
    out = std::move(std::get<MotFile>(parsed));
    if (out.s1Records < kMinS1Records) return refuse(messages::kNotEnoughRecords);
    // Such a file passes the record count yet would leave the radio erased with nothing on it.
    if (out.codeBytes == 0) return refuse(messages::kNoCodeInFile);
    if (out.outsideBytes > 0)
        env_.ui.detail(
            format("%zu bytes of the file lie outside 0x2000-0xF77F and are not "
                   "flashed.",
                   out.outsideBytes));
    return true;
}

bool CWlaPage::checkCodeFile(const std::string& path) {
    const auto bytes = loadWholeFile(path, kMaxMotFileBytes);
    if (!bytes) {
        env_.ui.message(messages::kOpenForReading);
        return false;
    }
    MotFile code;
    if (!loadCode(*bytes, code, nullptr)) return false;
    env_.ui.detail(
        format("%d S1 records, %zu bytes of program code in 0x2000-0xF77F, %zu "
               "blocks of 64 bytes to flash.",
               code.s1Records, code.codeBytes, kFlashBlockCount));
    return true;
}

bool CWlaPage::ReflashRadioFromFile() {
    const auto path = env_.ui.chooseOpenFile(motFileChoice(false));
    if (!path) return false;
    return reflashFrom(*path);
}

bool CWlaPage::reflashFrom(const std::string& path) {
    const auto bytes = loadWholeFile(path, kMaxMotFileBytes);
    if (!bytes) {
        env_.ui.message(messages::kOpenForReading);
        return false;
    }
    StatusWindow status(env_.ui);
    status.setText("Processing MOT file");
    MotFile code;
    if (!loadCode(*bytes, code, &status)) return false;

    BusyCursor busy(env_.ui);
    status.setText("Handshake Radio ...");
    WlaLink link(env_);
    if (!connect(link, WlaMode::Flash)) {
        status.close();
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    auto fail = [&](const char* message) {
        link.close();
        status.close();
        env_.ui.message(message);
        return false;
    };

    status.setText("Erasing Flash Part (Approx 20 sec.)");
    if (!link.send({'F', 'C'})) return fail(messages::kIoErrorRetry);
    std::vector<std::uint8_t> answer;
    // The radio tells nothing of how far its erase is: the polls show how much of the wait
    // allowed for it has gone. The answer must be followed by quiet: "OK" and more is no "OK".
    for (int poll = 0; poll < kErasePolls; ++poll) {
        status.progress(poll, kErasePolls);
        const Millis start = link.now();
        answer = link.poll(kAnswerMax, kErasePollMs);
        pauseRestOf(link, kErasePollMs, start);
        if (!answer.empty()) break;
    }
    if (answer != kOk) return fail(messages::kNoEraseResponse);
    status.progress(kErasePolls, kErasePolls);

    if (!flashBlocks(link, status, code.image)) return false;
    status.close();
    link.close();
    env_.ui.detail(format("Flash completed: %zu blocks written.", kFlashBlockCount));
    return true;
}

bool CWlaPage::flashBlocks(WlaLink& link, StatusWindow& status,
                           const std::vector<std::uint8_t>& image) {
    auto fail = [&](const char* message) {
        link.close();
        status.close();
        env_.ui.message(message);
        return false;
    };
    constexpr long kBlocks = static_cast<long>(kFlashBlockCount);
    for (std::uint32_t address = kFirstFlashBlock; address <= kLastFlashBlock;
         address += kFlashBlockSize) {
        status.setText(format("Writing Flash at %u", address));
        status.progress(static_cast<long>((address - kFirstFlashBlock) / kFlashBlockSize), kBlocks);
        // One write carries the command, its block and the check byte: a cancel cannot come
        // between them.
        if (!link.send(flashBlockCommand(address, image.data() + address)))
            return fail(messages::kIoErrorRetry);
        link.pause(kAfterBlockMs);
        // A block's answer is taken as soon as its two characters are in. Making sure that no
        // third follows would mean waiting out a quiet gap at each of the 862 blocks, a
        // quarter of the whole flash. A character that does follow "OK" is read as the start
        // of the next block's answer and fails the flash there with the invalid-answer error,
        // one block later than a quiet check would have; either way the radio is left
        // half-written and must be flashed again. The last block has no next answer to catch
        // it, so its answer keeps the quiet check.
        const std::size_t answerSize = address == kLastFlashBlock ? kAnswerMax : kBlockAnswerSize;
        std::vector<std::uint8_t> answer;
        for (int poll = 0; poll < kBlockPolls; ++poll) {
            const Millis start = link.now();
            answer = link.poll(answerSize, kBlockPollMs);
            if (!answer.empty()) break;
            pauseRestOf(link, kBlockPollMs, start);
        }
        if (answer.empty()) return fail(messages::kNoFlashResponse);
        if (answer == kNg) return fail(messages::kFlashCrcFailure);
        if (answer != kOk) return fail(messages::kFlashInvalidResponse);
    }
    status.progress(kBlocks, kBlocks);
    return true;
}

bool CWlaPage::WriteCodeToFile() {
    const auto path = env_.ui.chooseSaveFile(motFileChoice(true));
    if (!path) return false;
    return writeCodeTo(*path);
}

bool CWlaPage::writeCodeTo(const std::string& path) {
    WlaLink link(env_);
    if (!connect(link, WlaMode::Flash)) {
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    BusyCursor busy(env_.ui);
    StatusWindow status(env_.ui);
    status.setText("Read Flash Code (Approx. 70 seconds)");
    constexpr long kCodeBytes = static_cast<long>(kCodeReadSize);
    status.progress(0, kCodeBytes);
    // The whole read stays below the total: the code counts only once its check byte agrees
    // and the file is saved.
    unsigned long marked = 0;
    auto arrived = [&](unsigned long bytes) {
        if (bytes >= kCodeReadSize || bytes / kCodeReadMarkBytes == marked / kCodeReadMarkBytes)
            return;
        marked = bytes;
        status.progress(static_cast<long>(bytes), kCodeBytes);
    };
    std::vector<std::uint8_t> code, crc;
    const bool sent = link.send({'F', 'A'});
    bool got = sent && link.read(kCodeReadSize, code, kCodeReadWait, arrived);
    if (got) {
        link.pause(kBeforeCodeCrcMs);
        got = link.read(1, crc);
    }
    // Part of the code is no code: a short read fails like a broken one, and no file is made.
    if (!got || code.size() != kCodeReadSize || crc.size() != 1) {
        status.close();
        link.close();
        env_.ui.message(messages::kIoError);
        return false;
    }
    status.setText("Testing CRC");
    link.close();
    if (crc8(code.data(), kCodeFileBytes) != crc[0]) {
        status.close();
        env_.ui.message(messages::kCodeCrcMismatch);
        return false;
    }
    const std::string text = writeMotFile(code.data(), kCodeFileBytes);
    const std::vector<std::uint8_t> fileBytes(text.begin(), text.end());
    keepRadioRead(env_, "wla", "WLA", "mot", fileBytes);
    if (!saveFileAtomically(path, fileBytes)) {
        status.close();
        env_.ui.message(messages::kOpenForWriting);
        return false;
    }
    status.progress(kCodeBytes, kCodeBytes);
    status.close();
    env_.ui.message(messages::kCodeWritten);
    return true;
}

}  // namespace tw::compact

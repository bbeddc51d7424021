#include "testtune/stream_test.h"

#include <future>
#include <set>

#include "testtune/hdt_reply.h"
#include "testtune/key_map.h"
#include "util/text.h"

namespace tw::testtune {

void StreamChanges::push(StreamChange change) {
    std::function<void()> notify;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        changes_.push_back(std::move(change));
        notify = notify_;
    }
    if (notify) notify();
}

std::deque<StreamChange> StreamChanges::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(changes_, {});
}

void StreamChanges::setNotify(std::function<void()> notify) {
    std::lock_guard<std::mutex> lock(mutex_);
    notify_ = std::move(notify);
}

CStreamTestDlg::CStreamTestDlg(CTestSheet& sheet, StreamKind kind,
                               std::function<void(StreamOutcome)> closed)
    : sheet_(sheet), link_(sheet.link()), kind_(kind), closedHandler_(std::move(closed)) {
    controls_.add(kIdStop, "Stop Test");
    switch (kind) {
        case StreamKind::Keypad:
            title_ = "Keypad Test";
            for (const auto& k : kKeyMap)
                if (k.controlId) controls_.add(k.controlId, std::string(k.label)).enabled = false;
            break;
        case StreamKind::Knob:
            title_ = "Rotary Knob Test ";
            prompt_ = "Rotate the group knob through positions 1 to 16 slowly";
            for (int n = 1; n <= 16; ++n)
                controls_.add(kKnobIndicatorBase + n, std::to_string(n)).enabled = false;
            break;
        case StreamKind::Volume:
            title_ = "Volume Test Status";
            prompt_ = "Rotate the Volume Control slowly.";
            controls_.add(kVolumeProgress, "0");
            controls_.add(kVolumeText, "Vol = ??");
            break;
    }
}

CStreamTestDlg::~CStreamTestDlg() {
    Close();
}

void CStreamTestDlg::start() {
    closed_ = false;
    finished_ = false;
    outcome_ = StreamOutcome::Running;
    link_.clearAbort();
    carry_.clear();
    done_ = false;
    std::promise<void> registered;
    auto ready = registered.get_future();
    worker_ = std::thread([this, &registered] {
        // Under a virtual clock the worker's waits follow the time the user interface lets
        // pass; it is counted as a worker before the user interface goes on.
        VirtualClock::WorkerScope scope(sheet_.env().clock);
        registered.set_value();
        outcome_ = StreamOutcome::Done;
        run();
        done_ = true;
    });
    ready.wait();
}

bool CStreamTestDlg::press(int id) {
    if (closed_ || id != kIdStop) return false;
    Close();
    return true;
}

void CStreamTestDlg::Close() {
    if (closed_) return;
    closed_ = true;
    link_.requestAbort();
    // The worker sees the flag before its next read; on a virtual clock time must pass for
    // that read to end, so closing lets it pass (bounded) until the worker is done.
    Clock& clock = sheet_.env().clock;
    const Millis start = clock.now();
    while (!done_ && clock.now() - start < kJoinBoundMs) clock.sleep(kJoinPollMs);
    if (worker_.joinable()) worker_.join();
    finish();
}

void CStreamTestDlg::finish() {
    if (finished_) return;
    finished_ = true;
    // What the worker said last (messages, a lost link) still reaches the technician.
    bool lost = false;
    for (const auto& change : changes_.take()) {
        if (change.kind == StreamChange::Kind::LinkLost)
            lost = true;
        else if (change.kind != StreamChange::Kind::Close)
            applyChange(change);
    }
    if (closedHandler_) closedHandler_(outcome_.load());
    if (lost) link_.ConnectionLost();
}

void CStreamTestDlg::apply() {
    if (closed_) return;
    for (const auto& change : changes_.take()) {
        if (change.kind == StreamChange::Kind::Close ||
            change.kind == StreamChange::Kind::LinkLost) {
            if (change.kind == StreamChange::Kind::LinkLost) changes_.push(change);
            Close();
            return;
        }
        applyChange(change);
    }
}

void CStreamTestDlg::applyChange(const StreamChange& c) {
    switch (c.kind) {
        case StreamChange::Kind::Toggle:
            controls_.setEnabled(c.id, !controls_.enabled(c.id));
            break;
        case StreamChange::Kind::Disable:
            controls_.setEnabled(c.id, false);
            break;
        case StreamChange::Kind::Progress:
            controls_.setText(c.id, std::to_string(c.value));
            break;
        case StreamChange::Kind::Text:
            controls_.setText(c.id, c.text);
            break;
        case StreamChange::Kind::Message:
            sheet_.env().ui.message(c.text);
            break;
        case StreamChange::Kind::Close:
        case StreamChange::Kind::LinkLost:
            break;
    }
}

// ---- the worker ----

void CStreamTestDlg::run() {
    switch (kind_) {
        case StreamKind::Keypad:
            outcome_ = keypad();
            break;
        case StreamKind::Knob:
            outcome_ = knob();
            break;
        case StreamKind::Volume:
            outcome_ = volume();
            break;
    }
}

std::string CStreamTestDlg::joinedEvents(std::string_view key, std::size_t width) {
    // A read ends wherever 50 bytes end: an event cut there is finished by the next read.
    std::string text = carry_ + std::string(reply_.text());
    carry_.clear();
    const std::size_t last = key.empty() ? std::string_view::npos : text.rfind(key);
    if (last != std::string::npos && text.size() - last < key.size() + width) {
        carry_ = text.substr(last);
        text.erase(last);
    } else if (!key.empty()) {
        // The key itself may be cut ("GR" then "P=05").
        for (std::size_t n = std::min(key.size() - 1, text.size()); n > 0; --n)
            if (text.compare(text.size() - n, n, key.substr(0, n)) == 0) {
                carry_ = text.substr(text.size() - n);
                text.erase(text.size() - n);
                break;
            }
    } else if (key.empty() && !text.empty() && text.back() == '1' &&
               (text.size() == 1 || text[text.size() - 2] == '\n')) {
        carry_ = "1";  // a key press cut after its first character
        text.pop_back();
    }
    return text;
}

void CStreamTestDlg::keepStreamAfterPrompt() {
    // The radio may start sending while the start command's own reply is read: what follows
    // its prompt are the first events.
    const std::string_view text = reply_.text();
    const auto prompt = text.find("\r\n*");
    if (prompt != std::string_view::npos) carry_ = std::string(text.substr(prompt + 3));
}

bool CStreamTestDlg::read() {
    reply_.clear();
    if (link_.port().Transact({}, reply_)) return true;
    post(StreamChange(StreamChange::Kind::LinkLost));
    return false;
}

void CStreamTestDlg::Drain() {
    // Bounded like the link's own drain: a radio that keeps sending cannot hold the worker.
    CHdtPort& port = link_.port();
    Clock& clock = sheet_.env().clock;
    const Millis start = clock.now();
    int bytes = 0;
    while (port.isOpen() && port.session().readByte())
        if (++bytes >= CHdtLink::kDrainMaxBytes || clock.now() - start >= CHdtLink::kDrainMaxMs)
            return;
}

void CStreamTestDlg::endInRadio() {
    reply_.clear();
    link_.port().Transact(kEndStream, reply_);
    link_.port().session().pause(static_cast<int>(kEndPauseMs));
    Drain();
}

bool CStreamTestDlg::ending(Millis start, const char* timeoutMessage) {
    if (sheet_.env().clock.now() - start > kTimeoutMs && !link_.abortRequested()) {
        post(StreamChange(StreamChange::Kind::Message, 0, 0, timeoutMessage));
        post(StreamChange(StreamChange::Kind::Close));
        link_.requestAbort();
    }
    if (!link_.abortRequested()) return false;
    endInRadio();
    return true;
}

StreamOutcome CStreamTestDlg::keypad() {
    Drain();
    const Millis start = sheet_.env().clock.now();
    reply_.clear();
    if (!link_.port().Transact(*formatCommand(HdtCommand::KeypadTest), reply_)) {
        post(StreamChange(StreamChange::Kind::Close));
        return StreamOutcome::NotStarted;
    }
    keepStreamAfterPrompt();
    std::set<int> seen;
    for (;;) {
        if (ending(start, "Keypad test has timed out after two minutes."))
            return StreamOutcome::Done;
        if (!read()) return StreamOutcome::LinkLost;
        // What came after Stop is no longer shown: the test ended when it was pressed.
        if (link_.abortRequested()) continue;
        if (reply_.text().empty()) continue;
        const std::string joined = joinedEvents({}, 0);
        const std::string_view text = joined;
        if (text.empty()) continue;
        // Events that arrive together are each handled, in order.
        const bool ended = replyHas(text, "\n\r*") || text.front() == '*';
        std::size_t from = 0;
        while (from < text.size()) {
            std::size_t end = text.find_first_of("\r\n", from);
            if (end == std::string_view::npos) end = text.size();
            const std::string_view event = text.substr(from, end - from);
            if (event.size() >= 2 && event[0] == '1')
                if (const auto id = keyIndicator(event[1])) {
                    ++events_;
                    seen.insert(*id);
                    keysSeen_ = static_cast<int>(seen.size());
                    post(StreamChange(StreamChange::Kind::Toggle, *id));
                }
            from = end + 1;
        }
        if (ended) {
            post(StreamChange(
                StreamChange::Kind::Message, 0, 0,
                "You have pressed the same key twice in a row which causes the radio to end "
                "the keypad test."));
            post(StreamChange(StreamChange::Kind::Close));
            return StreamOutcome::Done;
        }
    }
}

StreamOutcome CStreamTestDlg::knob() {
    int last = 0;
    return streamValues(
        HdtCommand::KnobTest, "Rotary Knob test has timed out after two minutes.", "GRP=", 2,
        [this, &last](int n) {
            if (n < 1 || n > 16) return;
            ++events_;
            post(StreamChange(StreamChange::Kind::Toggle, kKnobIndicatorBase + n));
            if (n != last && last > 0)
                post(StreamChange(StreamChange::Kind::Disable, kKnobIndicatorBase + last));
            last = n;
        });
}

StreamOutcome CStreamTestDlg::volume() {
    Drain();
    return streamValues(
        HdtCommand::VolumeTest, "Volume test has timed out after two minutes.", "VOL=", 3,
        [this](int v) {
            ++events_;
            post(StreamChange(StreamChange::Kind::Progress, kVolumeProgress, v));
            post(StreamChange(StreamChange::Kind::Text, kVolumeText, 0, format("Vol=%02d", v / 8)));
        });
}

// The knob and volume tests: start the stream, then hand every "KEY=nn" value to `onValue`
// until Stop, two minutes, six seconds of silence or a lost link end it.
StreamOutcome CStreamTestDlg::streamValues(HdtCommand command, const char* timedOut,
                                           const char* key, std::size_t digits,
                                           const std::function<void(int)>& onValue) {
    Clock& clock = sheet_.env().clock;
    const Millis start = clock.now();
    reply_.clear();
    if (!link_.port().Transact(*formatCommand(command), reply_)) {
        post(StreamChange(StreamChange::Kind::LinkLost));
        return StreamOutcome::NotStarted;
    }
    keepStreamAfterPrompt();
    Millis lastEvent = clock.now();
    const std::string_view keyText = key;
    for (;;) {
        if (ending(start, timedOut)) return StreamOutcome::Done;
        if (!read()) return StreamOutcome::LinkLost;
        // What came after Stop is no longer shown: the test ended when it was pressed.
        if (link_.abortRequested()) continue;
        if (reply_.text().empty()) {
            if (clock.now() - lastEvent >= kSilenceMs) {
                post(StreamChange(StreamChange::Kind::Close));
                return StreamOutcome::Done;
            }
            continue;
        }
        lastEvent = clock.now();
        const std::string joined = joinedEvents(keyText, digits);
        const std::string_view text = joined;
        for (auto at = text.find(keyText); at != std::string_view::npos;
             at = text.find(keyText, at + keyText.size())) {
            if (const auto value = keyedValue(text.substr(at), keyText, digits)) onValue(*value);
        }
    }
}

}  // namespace tw::testtune

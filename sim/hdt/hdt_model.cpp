#include "sim/hdt/hdt_model.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "util/text.h"

namespace tw::sim {
namespace {

// The command line gives model options as "hdt.KEY=VALUE"; both forms are taken.
ModelOptions plainKeys(const ModelOptions& options) {
    ModelOptions out;
    for (const auto& [key, value] : options)
        out[key.rfind("hdt.", 0) == 0 ? key.substr(4) : key] = value;
    return out;
}

std::set<std::string> listOption(const ModelOptions& options, const std::string& key) {
    std::set<std::string> out;
    std::stringstream in(optionText(options, key, ""));
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) out.insert(item);
    return out;
}

std::vector<int> numberList(const ModelOptions& options, const std::string& key,
                            const std::string& fallback) {
    std::vector<int> out;
    std::stringstream in(optionText(options, key, fallback));
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) out.push_back(std::atoi(item.c_str()));
    return out;
}

// Streams that repeat until stopped are cut here (at the default interval, over ten minutes).
constexpr std::size_t kMaxRepeatedEvents = 1200;

long long number(const std::vector<std::string>& words, std::size_t at, long long fallback = 0) {
    if (at >= words.size()) return fallback;
    char* end = nullptr;
    const long long n = std::strtoll(words[at].c_str(), &end, 10);
    return end == words[at].c_str() ? fallback : n;
}

constexpr std::size_t kPaddedReply = 64;  // longer than the PC's 50-byte read
const std::string kPrompt = "\r\n*";
const std::string kNoise = "\x15~#?\x7f%&";
const std::string kStreamText = "VOL=128\r\n";

}  // namespace

HdtModel::HdtModel(const ModelOptions& given) {
    const ModelOptions o = plainKeys(given);
    bandByte_ = static_cast<std::uint8_t>(optionInt(o, "band", 0x30));
    typeByte_ = static_cast<std::uint8_t>(optionInt(o, "type", 0x60));
    const int version = optionInt(o, "version", 0x0205);
    versionMajor_ = static_cast<std::uint8_t>(version >> 8);
    versionMinor_ = static_cast<std::uint8_t>(version);
    battery_ = optionInt(o, "battery", 200);
    delayMs_ = optionInt(o, "delay", 0);
    noPrompt_ = optionInt(o, "noprompt", 0);
    fail_ = listOption(o, "fail");
    garble_ = listOption(o, "garble");
    noReply_ = listOption(o, "noreply");
    noKey_ = optionInt(o, "nokey", 0) != 0;
    longReplies_ = optionInt(o, "long", 0) != 0;
    silenceAfter_ = optionInt(o, "silence", -1);
    streamAfter_ = optionInt(o, "stream", -1);
    keys_ = optionText(o, "keys", "123456789");
    knob_ = numberList(o, "knob", "1,2,3,4");
    volume_ = numberList(o, "volume", "0,128,255");
    rssi_ = numberList(o, "rssi", "50");
    intervalMs_ = std::max(1, optionInt(o, "interval", 500));
    eepromMs_ = optionInt(o, "eeprom", 12000);
    lcdMs_ = optionInt(o, "lcd", 30000);
}

void HdtModel::streamEvents(const std::vector<std::string>& events, Millis now) {
    events_ = true;
    Millis at = delayMs_;
    for (const auto& e : events) {
        at += intervalMs_;
        send(e, now, at);
    }
}

void HdtModel::endEvents(Millis now) {
    events_ = false;
    auto& out = output();
    std::erase_if(out, [now](const Pending& p) { return p.readyAt > now; });
}

void HdtModel::onOpen(Millis now) {
    line_.clear();
    if (streaming_ || streamAfter_ == 0) startStream(now);
}

void HdtModel::onByte(std::uint8_t byte, Millis now) {
    if (streaming_) return;
    if (byte == '\r') {
        takeLine(now);
    } else if (byte != '\n' && byte != '\0' && line_.size() < 200) {
        line_ += static_cast<char>(byte);
    }
}

bool HdtModel::listed(const std::set<std::string>& list, const std::string& command,
                      const std::string& line) const {
    return list.count("all") != 0 || list.count(command) != 0 || list.count(line) != 0;
}

void HdtModel::takeLine(Millis now) {
    const std::string text = line_;
    line_.clear();
    lines_.push_back({now, text});
    if (silenceAfter_ >= 0 && static_cast<int>(lines_.size()) > silenceAfter_) return;

    if (text.empty()) {
        // A lone carriage return ends a streaming test.
        if (events_) endEvents(now);
        if (++probes_ > noPrompt_) send(kPrompt, now, delayMs_);
    } else {
        std::vector<std::string> words;
        std::istringstream in(text);
        for (std::string w; in >> w;) words.push_back(w);
        ++commands_;
        if (words.empty()) {
            reply("FAIL", "", "", now);
        } else {
            const bool isCmd = words[0] == "cmd" && words.size() > 1;
            const std::string command = isCmd ? words[1] : words[0];
            // The line's own key: its words after "cmd", joined by dots.
            std::string line;
            for (std::size_t i = isCmd ? 1 : 0; i < words.size(); ++i)
                line += (line.empty() ? "" : ".") + words[i];
            if (!listed(noReply_, command, line)) {
                const bool failed = listed(fail_, command, line);
                reply(failed ? "FAIL" : answer(words), command, line, now);
                if (!failed && state_.testMode) startEvents(words, now);
            }
        }
    }
    if (streamAfter_ > 0 && static_cast<int>(lines_.size()) == streamAfter_) startStream(now);
}

void HdtModel::reply(std::string text, const std::string& command, const std::string& line,
                     Millis now) {
    if (listed(garble_, command, line)) text = kNoise;
    if (longReplies_ && text.size() + kPrompt.size() < kPaddedReply)
        text.append(kPaddedReply - text.size() - kPrompt.size(), ' ');
    // The self-tests answer when they are done.
    const Millis extra = command == "27" ? eepromMs_ : command == "28" ? lcdMs_ : 0;
    send(text + kPrompt, now, delayMs_ + extra);
}

void HdtModel::startEvents(const std::vector<std::string>& words, Millis now) {
    if (words.size() < 2 || words[0] != "cmd") return;
    std::vector<std::string> events;
    if (words[1] == "20") {
        char last = 0;
        for (const char k : keys_) {
            // The radio ends the keypad test on a repeated key.
            if (k == last) {
                events.push_back("\n\r*");
                break;
            }
            events.push_back(std::string("1") + k + "\r\n");
            last = k;
        }
    } else if (words[1] == "22") {
        for (const int n : knob_) events.push_back(format("GRP=%02d\r\n", n));
    } else if (words[1] == "23") {
        for (const int v : volume_) events.push_back(format("VOL=%03d\r\n", v));
    } else if (words[1] == "2" && !rssi_.empty()) {
        for (std::size_t i = 0; i < kMaxRepeatedEvents; ++i)
            events.push_back(format("RSSI=%03d\r\n", rssi_[i % rssi_.size()]));
    } else {
        return;
    }
    streamEvents(events, now);
}

std::string HdtModel::memoryRead(const std::vector<std::string>& words) {
    auto byteAt = [this](const std::string& address) -> int {
        if (address == "2005") return versionMajor_;
        if (address == "2006") return versionMinor_;
        if (address == "20:0E") return bandByte_;
        if (address == "20:37") return typeByte_;
        return -1;
    };
    if (words.size() != 3) return "FAIL";
    std::string out = words[1] + ":";
    std::vector<std::string> addresses{words[1]};
    if (words[2] != words[1]) addresses.push_back(words[2]);
    for (const auto& a : addresses) {
        const int b = byteAt(a);
        if (b < 0) return "FAIL";
        out += format(" %02X", b);
    }
    if (noKey_) std::erase(out, ':');
    return out;
}

std::string HdtModel::answer(const std::vector<std::string>& words) {
    if (words[0] == "db") return memoryRead(words);
    if (words[0] != "cmd" || words.size() < 2) return "FAIL";
    const long long n = number(words, 1, -1);
    const long long a = number(words, 2);
    State& s = state_;
    if (n == 0) {
        s.testMode = true;
        return "Test Mode";
    }
    if (!s.testMode) return "FAIL";
    const std::string pass = "PASS";
    switch (n) {
        case 1:
            return format(noKey_ ? "BATT %03d" : "BATT=%03d\r\nPASS", battery_);
        case 3:
            s.narrowBand = a == 1;
            return pass;
        case 7:
            s.speakerOn = a == 1;
            if (s.speakerOn) s.volume = static_cast<int>(number(words, 3, s.volume));
            return pass;
        case 9:
            if (words.size() > 2) s.referenceDac += a == 1 ? 1 : -1;
            return format(noKey_ ? "DAC = %03d" : "PASS = %03d", s.referenceDac);
        case 29:
            s.saved = {s.referenceDac, s.powerDac, s.squelch, s.toneDeviation, s.saved.saves + 1};
            return pass;
        case 50:
            s.rxHz = a;
            return pass;
        case 52:
            if (a == 1) s.squelch = static_cast<int>(number(words, 3));
            return pass;
        case 54:
            s.muted = a == 1;
            return pass;
        case 57:
            s.receiverOn = true;
            return pass;
        case 70:
            s.txHz = a;
            return pass;
        case 71:
            s.powerPoint = words.size() == 5 ? words[2] + " " + words[3] + " " + words[4] : "";
            return pass;
        case 72:
            s.toneDeviation = static_cast<int>(number(words, 3));
            return pass;
        case 74:
            s.keyed = a == 1;
            return pass;
        case 81:
            s.powerDac += a == 1 ? 1 : -1;
            return pass;
        case 85:
            s.controlLoopOpen = a == 0;
            return pass;
        case 2:
        case 5:
        case 20:
        case 22:
        case 23:
        case 24:
        case 25:
        case 27:
        case 28:
        case 73:
        case 82:
        case 83:
        case 84:
        case 86:
            return pass;
        default:
            return "FAIL";
    }
}

void HdtModel::startStream(Millis now) {
    streaming_ = true;
    // Two bytes a millisecond: about what 19200 baud carries.
    for (std::size_t i = 0; i < kStreamBytes; ++i) {
        const auto b = static_cast<std::uint8_t>(kStreamText[i % kStreamText.size()]);
        send(&b, 1, now, static_cast<Millis>(i / 2));
    }
}

}  // namespace tw::sim

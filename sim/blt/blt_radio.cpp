#include "sim/blt/blt_radio.h"

#include <sstream>

#include "config/profile.h"
#include "families/blt/blt_page.h"
#include "families/blt/radio_types.h"
#include "util/file_io.h"
#include "util/text.h"
#include "view/env.h"

namespace tw::sim {

namespace {

using blt::ECommand;

// Plausible tracking words: frequencies where the layouts keep them, small values elsewhere.
void defaultTracking(BltRadio& r) {
    for (std::size_t i = 0; i < r.tracking.size(); ++i)
        r.tracking[i] = static_cast<std::uint32_t>((i * 37 + 11) % 240 + 8);
    r.tracking[0] = r.tracking[1] = 450000;
    r.tracking[2] = r.tracking[3] = 470000;
    for (std::size_t p = 0; p < 7; ++p)
        r.tracking[blt::arrayStart(2) + p] = static_cast<std::uint32_t>(450000 + 4000 * p);
}

void defaultFeatures(BltRadio& r) {
    r.featureWords = {1, 0, 0, blt::kFeatureRecordSize};
    for (std::size_t i = 0; i < blt::kFeatureRecordSize; ++i)
        r.features[i] = static_cast<std::uint8_t>(i * 9 + 1);
}

std::string statusText(const std::string& kind, const BltRadio& r) {
    const std::string type = blt::RadioTypeName(r.type);
    if (kind == "empty-lines")
        return "Radio Type: " + type + "\r\n\r\nSoftware Version: R05.01\r\n\r\n";
    std::string text = "Radio Type: " + type + "\r\nSoftware Version: R05.01\r\n" +
                       format("Hardware Level: %d", r.hardwareLevel);
    return kind == "no-final-crlf" ? text : text + "\r\n";
}

bool parseInt(const std::string& text, int& out) {
    std::istringstream in(text);
    return static_cast<bool>(in >> out) && in.eof();
}

class BltBackend : public blt::RadioBackend {
  public:
    BltBackend(Env& env, BltRadio& radio) : env_(env), r_(radio) {}

    int open(blt::RadioData& held, int port) override {
        r_.calls.push_back(held.boardMode == 1 ? "board-open" : "open");
        r_.openedPorts.push_back(port);
        if (held.boardMode == 1) {
            if (r_.boardOpenFailures > 0) {
                --r_.boardOpenFailures;
                return 0;
            }
            connected_ = board_ = true;
            return 1;
        }
        if (r_.openResult == -1) {
            env_.ui.detail("The simulated radio's port did not open.");
            return -1;
        }
        connected_ = true;
        if (r_.needsRecovery && !r_.recovered) return 0;
        return r_.openResult;
    }

    int command(ECommand c, blt::RadioData& held, const std::string& path) override {
        const int n = static_cast<int>(c);
        r_.calls.push_back(std::to_string(n));
        if (!connected_ || r_.failing.count(n)) return 0;
        switch (c) {
            case ECommand::ReadStatus:
                if (r_.needsRecovery && !r_.recovered) return 0;
                readInto(held);
                return 1;
            case ECommand::WriteTrackingToRadio:
                r_.tracking = held.trackingArrays;
                r_.trackingVersion = held.trackingVersion;
                r_.trackingFormat = held.trackingFormat;
                return 1;
            case ECommand::WriteFeaturesToRadio:
                r_.features = held.featureBlock;
                r_.featureWords = held.featureWords;
                return 1;
            case ECommand::Jump:
                ++r_.jumps;
                return 1;
            case ECommand::CodeFileName:
                held.codeFileName = r_.codeName;
                return 1;
            case ECommand::ReadRadioCode:
                return readBack(r_.code, path);
            case ECommand::ReadAdiFile:
                return readBack(r_.adi, path);
            case ECommand::ReadDspFile:
                return readBack(r_.dsp, path);
            case ECommand::FlashDesktopBoard:
                return flashBoard(held, path);
            case ECommand::RadioRecovery:
                r_.recovered = true;
                return 1;
            default:
                return 0;
        }
    }

    int fillStatus(const blt::RadioData&, blt::RadioStatus& status) override {
        r_.calls.push_back("fill");
        if (!connected_ || r_.statusRecordFails) return 0;
        status.radioType = r_.type;
        status.hardwareLevel = r_.hardwareLevel;
        status.memorySizeCode = r_.memoryCode;
        return 1;
    }

    int calcHardwareLevel(blt::RadioData& held) override {
        r_.calls.push_back("hw");
        held.hardwareLevel = r_.hardwareLevel;
        return held.hardwareLevel;
    }

    void serialClose() override {
        r_.calls.push_back("serial-close");
        connected_ = false;
    }
    void closeRadio() override {
        r_.calls.push_back("close");
        connected_ = false;
    }
    bool isConnected() const override { return connected_; }

  private:
    // The radio hands its memory over in pieces; the library counts them as they come.
    static constexpr std::size_t kPiece = 4096;
    void moving(std::size_t total) {
        const auto all = static_cast<long>(total);
        for (long done = 0; done < all; done += static_cast<long>(kPiece))
            env_.ui.progress(done, all);
    }
    // The last count comes only once the whole of it has arrived where it goes.
    int moved(std::size_t total, bool ok) {
        if (ok) env_.ui.progress(static_cast<long>(total), static_cast<long>(total));
        return ok ? 1 : 0;
    }

    int readBack(const std::vector<std::uint8_t>& memory, const std::string& path) {
        moving(memory.size());
        return moved(memory.size(), saveFileAtomically(path, memory));
    }

    void readInto(blt::RadioData& held) const {
        held.radioTypeCode = r_.type;
        held.memorySizeCode = r_.memoryCode;
        held.serialNumber = r_.serial;
        held.trackingArrays = r_.tracking;
        held.trackingVersion = r_.trackingVersion;
        held.trackingFormat = r_.trackingFormat;
        held.featureBlock = r_.features;
        held.featureWords = r_.featureWords;
        held.statusText = r_.statusText;
        held.adiDspFileName = r_.adiDspName;
        held.dspSelect = r_.dspSelect;
        held.statusFresh = 1;
    }

    int flashBoard(const blt::RadioData& held, const std::string& path) {
        // The board takes code only in flash mode at level 2, as the page sets it.
        if (!board_ || held.flashMode != 0 || held.hardwareLevel != 2) return 0;
        if (r_.boardWriteFailures > 0) {
            --r_.boardWriteFailures;
            return 0;
        }
        const auto bytes = loadWholeFile(path, 1u << 20);
        if (!bytes || bytes->empty()) return 0;
        moving(bytes->size());
        r_.boardImage = *bytes;
        ++r_.boardFlashes;
        return moved(bytes->size(), true);
    }

    Env& env_;
    BltRadio& r_;
    bool connected_ = false;
    bool board_ = false;
};

}  // namespace

bool configureBltRadio(const ModelOptions& o, BltRadio& r, std::string& why) {
    defaultTracking(r);
    defaultFeatures(r);
    r.code.assign(64, 0);
    for (std::size_t i = 0; i < r.code.size(); ++i) r.code[i] = static_cast<std::uint8_t>(i);
    r.adi.assign({'A', 'D', 'I', 1, 2, 3});
    r.dsp.assign({'D', 'S', 'P', 4, 5, 6});
    auto number = [&](const char* key, int& out, int lo, int hi) {
        const auto it = o.find(key);
        if (it == o.end()) return true;
        int v = 0;
        if (!parseInt(it->second, v) || v < lo || v > hi) {
            why = format("blt option %s: %s", key, it->second.c_str());
            return false;
        }
        out = v;
        return true;
    };
    if (auto it = o.find("type"); it != o.end()) {
        int code = 0;
        if (it->second.size() == 1)
            code = static_cast<unsigned char>(it->second[0]);
        else if (!parseInt(it->second, code) || code < 0 || code > 255) {
            why = "blt option type: " + it->second;
            return false;
        }
        r.type = static_cast<std::uint8_t>(code);
    }
    int memory = r.memoryCode, recover = 0, boardOpen = 0, boardWrite = 0;
    if (!number("memory", memory, -128, 127) || !number("hwlevel", r.hardwareLevel, 0, 100) ||
        !number("version", r.trackingVersion, 1, blt::kMaxTrackingVersion) ||
        !number("format", r.trackingFormat, 0, 1000) || !number("dspselect", r.dspSelect, 0, 1) ||
        !number("open", r.openResult, -1, 100) || !number("recover-first", recover, 0, 1) ||
        !number("board-open-fails", boardOpen, 0, 100) ||
        !number("board-write-fails", boardWrite, 0, 100))
        return false;
    r.memoryCode = static_cast<std::int8_t>(memory);
    r.needsRecovery = recover != 0;
    r.boardOpenFailures = boardOpen;
    r.boardWriteFailures = boardWrite;
    if (auto it = o.find("serial"); it != o.end()) {
        const std::string& s = it->second;
        if (s.size() != 12 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            why = "blt option serial: " + s;
            return false;
        }
        for (std::size_t i = 0; i < 6; ++i)
            r.serial[i] = static_cast<std::uint8_t>(std::stoi(s.substr(2 * i, 2), nullptr, 16));
    }
    if (auto it = o.find("fail"); it != o.end()) {
        std::istringstream in(it->second);
        std::string item;
        while (std::getline(in, item, ',')) {
            int n = 0;
            if (item == "fill")
                r.statusRecordFails = true;
            else if (parseInt(item, n))
                r.failing.insert(n);
            else {
                why = "blt option fail: " + item;
                return false;
            }
        }
    }
    const std::string kind = optionText(o, "status", "normal");
    if (kind != "normal" && kind != "empty-lines" && kind != "no-final-crlf") {
        why = "blt option status: " + kind;
        return false;
    }
    r.statusText = statusText(kind, r);
    return true;
}

std::unique_ptr<blt::RadioBackend> BltBackendFactory::create(Env& env) {
    return std::make_unique<BltBackend>(env, *radio_);
}

bool attachSimulatedBlt(FamilyPage& page, const ModelOptions& options, std::string& why) {
    auto* blt = dynamic_cast<blt::CMaintenanceDlg*>(&page);
    if (!blt) {
        why = "the page is no BLT page";
        return false;
    }
    auto radio = std::make_shared<BltRadio>();
    if (!configureBltRadio(options, *radio, why)) return false;
    blt->setBackendFactory(std::make_shared<BltBackendFactory>(radio));
    return true;
}

}  // namespace tw::sim

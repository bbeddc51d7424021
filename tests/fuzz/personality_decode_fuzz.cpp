// Personality images from anywhere: the decoder must fail cleanly (nothing changed) or
// give a personality that saves to JSON and loads back to the same personality and the
// same text, and that the encoder writes back within the image size, or refuses with a
// message; what the encoder writes must decode again. Checking the directory against the
// bytes at hand never reads past them.
//
// Input: byte 0 picks the radio type ("ABCHJMTUV"), byte 1 is the band code, the rest is
// the image (read up to the radio's image size).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"
#include "plugin/codec/image_bounds.h"
#include "plugin/codec/personality_decoder.h"
#include "plugin/codec/personality_encoder.h"
#include "plugin/store/personality_json.h"
#include "support/property.h"
#include "ui/ui.h"

namespace {

// Counts the boxes; answers Yes to the band question.
class CountingUi : public tw::Ui {
  public:
    int messages = 0;
    void message(const std::string&) override { ++messages; }
    bool askYesNo(const std::string&) override { return true; }
    bool askOkCancel(const std::string&) override { return true; }
    std::optional<std::string> chooseOpenFile(const tw::FileChoice&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const tw::FileChoice&) override {
        return std::nullopt;
    }
    bool runDialog(tw::Dialog&) override { return false; }
    void openStatus() override {}
    void setStatusText(const std::string&) override {}
    void closeStatus() override {}
    void beginBusy() override {}
    void endBusy() override {}
    void beep() override {}
};

void require(bool property) {
    if (!property) __builtin_trap();
}

// What the decoder accepts, `save` and `load` give back unchanged.
void savesAndLoads(const tw::CPersonality& p) {
    const std::string saved = tw::personalityToJson(p);
    tw::CPersonality loaded;
    std::string error;
    TW_PROPERTY(tw::personalityFromJson(saved, loaded, error),
                "load refused a decoded image: " + error);
    TW_PROPERTY(tw::firstDifference(p, loaded).empty(),
                "load gave another personality: " + tw::firstDifference(p, loaded));
    TW_PROPERTY(tw::personalityToJson(loaded) == saved, "save after load wrote other text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static const char kTypes[] = "ABCHJMTUV";
    tw::hln::RadioIdentity id;
    id.radioId = {static_cast<std::uint8_t>(kTypes[data[0] % 9]), data[1], 5, 0, 0, 0};
    tw::hln::classifyRadioId(id);
    // The image in a buffer of exactly its length, so any read past it is caught.
    const std::vector<std::uint8_t> image(data + 2, data + size);
    (void)tw::checkImageBounds({image.data(), std::min<std::size_t>(image.size(), id.imageSize)},
                               image.size());

    tw::CPersonality host(id.radioId[0], "Host");
    host.PutOption(std::make_unique<tw::CAlarmOpts>());
    const tw::CPersonality before = host;
    const std::string why = tw::decodePersonalityQuietly(image.data(), image.size(), host, id);
    if (!why.empty()) {
        require(tw::firstDifference(before, host).empty());
        return 0;
    }
    require(host.GetOption<tw::CAlarmOpts>() != nullptr);
    savesAndLoads(host);

    tw::hln::PersonalityImage out;
    out.buffer.assign(id.imageSize + 32u, 0);
    for (std::size_t i = id.imageSize; i < out.buffer.size(); ++i) out.buffer[i] = 0xEE;
    CountingUi ui;
    const int result = tw::encodePersonality(out, host, tw::EncodeRequest{}, id, ui);
    for (std::size_t i = id.imageSize; i < out.buffer.size(); ++i) require(out.buffer[i] == 0xEE);
    require(result == tw::kEncodeDone || result == tw::kEncodeRefused);
    if (result == tw::kEncodeRefused) {
        require(ui.messages > 0);
        return 0;
    }
    require(out.endOfData <= id.imageSize);
    tw::CPersonality again(id.radioId[0], "Again");
    require(tw::decodePersonalityQuietly(out.buffer.data(), id.imageSize, again, id).empty());
    return 0;
}

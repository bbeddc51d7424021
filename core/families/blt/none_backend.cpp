#include "families/blt/radio_backend.h"
#include "view/env.h"

namespace tw::blt {

namespace {

class NoBackend : public RadioBackend {
  public:
    explicit NoBackend(Env& env) : env_(env) {}
    int open(RadioData&, int) override {
        env_.ui.detail(
            "No radio-connection library is available for BLT-family radios in this build; "
            "files, editing and the report work on the data held.");
        return -1;
    }
    int command(ECommand, RadioData&, const std::string&) override { return 0; }
    int fillStatus(const RadioData&, RadioStatus&) override { return 0; }
    int calcHardwareLevel(RadioData& held) override { return held.hardwareLevel; }
    void serialClose() override {}
    void closeRadio() override {}
    bool isConnected() const override { return false; }

  private:
    Env& env_;
};

class NoBackendFactory : public RadioBackendFactory {
  public:
    std::unique_ptr<RadioBackend> create(Env& env) override {
        return std::make_unique<NoBackend>(env);
    }
};

}  // namespace

std::shared_ptr<RadioBackendFactory> noRadioBackend() {
    return std::make_shared<NoBackendFactory>();
}

}  // namespace tw::blt

#include "hln_fixture.h"

namespace tw {
namespace {

class RefusingDevice : public Device {
  public:
    RefusingDevice(std::unique_ptr<Device> inner, RefusingFactory& owner)
        : inner_(std::move(inner)), owner_(owner) {}
    bool write(const std::uint8_t* data, std::size_t count) override {
        if (owner_.refuseAfter >= 0 && owner_.accepted >= owner_.refuseAfter) {
            ++owner_.refusedAttempts;
            return false;
        }
        owner_.accepted += static_cast<long>(count);
        return inner_->write(data, count);
    }
    std::size_t read(std::uint8_t* b, std::size_t max, Millis wait) override {
        return inner_->read(b, max, wait);
    }
    bool sendBreak(int ms) override { return inner_->sendBreak(ms); }
    bool setDtr(bool on) override { return inner_->setDtr(on); }
    bool setRts(bool on) override { return inner_->setRts(on); }

  private:
    std::unique_ptr<Device> inner_;
    RefusingFactory& owner_;
};

std::string uniqueDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("tw_hln_") + info->test_suite_name() + "_" + info->name();
}

}  // namespace

OpenResult RefusingFactory::open(const std::string& path, int baud) {
    OpenResult r = inner_.open(path, baud);
    if (auto* dev = std::get_if<std::unique_ptr<Device>>(&r))
        return std::unique_ptr<Device>(new RefusingDevice(std::move(*dev), *this));
    return r;
}

HlnTest::HlnTest()
    : dir_(std::filesystem::temp_directory_path() / uniqueDir()),
      profile_((dir_ / "novac4.ini").string()) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    radio({});
}

HlnTest::~HlnTest() {
    std::filesystem::remove_all(dir_);
}

void HlnTest::radio(const sim::ModelOptions& options) {
    link_.reset();
    env_.reset();
    serial_.reset();
    auto model = std::make_unique<TimedHlnRadio>(options);
    model_ = model.get();
    factory_ = std::make_unique<sim::SimDeviceFactory>(std::move(model), clock_);
    refusing_ = std::make_unique<RefusingFactory>(*factory_);
    serial_ = std::make_unique<SerialLink>(profile_, *refusing_, clock_, ui_);
    serial_->ports().setRunDevice("sim");
    app_.currentPort = 1;
    env_ = std::make_unique<Env>(Env{ui_, clock_, profile_, *serial_, app_});
    link_ = std::make_unique<HlnLink>(*serial_, ui_);
}

std::string HlnTest::sentText() const {
    const auto& r = model_->received();
    return std::string(r.begin(), r.end());
}

}  // namespace tw

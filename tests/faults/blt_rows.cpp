// BLT page (tab 2): the connect and the operations built on it. BLT radios are reached through
// the connection object, not the serial line, so the line's faults are carried over to the
// simulated radio behind it: a silent line is a radio that does not come ready, a wrong
// answer a status read that fails. No bytes pass, so there are no positions to sample.
#include "families/blt/blt_messages.h"
#include "families/blt/blt_page.h"
#include "fault_matrix.h"
#include "sim/blt/blt_radio.h"

namespace tw::faults {
namespace {

using namespace blt::messages;

class FaultedBackend : public blt::RadioBackend {
  public:
    FaultedBackend(std::unique_ptr<blt::RadioBackend> inner, const sim::Faults& faults)
        : inner_(std::move(inner)), faults_(faults) {}
    int open(blt::RadioData& held, int port) override {
        const int r = inner_->open(held, port);
        return faults_.silent ? 0 : r;
    }
    int command(blt::ECommand c, blt::RadioData& held, const std::string& path) override {
        if (faults_.wrongAnswer && c == blt::ECommand::ReadStatus) return 0;
        return inner_->command(c, held, path);
    }
    int fillStatus(const blt::RadioData& held, blt::RadioStatus& s) override {
        return inner_->fillStatus(held, s);
    }
    int calcHardwareLevel(blt::RadioData& held) override { return inner_->calcHardwareLevel(held); }
    void serialClose() override { inner_->serialClose(); }
    void closeRadio() override { inner_->closeRadio(); }
    bool isConnected() const override { return inner_->isConnected(); }

  private:
    std::unique_ptr<blt::RadioBackend> inner_;
    const sim::Faults& faults_;
};

class FaultedFactory : public blt::RadioBackendFactory {
  public:
    explicit FaultedFactory(const sim::Faults& faults) : faults_(faults) {
        std::string why;
        sim::configureBltRadio({}, *radio_, why);
    }
    std::unique_ptr<blt::RadioBackend> create(Env& env) override {
        return std::make_unique<FaultedBackend>(inner_.create(env), faults_);
    }

  private:
    std::shared_ptr<sim::BltRadio> radio_ = std::make_shared<sim::BltRadio>();
    sim::BltBackendFactory inner_{radio_};
    const sim::Faults& faults_;
};

blt::CMaintenanceDlg& bltPage(PageBench& bench) {
    auto& page = static_cast<blt::CMaintenanceDlg&>(bench.page(2));
    page.setBackendFactory(std::make_shared<FaultedFactory>(bench.faults()));
    return page;
}

FaultRow row(const char* name, bool (blt::CMaintenanceDlg::*op)(), std::vector<std::string> success,
             bool readFirst, RadioWork work = RadioWork::Read) {
    FaultRow r;
    r.name = name;
    r.family = "loopback";
    r.tab = 2;
    r.prepare = [readFirst](PageBench& bench) {
        auto& page = bltPage(bench);
        if (readFirst) page.ReadTrackingFromRadio();
        bench.ui.clear();
    };
    r.run = [op](FamilyPage& p) { return (static_cast<blt::CMaintenanceDlg&>(p).*op)(); };
    r.silent = {kNotInProgramMode};
    r.success = std::move(success);
    r.failures = {kPortInUse, kNotInProgramMode, kWriteTrackingFailed, kWriteFeaturesFailed,
                  kJumpFailed};
    r.history = true;
    r.beforeWrite = work == RadioWork::Write;
    r.work = work;
    r.boundMs = 1000;
    return r;
}

}  // namespace

TW_FAULT_ROWS(blt) {
    using P = blt::CMaintenanceDlg;
    return {
        row("blt get-status", &P::GetStatus, {}, false),
        row("blt read-tracking", &P::ReadTrackingFromRadio, {kReadTrackingComplete}, false),
        row("blt read-features", &P::ReadFeaturesFromRadio, {kReadFeaturesComplete}, false),
        row("blt write-tracking", &P::WriteTrackingToRadio, {kWriteTrackingComplete}, true,
            RadioWork::Write),
        row("blt write-features", &P::WriteFeaturesToRadio, {kWriteFeaturesComplete}, true,
            RadioWork::Write),
        row("blt jump", &P::Jump, {}, false),
    };
}

}  // namespace tw::faults

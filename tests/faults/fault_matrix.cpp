#include "fault_matrix.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "families/registry.h"
#include "sim/models.h"
#include "sim/sim_device.h"
#include "ui/dialog.h"

namespace tw::faults {
namespace {

std::vector<FaultRow>& rows() {
    static std::vector<FaultRow> all;
    return all;
}

// A line whose open ends are counted, so a run that leaves a port open is caught.
class CountingFactory : public DeviceFactory {
  public:
    explicit CountingFactory(DeviceFactory& inner) : inner_(inner) {}
    OpenResult open(const std::string& path, int baud) override {
        OpenResult r = inner_.open(path, baud);
        if (auto* dev = std::get_if<std::unique_ptr<Device>>(&r))
            return std::unique_ptr<Device>(new Line(std::move(*dev), live_));
        return r;
    }
    int live() const { return live_; }

  private:
    struct Line : Device {
        Line(std::unique_ptr<Device> in, int& live) : inner(std::move(in)), count(live) { ++count; }
        ~Line() override { --count; }
        bool write(const std::uint8_t* d, std::size_t n) override { return inner->write(d, n); }
        std::size_t read(std::uint8_t* b, std::size_t max, Millis wait) override {
            return inner->read(b, max, wait);
        }
        bool sendBreak(int ms) override { return inner->sendBreak(ms); }
        bool setDtr(bool on) override { return inner->setDtr(on); }
        bool setRts(bool on) override { return inner->setRts(on); }
        std::unique_ptr<Device> inner;
        int& count;
    };
    DeviceFactory& inner_;
    int live_ = 0;
};

// Where history copies land: one folder per process, emptied for every bench (setting the
// variable anew for every bench would leak the environment's strings).
const std::filesystem::path& dataFolder() {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() /
                 ("tw_faults_" + std::to_string(::getpid()) + "_data");
        ::setenv("XDG_DATA_HOME", f.c_str(), 1);
        return f;
    }();
    return folder;
}

std::filesystem::path scratchFolder() {
    static std::atomic<int> counter{0};
    return std::filesystem::temp_directory_path() /
           ("tw_faults_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
}

bool contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

std::string quoted(const std::vector<std::string>& list) {
    std::string out = "[";
    for (const auto& m : list) out += (out.size() > 1 ? ", \"" : "\"") + m + "\"";
    return out + "]";
}

std::vector<std::pair<int, std::string>> texts(const FamilyPage& page) {
    std::vector<std::pair<int, std::string>> out;
    for (const auto& c : page.controls().all()) out.emplace_back(c.id, c.text);
    return out;
}

}  // namespace

FaultRowsRegistrar::FaultRowsRegistrar(std::vector<FaultRow> (*make)()) {
    for (auto& r : make()) rows().push_back(std::move(r));
    std::stable_sort(rows().begin(), rows().end(),
                     [](const FaultRow& a, const FaultRow& b) { return a.tab < b.tab; });
}

const std::vector<FaultRow>& faultRows() {
    return rows();
}

struct PageBench::Impl {
    Impl(std::unique_ptr<sim::RadioModel> model, Clock& clock, Ui& ui,
         const std::filesystem::path& folder)
        : profile((folder / "novac4.ini").string()),
          sim(std::move(model), clock),
          counting(sim),
          link(profile, counting, clock, ui) {}
    Profile profile;
    sim::SimDeviceFactory sim;
    CountingFactory counting;
    SerialLink link;
    AppState app;
    std::vector<std::unique_ptr<FamilyPage>> pages;
};

PageBench::PageBench(std::unique_ptr<sim::RadioModel> model) : folder_(scratchFolder()) {
    std::filesystem::create_directories(folder_);
    std::error_code ec;
    std::filesystem::remove_all(dataFolder(), ec);
    impl_ = std::make_unique<Impl>(std::move(model), clock, ui, folder_);
    impl_->profile.writeString("Comm Settings", "Port Number", "1");
    impl_->app.currentPort = 1;
    impl_->link.ports().setRunDevice("simulated");
    env_ = std::make_unique<Env>(Env{ui, clock, impl_->profile, impl_->link, impl_->app});
    impl_->pages = createFamilyPages(*env_);
}

PageBench::~PageBench() {
    impl_->pages.clear();
    env_.reset();
    impl_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
    std::filesystem::remove_all(dataFolder(), ec);
}

FamilyPage& PageBench::page(int tab) {
    return *impl_->pages.at(static_cast<std::size_t>(tab));
}

sim::RadioModel& PageBench::radio() {
    return impl_->sim.model();
}

sim::Faults& PageBench::faults() {
    return impl_->sim.faults();
}

int PageBench::openLines() const {
    return impl_->counting.live();
}

std::vector<std::pair<std::string, std::string>> PageBench::files() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [root, prefix] :
         {std::pair{folder_, std::string()}, std::pair{dataFolder(), std::string("data/")}}) {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (!it->is_regular_file()) continue;
            std::ifstream in(it->path(), std::ios::binary);
            out.emplace_back(prefix + std::filesystem::relative(it->path(), root).string(),
                             std::string(std::istreambuf_iterator<char>(in), {}));
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

void PageBench::chooseRadioType(char letter) {
    ui.onDialog = [letter](Dialog& d) {
        return applyDialogScript(d, DialogScript{{{"type", std::string(1, letter)}}, "OK"});
    };
}

const char* faultName(FaultKind kind) {
    static const char* const names[] = {"clean", "silent", "wrong",  "chatter",
                                        "drop",  "garble", "hangup", "fuzz"};
    const auto i = static_cast<std::size_t>(kind);
    return i < std::size(names) ? names[i] : "?";
}

std::unique_ptr<sim::RadioModel> rowModel(const FaultRow& row) {
    return sim::createModel(row.family, row.model);
}

RunOutcome runRow(const FaultRow& row, std::unique_ptr<sim::RadioModel> model,
                  const std::function<void(sim::Faults&, long offset)>& configure) {
    PageBench bench(std::move(model));
    return runOnBench(row, bench, configure);
}

RunOutcome runOnBench(const FaultRow& row, PageBench& bench,
                      const std::function<void(sim::Faults&, long offset)>& configure) {
    if (row.prepare) row.prepare(bench);
    const long offset = static_cast<long>(bench.radio().sent().size());
    if (configure) configure(bench.faults(), offset);
    FamilyPage& page = bench.page(row.tab);
    const auto filesBefore = bench.files();
    const std::size_t eventsBefore = bench.ui.events().size();

    RunOutcome out;
    out.textsBefore = texts(page);
    const Millis start = bench.clock.now();
    out.result = row.run(page);
    out.elapsedMs = bench.clock.now() - start;
    if (row.verify) out.verified = row.verify(out.result);
    out.textsAfter = texts(page);
    out.openLines = bench.openLines();
    out.statusOpen = bench.ui.statusOpen();
    out.busyDepth = bench.ui.busyDepth();
    out.radioBytes = static_cast<long>(bench.radio().sent().size()) - offset;
    const auto& events = bench.ui.events();
    for (std::size_t i = eventsBefore; i < events.size(); ++i) {
        const auto& e = events[i];
        if (e.kind == "ok" || e.kind == "yesno" || e.kind == "okcancel")
            out.messages.push_back(e.text);
    }
    const auto filesAfter = bench.files();
    std::map<std::string, std::string> before(filesBefore.begin(), filesBefore.end());
    for (const auto& [name, bytes] : filesAfter) {
        auto it = before.find(name);
        if (it == before.end() || it->second != bytes) out.filesChanged.push_back(name);
        if (it != before.end()) before.erase(it);
    }
    for (const auto& [name, bytes] : before) out.filesChanged.push_back(name + " (removed)");
    return out;
}

std::string checkRun(const FaultRow& row, FaultKind kind, const RunOutcome& run,
                     const RunOutcome& clean) {
    const std::string shown = " (messages " + quoted(run.messages) + ")";
    if (run.elapsedMs > row.boundMs)
        return "took " + std::to_string(run.elapsedMs) + " ms, bound " +
               std::to_string(row.boundMs) + " ms" + shown;
    if (run.busyDepth != 0) return "busy cursor not ended" + shown;
    if (run.statusOpen) return "status window left open" + shown;
    if (!run.verified.empty()) return run.verified + shown;

    const auto showsAnyOf = [&](const std::vector<std::string>& list) {
        return std::any_of(run.messages.begin(), run.messages.end(),
                           [&](const std::string& m) { return contains(list, m); });
    };
    const bool failed = !run.result || showsAnyOf(row.failures);
    const bool stillSucceeds = showsAnyOf(row.stillSucceeds);

    const bool linkMayStayOpen = row.leavesLinkOpen && run.result && !failed;
    if (run.openLines != (linkMayStayOpen ? run.openLines : 0)) return "link left open" + shown;
    for (const auto& f : run.filesChanged) {
        const bool historyCopy =
            f.rfind("data/", 0) == 0 && f.find("(removed)") == std::string::npos;
        const bool output = !row.writes.empty() && f == row.writes;
        if (contains(row.dumps, f)) continue;
        // A status read that carried on after one record failed keeps the one it read.
        const bool done = run.result && (!failed || stillSucceeds);
        if (!((historyCopy && row.history) || output) || !done) return "file written: " + f + shown;
    }
    for (std::size_t i = 0; i < run.messages.size(); ++i)
        for (const auto& [first, next] : row.then)
            if (run.messages[i] == first &&
                (i + 1 >= run.messages.size() || run.messages[i + 1] != next))
                return "\"" + first + "\" not followed by \"" + next + "\"" + shown;

    if (kind == FaultKind::Clean) {
        if (failed) return "the clean run failed" + shown;
        if (!row.success.empty() && !showsAnyOf(row.success))
            return "the clean run showed no success message" + shown;
        return {};
    }
    if (kind == FaultKind::Silent) {
        if (run.messages != row.silent)
            return "silent radio: expected " + quoted(row.silent) + shown;
        if (run.result && !stillSucceeds) return "silent radio: reported success" + shown;
    }
    for (const auto& m : run.messages)
        if (!contains(row.failures, m) && !contains(row.notes, m) && !contains(clean.messages, m) &&
            !contains(row.success, m))
            return "unexpected message \"" + m + "\"" + shown;
    if (failed) {
        if (showsAnyOf(row.success)) return "success message after a failure" + shown;
        if (run.result != stillSucceeds)
            return std::string("failed run returned ") + (run.result ? "true" : "false") + shown;
        if (!run.result && row.keepsPage) {
            for (std::size_t i = 0; i < run.textsAfter.size(); ++i) {
                const auto& [id, text] = run.textsAfter[i];
                const bool mayChange = std::find(row.mayChange.begin(), row.mayChange.end(), id) !=
                                       row.mayChange.end();
                if (!mayChange && i < run.textsBefore.size() && run.textsBefore[i].second != text)
                    return "failed run changed control " + std::to_string(id) + " to \"" + text +
                           "\"" + shown;
            }
        }
        return {};
    }
    // A run that did its work is the clean run, message for message.
    std::vector<std::string> expected = clean.messages, got;
    for (const auto& m : run.messages)
        if (!contains(row.notes, m)) got.push_back(m);
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [&](const std::string& m) { return contains(row.notes, m); }),
                   expected.end());
    if (kind != FaultKind::Fuzz && got != expected)
        return "succeeded with messages other than the clean run's" + shown;
    const bool valuesMayDiffer =
        kind == FaultKind::Fuzz ||
        ((kind == FaultKind::Garble || kind == FaultKind::Chatter) && row.uncheckedRead);
    if (!valuesMayDiffer && run.textsAfter != clean.textsAfter)
        return std::string("succeeded under a ") + faultName(kind) + " fault with other values" +
               shown;
    return {};
}

std::vector<long> samplePositions(long count, int wanted) {
    std::set<long> picked;
    if (count <= 0 || wanted <= 0) return {};
    if (wanted == 1 || count == 1) return {0};
    for (int k = 0; k < wanted; ++k)
        picked.insert(static_cast<long>(k) * (count - 1) / (wanted - 1));
    return {picked.begin(), picked.end()};
}

}  // namespace tw::faults

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
#include "history/read_history.h"
#include "sim/models.h"
#include "sim/sim_device.h"
#include "ui/dialog.h"
#include "util/text.h"

namespace tw::faults {
namespace {

std::vector<FaultRow>& rows() {
    static std::vector<FaultRow> all;
    return all;
}

// A line whose open ends are counted, so a run that leaves a port open is caught, and whose
// writes can be watched before they reach the radio.
class CountingFactory : public DeviceFactory {
  public:
    explicit CountingFactory(DeviceFactory& inner) : inner_(inner) {}
    OpenResult open(const std::string& path, int baud) override {
        OpenResult r = inner_.open(path, baud);
        if (auto* dev = std::get_if<std::unique_ptr<Device>>(&r))
            return std::unique_ptr<Device>(new Line(std::move(*dev), live_, beforeWrite));
        return r;
    }
    int live() const { return live_; }
    std::function<void()> beforeWrite;

  private:
    struct Line : Device {
        Line(std::unique_ptr<Device> in, int& live, const std::function<void()>& watch)
            : inner(std::move(in)), count(live), beforeWrite(watch) {
            ++count;
        }
        ~Line() override { --count; }
        bool write(const std::uint8_t* d, std::size_t n) override {
            if (beforeWrite) beforeWrite();
            return inner->write(d, n);
        }
        std::size_t read(std::uint8_t* b, std::size_t max, Millis wait) override {
            return inner->read(b, max, wait);
        }
        bool sendBreak(int ms) override { return inner->sendBreak(ms); }
        bool setDtr(bool on) override { return inner->setDtr(on); }
        bool setRts(bool on) override { return inner->setRts(on); }
        std::unique_ptr<Device> inner;
        int& count;
        const std::function<void()>& beforeWrite;
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

template <typename T>
bool contains(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::string quoted(const std::vector<std::string>& list) {
    std::string out = "[";
    for (const auto& m : list) out += (out.size() > 1 ? ", \"" : "\"") + m + "\"";
    return out + "]";
}

std::string hexBytes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) out += (out.empty() ? "" : " ") + format("%02X", c);
    return out;
}

// Where a history copy lies and what kind of record it holds; its name is the time it was made.
std::string historyKind(const std::string& file) {
    const std::filesystem::path p(file);
    return (p.parent_path() / p.extension()).string();
}

// A run with a cancel pressed, after the properties every run shares held.
std::string checkCancelled(const FaultRow& row, const RunOutcome& run, const RunOutcome& clean) {
    const std::string shown = " (messages " + quoted(run.messages) + ")";
    if (!run.cancelled) {
        // The operation was done before the cancel took effect: nothing may tell.
        if (run.messages != clean.messages)
            return "uncancelled run differs from the clean run" + shown;
        if (run.result != clean.result || run.textsAfter != clean.textsAfter)
            return "uncancelled run ended otherwise than the clean run" + shown;
        return {};
    }
    if (run.result) return "cancelled run returned true" + shown;
    const std::string notice = cancelNotice(row.work);
    if (run.messages.empty() || run.messages.back() != notice)
        return "cancelled run did not end with \"" + notice + "\"" + shown;
    // Up to the cancel the run was the clean run; after it the flow's own messages are kept
    // from the technician.
    const std::size_t before = run.messages.size() - 1;
    if (before > clean.messages.size() ||
        !std::equal(run.messages.begin(), run.messages.begin() + static_cast<long>(before),
                    clean.messages.begin()))
        return "cancelled run showed messages the clean run did not" + shown;
    for (const auto& m : run.messages)
        if (contains(row.success, m)) return "success message in a cancelled run" + shown;
    if (run.cutCommand) return "command cut from its data" + shown;
    // The finishing step is due for a service state this run put the radio in.
    const bool due = run.serviceAtCancel && !run.serviceBefore;
    if (due && run.afterCancel.empty())
        return "no finishing step for the radio's service state" + shown;
    if (!due && !run.afterCancel.empty())
        return "sent after the cancel: " + hexBytes(run.afterCancel) + shown;
    if (run.serviceAfter && !run.serviceBefore)
        return "radio left in its service state after " + hexBytes(run.afterCancel) + shown;
    // What was read whole before the cancel took effect may stay on the page; nothing else.
    if (!row.keepsPage) return {};
    for (std::size_t i = 0; i < run.textsAfter.size() && i < run.textsBefore.size(); ++i) {
        const auto& [id, text] = run.textsAfter[i];
        if (contains(row.mayChange, id) || text == run.textsBefore[i].second ||
            (i < clean.textsAfter.size() && text == clean.textsAfter[i].second))
            continue;
        return "cancelled run changed control " + std::to_string(id) + " to \"" + text + "\"" +
               shown;
    }
    return {};
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
          link(profile, counting, clock, ui),
          cancellable(ui, link) {
        // Once a cancel has taken effect, only the finishing step writes: the radio's state
        // before its first byte is where the operation left it.
        counting.beforeWrite = [this] {
            if (!link.cancelled() || moment.received >= 0) return;
            const sim::RadioModel& radio = sim.model();
            moment = {static_cast<long>(radio.received().size()), radio.midCommand(),
                      radio.inServiceState()};
        };
    }
    Profile profile;
    sim::SimDeviceFactory sim;
    CountingFactory counting;
    SerialLink link;
    CancellableUi cancellable;
    CancelMoment moment;
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
    impl_->sim.faults().cancel = [this] { cancel.request(); };
    env_ = std::make_unique<Env>(
        Env{impl_->cancellable, clock, impl_->profile, impl_->link, impl_->app});
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

const CancelMoment& PageBench::cancelMoment() const {
    return impl_->moment;
}

void PageBench::forgetCancelMoment() {
    impl_->moment = {};
}

void PageBench::chooseRadioType(char letter) {
    ui.onDialog = [letter](Dialog& d) {
        return applyDialogScript(d, DialogScript{{{"type", std::string(1, letter)}}, "OK"});
    };
}

const char* faultName(FaultKind kind) {
    static const char* const names[] = {"clean",  "silent", "wrong",  "chatter", "drop",
                                        "garble", "hangup", "cancel", "fuzz"};
    const auto i = static_cast<std::size_t>(kind);
    return i < std::size(names) ? names[i] : "?";
}

std::unique_ptr<sim::RadioModel> rowModel(const FaultRow& row) {
    return sim::createModel(row.family, row.model);
}

RunOutcome runRow(const FaultRow& row, std::unique_ptr<sim::RadioModel> model,
                  const Configure& configure) {
    PageBench bench(std::move(model));
    return runOnBench(row, bench, configure);
}

RunOutcome runOnBench(const FaultRow& row, PageBench& bench, const Configure& configure) {
    if (row.prepare) row.prepare(bench);
    sim::RadioModel& radio = bench.radio();
    const TrafficOffset offset{static_cast<long>(radio.sent().size()),
                               static_cast<long>(radio.received().size())};
    if (configure) configure(bench.faults(), offset);
    const bool cancelling = bench.faults().cancelAt >= 0 || bench.faults().cancelAtReceived >= 0;
    FamilyPage& page = bench.page(row.tab);
    const auto filesBefore = bench.files();
    const std::size_t eventsBefore = bench.ui.events().size();

    RunOutcome out;
    out.textsBefore = texts(page);
    out.serviceBefore = radio.inServiceState();
    bench.forgetCancelMoment();
    const Millis start = bench.clock.now();
    if (cancelling) {
        const OperationOutcome done = runRadioOperation(bench.env().link, bench.cancel, bench.ui,
                                                        row.work, [&] { return row.run(page); });
        out.result = done.ok;
        out.cancelled = done.cancelled;
    } else {
        out.result = row.run(page);
    }
    out.elapsedMs = bench.clock.now() - start;
    if (row.verify) out.verified = row.verify(out.result);
    out.textsAfter = texts(page);
    out.openLines = bench.openLines();
    out.statusOpen = bench.ui.statusOpen();
    out.busyDepth = bench.ui.busyDepth();
    out.radioBytes = static_cast<long>(radio.sent().size()) - offset.radio;
    out.pcBytes = static_cast<long>(radio.received().size()) - offset.pc;
    out.serviceAfter = radio.inServiceState();
    if (out.cancelled) {
        const CancelMoment& moment = bench.cancelMoment();
        out.cutCommand = moment.received >= 0 ? moment.midCommand : radio.midCommand();
        out.serviceAtCancel = moment.received >= 0 ? moment.inServiceState : out.serviceAfter;
        if (moment.received >= 0)
            out.afterCancel.assign(radio.received().begin() + moment.received,
                                   radio.received().end());
    }
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
        if (it == before.end() || it->second != bytes) {
            out.filesChanged.push_back(name);
            if (name.rfind("data/", 0) == 0) out.historyCopies[historyKind(name)] = bytes;
        }
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
        if (row.beforeWrite && historyCopy && f.find("-before-write.") != std::string::npos)
            continue;
        // A status read that carried on after one record failed keeps the one it read.
        const bool done = run.result && (!failed || stillSucceeds);
        // A cancel may come after a record was read whole: its copy is the clean run's.
        const auto copy = run.historyCopies.find(historyKind(f));
        const auto cleanCopy = clean.historyCopies.find(historyKind(f));
        const bool wholeRecord =
            run.cancelled && historyCopy && row.history && copy != run.historyCopies.end() &&
            cleanCopy != clean.historyCopies.end() && copy->second == cleanCopy->second;
        if (wholeRecord) continue;
        if (!((historyCopy && row.history) || output) || !done) return "file written: " + f + shown;
    }
    for (std::size_t i = 0; i < run.messages.size(); ++i)
        for (const auto& [first, next] : row.then)
            if (run.messages[i] == first &&
                (i + 1 >= run.messages.size() || run.messages[i + 1] != next))
                return "\"" + first + "\" not followed by \"" + next + "\"" + shown;

    if (kind == FaultKind::Cancel) return checkCancelled(row, run, clean);
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
    const std::string noCopy =
        std::string(history_text::kNotRead) + history_text::kWriteWithoutCopy;
    for (const auto& m : run.messages)
        if (!contains(row.failures, m) && !contains(row.notes, m) && !contains(clean.messages, m) &&
            !contains(row.success, m) && !(row.beforeWrite && m == noCopy))
            return "unexpected message \"" + m + "\"" + shown;
    if (failed) {
        if (showsAnyOf(row.success)) return "success message after a failure" + shown;
        if (run.result != stillSucceeds)
            return std::string("failed run returned ") + (run.result ? "true" : "false") + shown;
        if (!run.result && row.keepsPage) {
            for (std::size_t i = 0; i < run.textsAfter.size(); ++i) {
                const auto& [id, text] = run.textsAfter[i];
                if (!contains(row.mayChange, id) && i < run.textsBefore.size() &&
                    run.textsBefore[i].second != text)
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

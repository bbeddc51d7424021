// The plug-in as a host sees it: loaded with dlopen, called through its exports only.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "personality_fixtures.h"
#include "plugin/store/personality.h"
#include "tunewright_plugin.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

struct Plugin {
    Plugin() : handle(dlopen(TW_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Plugin() {
        if (handle) dlclose(handle);
    }
    template <class F>
    F* get(const char* name) const {
        return reinterpret_cast<F*>(dlsym(handle, name));
    }
    void* handle;
};

const Plugin& plugin() {
    static Plugin p;
    return p;
}

template <class F>
F* fn(const char* name) {
    F* f = plugin().get<F>(name);
    EXPECT_NE(f, nullptr) << name;
    return f;
}

struct Titles {
    std::vector<std::string> texts;
    std::vector<std::uint32_t> data;
    TwListBox box() {
        return {TW_HOST_OBJECT_VERSION, this,
                [](void* c, const char* t) {
                    auto* self = static_cast<Titles*>(c);
                    self->texts.emplace_back(t);
                    self->data.push_back(0);
                    return static_cast<int>(self->texts.size() - 1);
                },
                [](void* c, int i, std::uint32_t d) {
                    static_cast<Titles*>(c)->data.at(static_cast<std::size_t>(i)) = d;
                }};
    }
};

// What the dynamic symbol table offers a host: the ten exports and our two, nothing else
// (the version script hides the rest, store and core included).
TEST(PluginExports, DynamicSymbolTableHoldsTheTwelveExportsOnly) {
    std::FILE* nm = popen("nm -D --defined-only --format=just-symbols " TW_PLUGIN_PATH, "r");
    ASSERT_NE(nm, nullptr);
    std::vector<std::string> names;
    char line[256];
    while (std::fgets(line, sizeof line, nm)) names.emplace_back(line, std::strcspn(line, "\n"));
    ASSERT_EQ(pclose(nm), 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"AddDlgs", "AddTabs", "GetControlTrap", "GetRange",
                                               "InitControl", "IsTransForID", "ReadPers",
                                               "TwLastOutcome", "TwSetHost", "ValidateConvChannel",
                                               "ValidateField", "WritePers"}));
}

std::vector<std::string> pageTitles(unsigned tab) {
    Titles t;
    TwListBox box = t.box();
    EXPECT_EQ(fn<decltype(AddDlgs)>("AddDlgs")(tab, &box), 1);
    return t.texts;
}

TEST(PluginExports, TabsAndPagesFollowTheStoredRadioType) {
    ASSERT_NE(plugin().handle, nullptr) << dlerror();
    std::vector<std::uint32_t> tabs;
    TwDwordArray array{
        TW_HOST_OBJECT_VERSION, &tabs,
        [](void* c, unsigned n) { static_cast<std::vector<std::uint32_t>*>(c)->resize(n); },
        [](void* c, unsigned i, std::uint32_t v) {
            static_cast<std::vector<std::uint32_t>*>(c)->at(i) = v;
        }};
    EXPECT_EQ(fn<decltype(AddTabs)>("AddTabs")(&array), 1);
    EXPECT_EQ(tabs, (std::vector<std::uint32_t>{260, 264, 265}));

    auto isTrans = fn<decltype(IsTransForID)>("IsTransForID");
    auto trap = fn<decltype(GetControlTrap)>("GetControlTrap");
    struct Step {
        char letter;
        int accepted;
        std::size_t pages;
        std::uint32_t trap414;
    } steps[] = {{'C', 1, 26, 0},          {'K', 0, 26, 0}, {'M', 1, 24, 0x20000000},
                 {'X', 0, 24, 0x20000000}, {'B', 1, 24, 0}, {'R', 1, 24, 0}};
    for (const Step& s : steps) {
        EXPECT_EQ(isTrans(static_cast<std::uint16_t>(s.letter)), s.accepted) << s.letter;
        EXPECT_EQ(pageTitles(260).size(), s.pages) << s.letter;
        EXPECT_EQ(trap(107, 414), s.trap414) << s.letter;
        EXPECT_EQ(trap(107, 421), 0x20000000u) << s.letter;
    }
    isTrans('C');
    const auto titles = pageTitles(260);
    EXPECT_EQ(titles.at(1), "External IO Options ");
    EXPECT_EQ(titles.at(15), "RCI Keypad Options");
    EXPECT_EQ(pageTitles(264),
              (std::vector<std::string>{"Special Call ", " Group Sets", "Trunked Frequency Set",
                                        "Conventional Frequency Set", "TELPAGE Special Call "}));
    EXPECT_EQ(pageTitles(265), std::vector<std::string>{"System "});
    EXPECT_TRUE(pageTitles(261).empty());
}

TEST(PluginExports, TrapMasks) {
    auto trap = fn<decltype(GetControlTrap)>("GetControlTrap");
    const struct {
        int dialog, control;
        std::uint32_t mask;
    } rows[] = {{205, 2143, 1},          {192, 1975, 1},          {226, 1887, 5},
                {179, 1690, 5},          {177, 505, 0x20000000},  {177, 574, 0x20000000},
                {177, 513, 0},           {107, 1860, 0x20000000}, {107, 1864, 0},
                {203, 1886, 0x20000000}, {106, 1866, 0},          {232, 1867, 0},
                {231, 1867, 1},          {194, 9999, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(trap(r.dialog, r.control), r.mask) << r.dialog << "/" << r.control;
}

TEST(PluginExports, GetRangeWritesOnlyAKnownRange) {
    auto range = fn<decltype(GetRange)>("GetRange");
    double lo = -7, hi = -7, inc = -7;
    EXPECT_EQ(range(194, 1078, &lo, &hi, &inc), 0);
    EXPECT_EQ(range(194, 1077, nullptr, &hi, &inc), 0);
    EXPECT_EQ(lo + hi + inc, -21);
    EXPECT_EQ(range(194, 1077, &lo, &hi, &inc), 1);
    EXPECT_EQ((std::vector<double>{lo, hi, inc}), (std::vector<double>{0, 15.5, 0.5}));
}

// A drop-down list control that counts its items.
struct ListControl {
    std::vector<std::string> items;
    TwControl control(int id) {
        TwControl c{};
        c.version = TW_HOST_OBJECT_VERSION;
        c.context = this;
        c.id = id;
        c.getItemCount = [](void* x) {
            return static_cast<int>(static_cast<ListControl*>(x)->items.size());
        };
        c.deleteListItem = [](void* x, int i) {
            auto& v = static_cast<ListControl*>(x)->items;
            v.erase(v.begin() + i);
        };
        return c;
    }
};

TEST(PluginExports, InitControlDeletesTheItemOnlyWhileItIsThere) {
    auto init = fn<decltype(InitControl)>("InitControl");
    ListControl list{{"a", "b", "c"}};
    TwControl c = list.control(1079);
    TwControl* all[] = {&c};
    TwControlList page{TW_HOST_OBJECT_VERSION, 1, all};
    CPersonality p('C', "P");
    EXPECT_EQ(init(194, 1079, &c, &page, &p), 0);
    EXPECT_EQ(list.items, (std::vector<std::string>{"a", "c"}));
    init(194, 1079, &c, &page, &p);
    EXPECT_EQ(list.items, std::vector<std::string>{"a"});
    init(194, 1079, &c, &page, &p);  // the item is gone: nothing happens
    EXPECT_EQ(list.items, std::vector<std::string>{"a"});
    // Null objects and foreign dialogs touch nothing.
    ListControl other{{"a", "b"}};
    TwControl o = other.control(1079);
    init(194, 1079, &o, &page, nullptr);
    init(194, 1079, nullptr, &page, &p);
    init(195, 1079, &o, &page, &p);
    EXPECT_EQ(other.items.size(), 2u);
}

TEST(PluginExports, NullPointersGiveTheNeutralResult) {
    CPersonality p('U', "P");
    const CPersonality before = p;
    const std::uint8_t d[5] = {'U', 0, 0, 0, 0};
    EXPECT_EQ(fn<decltype(ValidateField)>("ValidateField")(192, 1808, nullptr, &p), 0);
    EXPECT_EQ(fn<decltype(ValidateConvChannel)>("ValidateConvChannel")(nullptr, nullptr), 0);
    EXPECT_EQ(fn<decltype(AddTabs)>("AddTabs")(nullptr), 1);
    EXPECT_EQ(fn<decltype(AddDlgs)>("AddDlgs")(260, nullptr), 1);
    auto readPers = fn<decltype(ReadPers)>("ReadPers");
    auto lastOutcome = fn<decltype(TwLastOutcome)>("TwLastOutcome");
    EXPECT_EQ(readPers(&p, 0, nullptr, d), 1);
    EXPECT_EQ(lastOutcome(), TW_OUTCOME_REFUSED);
    EXPECT_EQ(readPers(&p, 0, "x.img", nullptr), 1);
    EXPECT_EQ(lastOutcome(), TW_OUTCOME_REFUSED);
    EXPECT_EQ(readPers(nullptr, 1, "x.img", d), 1);
    EXPECT_EQ(lastOutcome(), TW_OUTCOME_REFUSED);
    EXPECT_EQ(firstDifference(before, p), "");
}

// Reading back, and the refused outcome through a host, are run by the host's end-to-end
// tests; here the host's dump folder reaches the transfer.
TEST(PluginExports, FileWriteReportsItsOutcomeAndDumpsIntoTheHostsFolder) {
    const fs::path dir = fs::temp_directory_path() / "tw_plugin_exports";
    fs::remove_all(dir);
    std::vector<std::string> messages;
    const std::string dumps = (dir / "dumps").string();
    TwHost host{};
    host.version = TW_HOST_OBJECT_VERSION;
    host.context = &messages;
    host.message = [](void* c, const char* t) {
        static_cast<std::vector<std::string>*>(c)->emplace_back(t);
    };
    host.dumpFolder = dumps.c_str();
    fn<decltype(TwSetHost)>("TwSetHost")(&host);
    fs::create_directories(dir);
    CPersonality p = generatePersonality({'U', 5, false, 11});
    const std::uint8_t d[5] = {'U', 0, 0, 0, 0};
    const std::string image = (dir / "u.img").string();
    EXPECT_EQ(fn<decltype(WritePers)>("WritePers")(&p, 0, 0, image.c_str(), d), 1);
    EXPECT_EQ(fn<decltype(TwLastOutcome)>("TwLastOutcome")(), TW_OUTCOME_DONE)
        << (messages.empty() ? "" : messages[0]);
    EXPECT_TRUE(fs::exists(fs::path(dumps) / "write.hex"));
    fn<decltype(TwSetHost)>("TwSetHost")(nullptr);
    fs::remove_all(dir);
}

// A host object as a host built for version 1 lays it out: it ends after dumpFolder.
struct HostV1 {
    int version;
    void* context;
    void (*message)(void* context, const char* text);
    int (*askYesNo)(void* context, const char* text);
    void (*busy)(void* context, int on);
    void (*statusOpen)(void* context);
    void (*statusText)(void* context, const char* text);
    void (*statusClose)(void* context);
    void (*detail)(void* context, const char* text);
    const char* device;
    const char* profile;
    const char* dumpFolder;
};
static_assert(sizeof(HostV1) == offsetof(TwHost, progress));

struct HostRecord {
    std::vector<std::string> messages;
    int cancelAsked = 0;
    int wantCancel = 0;
};

HostRecord& record(void* context) {
    return *static_cast<HostRecord*>(context);
}

// A radio read through a port that does not open, from hosts of both versions. Whatever
// follows a version-1 object in memory is never read: here it would ask for a cancel. A
// version-2 host is asked, and its cancel stops the read before the port is tried.
TEST(PluginExports, HostObjectsOfBothVersionsDriveARadioRead) {
    const fs::path dir = fs::temp_directory_path() / "tw_plugin_host_versions";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string device = (dir / "no-such-tty").string();
    const std::string profile = (dir / "novac4.ini").string();
    const std::string dumps = (dir / "dumps").string();
    const auto message = [](void* c, const char* t) { record(c).messages.emplace_back(t); };
    const auto cancelRequested = [](void* c) {
        ++record(c).cancelAsked;
        return record(c).wantCancel;
    };
    auto readPers = fn<decltype(ReadPers)>("ReadPers");
    auto lastOutcome = fn<decltype(TwLastOutcome)>("TwLastOutcome");
    auto setHost = fn<decltype(TwSetHost)>("TwSetHost");
    const struct {
        const char* name;
        int version;
        int wantCancel;
        int outcome;
        std::vector<std::string> messages;
        bool asked;
    } cases[] = {
        {"version 1, cancel after the object", 1, 1, TW_OUTCOME_FAILED, {"Comm not open"}, false},
        {"version 2, no cancel", 2, 0, TW_OUTCOME_FAILED, {"Comm not open"}, true},
        {"version 2, cancel", 2, 1, TW_OUTCOME_CANCELLED, {"The operation was cancelled."}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HostRecord rec;
        rec.wantCancel = c.wantCancel;
        // The version-2 members sit right after the version-1 object, as the next thing in
        // a version-1 host's memory would.
        struct {
            HostV1 v1;
            void (*progress)(void*, long, long);
            int (*cancelRequested)(void*);
        } memory{};
        memory.v1 = {c.version, &rec,    message, nullptr,        nullptr,         nullptr,
                     nullptr,   nullptr, nullptr, device.c_str(), profile.c_str(), dumps.c_str()};
        memory.cancelRequested = cancelRequested;
        setHost(reinterpret_cast<const TwHost*>(&memory.v1));
        CPersonality p('U', "P");
        const CPersonality before = p;
        EXPECT_EQ(readPers(&p, 1, nullptr, nullptr), 1);
        EXPECT_EQ(lastOutcome(), c.outcome);
        EXPECT_EQ(rec.messages, c.messages);
        EXPECT_EQ(rec.cancelAsked > 0, c.asked);
        EXPECT_EQ(firstDifference(before, p), "");
    }
    setHost(nullptr);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tw::test

// tunewright-host against tunewright-sim: a personality written to a simulated radio and
// read back is the same, and the radio keeps its own tracking and feature data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "plugin/codec/personality_encoder.h"
#include "plugin/personality_fixtures.h"
#include "plugin/store/json_value.h"
#include "ui/scripted_ui.h"

#include "e2e/cli_run.h"
#include "e2e/sim_process.h"

namespace tw::e2e {
namespace {

// The radio's own records, found in its memory the way the radio keeps them: a bank flag
// at 0 (the data base is then the word at 3), the pointer table's offset at base + 33, and
// in the table the offsets of the tracking data (slot 21, 27 bytes), the feature record
// (slot 27, N + 5 bytes, N at its byte 2) and the auxiliary block (slot 61, 56 bytes). A
// record the radio does not have is empty.
std::vector<std::string> radioRecords(const std::string& memory) {
    const auto word = [&](std::size_t at) {
        return at + 1 < memory.size()
                   ? static_cast<std::size_t>(static_cast<unsigned char>(memory[at]) << 8 |
                                              static_cast<unsigned char>(memory[at + 1]))
                   : 0;
    };
    const std::size_t base = memory.empty() || memory[0] == 0 ? 0 : word(3);
    const std::size_t table = word(base + 33) + base;
    const auto record = [&](int slot, std::size_t length) {
        const std::size_t offset = word(table + static_cast<std::size_t>(slot));
        if (offset == 0 || base + offset + 3 > memory.size()) return std::string();
        if (length == 0) length = static_cast<unsigned char>(memory[base + offset + 2]) + 5u;
        return memory.substr(base + offset, length);
    };
    return {record(21, 27), record(27, 0), record(61, 56)};
}

// An edit for `set`: one flag the image carries, flipped (the first conventional channel's,
// else the first trunked system's).
std::string flippedFlag(const std::string& text) {
    std::string error;
    const auto doc = json::parse(text, error);
    if (!doc) return {};
    const auto flip = [](const json::Value& owner, const std::string& pointer, const char* key) {
        const json::Value* v = owner.find(key);
        return pointer + "/" + key + "=" + (v && v->boolean ? "false" : "true");
    };
    const auto& conv = doc->find("sets")->find("conventional")->items;
    for (std::size_t i = 0; i < conv.size(); ++i)
        if (!conv[i].find("channels")->items.empty())
            return flip(conv[i].find("channels")->items[0],
                        "/sets/conventional/" + std::to_string(i) + "/channels/0", "flag5");
    const auto& systems = doc->find("systems")->items;
    for (std::size_t i = 0; i < systems.size(); ++i)
        if (systems[i].find("kind")->text == "trunked")
            return flip(systems[i], "/systems/" + std::to_string(i), "flagA");
    return {};
}

struct Case {
    char type;
    int band;
    bool preamble;
    std::vector<std::string> simOptions;
};

// Read from an image file, written to the radio and read back; then one field edited,
// written and read back; then written to an image file and read from it: each time the
// JSON is what it should be, and the radio keeps its own tracking, feature and auxiliary
// data.
void roundTrip(const Case& c) {
    SCOPED_TRACE(std::string(1, c.type));
    TempDir dir;
    test::Fixture f = test::makeFixture({c.type, c.band, false, 21});
    ScriptedUi quiet;
    f.request.toRadio = false;
    ASSERT_EQ(encodePersonality(f.image, f.personality, f.request, f.identity, quiet), kEncodeDone);
    const std::string seed = dir.write(
        "seed.img", std::string(f.image.buffer.begin(),
                                f.image.buffer.begin() + static_cast<long>(f.image.endOfData)));

    // The radio reports the data version the image was made for, as a radio would.
    std::vector<std::string> simArgs = {"--no-pace"};
    if (const auto* extras = f.personality.GetOption<CImageExtras>(); extras && extras->hasVersion)
        simArgs.insert(simArgs.end(),
                       {"--option", "version=" + std::to_string(extras->versionMajor) + "." +
                                        std::to_string(extras->versionMinor)});
    for (const auto& o : c.simOptions) simArgs.insert(simArgs.end(), {"--option", o});
    SimProcess sim;
    ASSERT_TRUE(sim.start("hln", simArgs)) << sim.error();
    const std::string ini = dir.write("novac4.ini", "");
    const std::string letter(1, c.type);
    const auto radioData = [&](const char* image) {
        const CliRun r =
            cli(sim, ini, {"--radio-type", letter, "hln", "read-image", dir.file(image)});
        EXPECT_EQ(r.exitCode, 0) << r.dump();
        return radioRecords(readFileBytes(dir.file(image)));
    };
    const auto before = radioData("before.img");
    EXPECT_EQ(before[0].size(), 27u);
    EXPECT_EQ(before[1].size(), 14u);
    EXPECT_EQ(before[2].size(), c.type == 'A' ? 0u : 56u);
    const auto host = [&](std::vector<std::string> steps) {
        std::vector<std::string> args = {hostProgram(), "--device",   sim.devicePath(),  "--ini",
                                         ini,           "--dump-dir", dir.file("dumps"), "--yes"};
        args.insert(args.end(), steps.begin(), steps.end());
        const ProcessResult run = runProcess(args);
        EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
        return run;
    };

    host({"new", letter, std::to_string(c.band), "read-file", seed, "save", dir.file("file.json")});
    const std::string fromFile = readFileBytes(dir.file("file.json"));
    EXPECT_GT(fromFile.size(), 500u);
    const std::string edit = flippedFlag(fromFile);
    ASSERT_FALSE(edit.empty());
    // One run for every radio step: each connection costs the radio's own pauses.
    host({"load",      dir.file("file.json"),         "write-radio", "read-radio",
          "save",      dir.file("radio.json"),        "set",         edit,
          "save",      dir.file("edited.json"),       "write-radio", "read-radio",
          "save",      dir.file("edited-radio.json"), "write-file",  dir.file("out.img"),
          "read-file", dir.file("out.img"),           "save",        dir.file("out.json")});
    EXPECT_EQ(readFileBytes(dir.file("radio.json")), fromFile);
    const std::string edited = readFileBytes(dir.file("edited.json"));
    EXPECT_NE(edited, fromFile);
    EXPECT_EQ(readFileBytes(dir.file("edited-radio.json")), edited);
    EXPECT_EQ(readFileBytes(dir.file("out.json")), edited);
    EXPECT_EQ(radioData("after.img"), before);
    // The preamble went to the radio (an image file never carries it).
    if (c.preamble) {
        EXPECT_EQ(readFileBytes(dir.file("after.img")).substr(0, 5),
                  std::string("\x01\x00\x03\x00\x09", 5));
    }
    sim.stop();
}

TEST(HostE2e, PersonalityRoundTripsThroughRadioAndFilesAndTheRadioKeepsItsData) {
    const Case cases[] = {
        {'A', 2, false, {"type=A", "id1=2", "aux=0"}},
        {'U', 7, false, {"type=U", "id1=7"}},
        {'C', 11, true, {"type=C", "id1=11", "id2=32"}},
    };
    // The radios wait more than they work: three at once.
    std::vector<std::function<int()>> jobs;
    for (const Case& c : cases) jobs.push_back([&c] { return roundTrip(c), 0; });
    runTogether(jobs);
}

// Each bad input gives its own message and exit status 1, and writes nothing.
TEST(HostE2e, BadInputIsNamedAndExitsOne) {
    TempDir dir;
    const std::string big = dir.write("big.img", std::string(9000, '\0'));
    const std::string bad =
        dir.write("bad.json", R"({"format": 1, "type": "U", "sets": {"groups": 1}})");
    const std::string dumps = dir.file("dumps");
    struct BadInput {
        std::vector<std::string> args;
        int exit;
        std::string says;
    } cases[] = {
        {{"--plugin", dir.file("none.so"), "tabs"}, 1, "cannot load the plug-in"},
        // The store library holds none of the exports.
        {{"--plugin", pstoreLibrary(), "tabs"}, 1, "the plug-in has no export AddTabs"},
        {{"frobnicate"}, 2, "unknown step frobnicate"},
        {{"set", "name=1"}, 2, "set needs POINTER=JSON"},
        {{"new", "U", "7", "read-file", dir.file("x.img")},
         1,
         "Cannot open the image file " + dir.file("x.img") + ": No such file or directory"},
        {{"new", "U", "7", "read-file", big},
         1,
         "holds 9000 bytes; a type \"U\" personality "
         "image is at most 4096 bytes"},
        {{"new", "U", "7", "read-file", big, "--desc", "C"},
         1,
         "The radio description is for type \"C\"; the personality is type \"U\""},
        {{"new", "U", "7", "read-file", big, "--desc", "Z"}, 1, "Radio type \"Z\" (code 90)"},
        {{"type", "U", "read-file", big, "--desc", "U"}, 1, "read-file: refused"},
        {{"new", "U", "7", "write-file", dir.file("no/such/folder.img")},
         1,
         "Cannot write the image file"},
        {{"load", bad}, 1, "/sets/groups: expected an array, found a number"},
        {{"load", dir.file("none.json")}, 1, "load: cannot read"},
        {{"new", "U", "7", "set", "/systems/0={}"}, 1, "/systems/0: nothing there"},
        {{"new", "U", "7", "save", dir.file("no/such/folder.json")}, 1, "save: cannot write"},
    };
    for (const BadInput& c : cases) {
        std::vector<std::string> args = {hostProgram(), "--dump-dir", dumps};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult run = runProcess(args);
        EXPECT_EQ(run.exitCode, c.exit) << c.args.back();
        EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << c.args.back() << ":\n"
                                                                       << run.out << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("no")));
}

// diff compares the held personality with a file: exit status 3 when the last diff found
// differences, 0 when it found none; --json lists them. A file load refuses fails the step.
TEST(HostE2e, DiffComparesTheHeldPersonalityWithAFile) {
    TempDir dir;
    const std::string saved = dir.file("u.json");
    const std::string notJson = dir.write("not.json", "{\"format\": 1,");
    const std::string notPersonality = dir.write("bad.json", R"({"format": 1, "name": 7})");
    const auto host = [&](std::vector<std::string> steps) {
        std::vector<std::string> args = {hostProgram(), "--dump-dir", dir.file("dumps")};
        args.insert(args.end(), steps.begin(), steps.end());
        return runProcess(args);
    };
    const std::vector<std::string> made = {"new", "U", "7", "save", saved};
    const auto then = [&](std::vector<std::string> steps) {
        steps.insert(steps.begin(), made.begin(), made.end());
        return host(steps);
    };
    const ProcessResult same = then({"diff", saved});
    EXPECT_EQ(same.exitCode, 0) << same.out << same.err;
    EXPECT_NE(same.out.find("diff " + saved + ": same\n"), std::string::npos) << same.out;

    const ProcessResult differs =
        then({"set", "/name=\"DEPOT 7\"", "set", "/bandLimits/0=151", "diff", saved, "show"});
    EXPECT_EQ(differs.exitCode, 3) << differs.out << differs.err;
    EXPECT_NE(differs.out.find("diff " + saved +
                               ": 2 differences\n"
                               "  changed /name: \"DEPOT 7\" -> \"\"\n"
                               "  changed /bandLimits/0: 151 -> 470\n"),
              std::string::npos)
        << differs.out;
    // The held personality is still the edited one.
    EXPECT_NE(differs.out.find("\"DEPOT 7\""), differs.out.rfind("\"DEPOT 7\"")) << differs.out;

    // Only the last diff counts.
    const ProcessResult again =
        then({"set", "/name=\"X\"", "diff", saved, "load", saved, "diff", saved});
    EXPECT_EQ(again.exitCode, 0) << again.out << again.err;

    const ProcessResult listed =
        host({"--json", "new", "C", "11", "save", saved, "new", "U", "11", "diff", saved});
    EXPECT_EQ(listed.exitCode, 3) << listed.out << listed.err;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(listed.out)).object();
    EXPECT_TRUE(o.value("ok").toBool()) << listed.out;
    const QJsonArray differences = o.value("differences").toArray();
    ASSERT_EQ(differences.size(), 1) << listed.out;
    const QJsonObject d = differences[0].toObject();
    EXPECT_EQ(d.value("op").toString(), "changed");
    EXPECT_EQ(d.value("path").toString(), "/type");
    EXPECT_EQ(d.value("held").toString(), "U");
    EXPECT_EQ(d.value("file").toString(), "C");
    // A run without a diff step prints what it always did.
    const ProcessResult plain = host({"--json", "new", "U", "7"});
    EXPECT_EQ(plain.out.find("differences"), std::string::npos) << plain.out;

    const std::pair<std::string, std::string> refusals[] = {
        {notJson, "diff " + notJson + ": line 1, column 14: "},
        {notPersonality, "diff " + notPersonality + ": /name: expected a string"}};
    for (const auto& [file, says] : refusals) {
        const ProcessResult refused = then({"diff", file, "show"});
        EXPECT_EQ(refused.exitCode, 1) << file;
        EXPECT_NE(refused.out.find(says), std::string::npos) << refused.out;
        EXPECT_NE(refused.out.find("step diff failed"), std::string::npos) << refused.out;
    }
}

// A write whose copy of what the radio held cannot be kept (a file stands where the history
// folder goes) stops before the image goes out: --yes does not answer that question,
// --no-copy-before-write does.
TEST(HostE2e, YesAloneDoesNotWriteWithoutTheCopy) {
    TempDir dir;
    const std::string ini = dir.write("novac4.ini", "");
    const std::string log = dir.file("radio.log");
    SimProcess sim;
    ASSERT_TRUE(sim.start("hln", {"--no-pace", "--option", "type=A", "--log", log})) << sim.error();
    const std::string dataHome = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", dir.write("data", "").c_str(), 1);
    const auto write = [&](std::vector<std::string> options) {
        std::vector<std::string> args = {hostProgram(), "--device",   sim.devicePath(),  "--ini",
                                         ini,           "--dump-dir", dir.file("dumps"), "--yes"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"--json", "new", "A", "2", "write-radio"});
        return parseCliRun(runProcess(args));
    };
    const CliRun stopped = write({});
    const std::string sentBefore = readFileBytes(log);
    const CliRun allowed = write({"--no-copy-before-write"});
    ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    sim.stop();
    EXPECT_EQ(stopped.exitCode, 1) << stopped.dump();
    ASSERT_FALSE(stopped.texts().empty()) << stopped.dump();
    EXPECT_NE(stopped.texts().back().find("could not be kept"), std::string::npos)
        << stopped.dump();
    EXPECT_NE(stopped.out.find("\"answer\": \"no\""), std::string::npos) << stopped.dump();
    EXPECT_NE(stopped.out.find("write-radio: cancelled"), std::string::npos) << stopped.dump();
    // The image command never reached the radio.
    EXPECT_EQ(sentBefore.find(" RX 47 42"), std::string::npos) << sentBefore;
    EXPECT_EQ(allowed.exitCode, 0) << allowed.dump();
    EXPECT_NE(allowed.out.find("Writing without it (--no-copy-before-write)."), std::string::npos)
        << allowed.dump();
    EXPECT_NE(readFileBytes(log).find(" RX 47 42"), std::string::npos);
}

}  // namespace
}  // namespace tw::e2e

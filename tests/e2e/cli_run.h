#pragma once

// The JSON object tunewright-cli --json prints, read back into plain values so that tests can
// compare whole message sequences and single fields.

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "e2e/sim_process.h"

namespace tw::e2e {

// One finished run: exit status, the raw outputs and the parsed JSON (parsed false when the
// standard output held no JSON object).
struct CliRun {
    int exitCode = -1;
    std::string out, err;
    bool parsed = false;
    bool ok = false;
    std::vector<std::string> messages;  // the texts of the boxes shown, in order
    std::map<std::string, std::string> fields;
    std::map<std::string, bool> enabled;
    std::vector<std::string> report;
    std::string source;  // where the page's values came from, each clock time as "T"

    const std::vector<std::string>& texts() const { return messages; }
    std::string field(int id) const {
        const auto it = fields.find(std::to_string(id));
        return it == fields.end() ? "<no field " + std::to_string(id) + ">" : it->second;
    }
    bool isEnabled(int id) const {
        const auto it = enabled.find(std::to_string(id));
        return it != enabled.end() && it->second;
    }
    // Several fields at once, to compare in one expectation.
    std::vector<std::string> fieldsAt(const std::vector<int>& ids) const {
        std::vector<std::string> values;
        for (int id : ids) values.push_back(field(id));
        return values;
    }
    // Those of `ids` whose controls are enabled, in the order given.
    std::vector<int> enabledAmong(const std::vector<int>& ids) const {
        std::vector<int> on;
        for (int id : ids)
            if (isEnabled(id)) on.push_back(id);
        return on;
    }
    // What a failed expectation prints.
    std::string dump() const { return "exit " + std::to_string(exitCode) + "\n" + out + err; }
};

inline CliRun parseCliRun(const ProcessResult& p) {
    CliRun r;
    r.exitCode = p.exitCode;
    r.out = p.out;
    r.err = p.err;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(p.out));
    if (!doc.isObject()) return r;
    const QJsonObject o = doc.object();
    r.parsed = true;
    r.ok = o.value("ok").toBool();
    for (const auto& v : o.value("messages").toArray())
        r.messages.push_back(v.toObject().value("text").toString().toStdString());
    const QJsonObject fields = o.value("fields").toObject();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        r.fields[it.key().toStdString()] = it.value().toString().toStdString();
    const QJsonObject enabled = o.value("enabled").toObject();
    for (auto it = enabled.begin(); it != enabled.end(); ++it)
        r.enabled[it.key().toStdString()] = it.value().toBool();
    for (const auto& v : o.value("report").toArray())
        r.report.push_back(v.toString().toStdString());
    r.source = o.value("source")
                   .toString()
                   .replace(QRegularExpression("\\d\\d:\\d\\d:\\d\\d"), "T")
                   .toStdString();
    return r;
}

// tunewright-cli --json against a simulator's device.
inline CliRun cli(const SimProcess& sim, const std::string& ini,
                  const std::vector<std::string>& args) {
    return parseCliRun(runCli(sim.devicePath(), ini, args));
}

// Runs independent jobs at once: radio operations mostly wait on the line, so several of them
// overlap well even on a small machine. Results come back in the order of the jobs.
template <typename T>
std::vector<T> runTogether(const std::vector<std::function<T()>>& jobs) {
    std::vector<std::future<T>> running;
    for (const auto& job : jobs) running.push_back(std::async(std::launch::async, job));
    std::vector<T> results;
    for (auto& f : running) results.push_back(f.get());
    return results;
}

// "a b  c" -> {"a", "b", "c"}: long argument lists written as one line.
inline std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::string word;
    for (char c : line + ' ') {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            out.push_back(word);
            word.clear();
        }
    }
    return out;
}

inline std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tw::e2e

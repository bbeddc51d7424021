#include "families/file_compare.h"

#include <filesystem>

#include "families/registry.h"
#include "view/main_view.h"

namespace tw {

namespace {

// The technician's side of a scratch load: the file dialog answers with the file given, a
// message is noted for the caller to tell, and nothing else is answered.
class FileAnswerUi : public Ui {
  public:
    explicit FileAnswerUi(std::string path) : path_(std::move(path)) {}

    void message(const std::string& text) override {
        if (said_.empty()) said_ = text;
    }
    bool askYesNo(const std::string&) override { return false; }
    bool askOkCancel(const std::string&) override { return false; }
    std::optional<std::string> chooseOpenFile(const FileChoice&) override { return path_; }
    std::optional<std::string> chooseSaveFile(const FileChoice&) override { return std::nullopt; }
    bool runDialog(Dialog&) override { return false; }
    void openStatus() override {}
    void setStatusText(const std::string&) override {}
    void closeStatus() override {}
    void beginBusy() override {}
    void endBusy() override {}
    void beep() override {}

    const std::string& said() const { return said_; }

  private:
    std::string path_;
    std::string said_;
};

std::string extensionsText(const FamilyPage& page) {
    std::string text;
    for (const auto& f : page.dataFiles())
        text += std::string(text.empty() ? "" : ", ") + "." + f.extension;
    return text;
}

std::string cannotCompare(const std::string& path, const std::string& problem) {
    return path + " cannot be compared:\n" + problem;
}

const char* dataName(DataSet set) {
    return set == DataSet::Features ? "feature data" : "tracking data";
}

}  // namespace

std::optional<FileValues> loadFileValues(Env& env, int tab, const std::string& path,
                                         std::string& problem) {
    FileAnswerUi ui(path);
    // The scratch page reads the same profile and history, but keeps its own notes.
    AppState app = env.app;
    Env scratch{ui, env.clock, env.profile, env.link, app};
    const auto page = createFamilyPage(scratch, tab);
    if (!page) {
        problem = "No page can load it.";
        return std::nullopt;
    }
    const auto set = page->dataOfFile(path);
    if (!set) {
        problem = std::string("It is no data file of the ") + tabInfos().at(tab).label + " page (" +
                  extensionsText(*page) + ").";
        return std::nullopt;
    }
    if (!page->loadDataFile(*set)) {
        problem = ui.said().empty() ? std::string("The page could not load it.") : ui.said();
        return std::nullopt;
    }
    return FileValues{*set, page->comparedValues(*set)};
}

std::optional<std::vector<FieldDiff>> compareWithFile(Env& env, int tab, const FamilyPage& page,
                                                      const std::string& path) {
    std::string problem;
    const auto file = loadFileValues(env, tab, path, problem);
    if (!file) {
        env.ui.message(cannotCompare(path, problem));
        return std::nullopt;
    }
    return diffValues(page.comparedValues(file->set), file->values);
}

std::optional<std::vector<FieldDiff>> compareFiles(Env& env, int tab, const std::string& first,
                                                   const std::string& second) {
    std::string problem;
    const auto left = loadFileValues(env, tab, first, problem);
    const auto right = left ? loadFileValues(env, tab, second, problem) : std::nullopt;
    if (!left || !right) {
        env.ui.message(cannotCompare(left ? second : first, problem));
        return std::nullopt;
    }
    if (left->set != right->set) {
        env.ui.message(first + " holds " + dataName(left->set) + " and " + second + " " +
                       dataName(right->set) + ": they cannot be compared.");
        return std::nullopt;
    }
    return diffValues(left->values, right->values);
}

std::optional<std::vector<RadioRecord>> historyChanges(Env& env, int tab,
                                                       const std::string& radio) {
    const std::string family = tabInfos().at(tab).family;
    const bool every = radio == "*";
    const std::string folderName = every ? radio : historyFolderName(radio);
    std::vector<RadioRecord> records;
    for (const auto& kept : keptRadioReads(env.app, family)) {
        if (!every && kept.radio != folderName) continue;
        auto it = records.begin();
        while (it != records.end() && it->radio != kept.radio) ++it;
        if (it == records.end()) it = records.insert(records.end(), RadioRecord{kept.radio, {}});
        CopyChanges c;
        c.copy = kept;
        c.extension = std::filesystem::path(kept.path).extension().string();
        if (!c.extension.empty()) c.extension.erase(0, 1);
        it->copies.push_back(std::move(c));
    }
    if (records.empty()) {
        const std::string where = historyFolder(env.app) + "/" + family;
        env.ui.message(every ? "No radio reads of the " + family + " family are kept in " + where +
                                   "."
                             : "No copies of radio " + radio + " are kept in " + where + ".");
        return std::nullopt;
    }
    for (auto& record : records) {
        // Each copy against the one before it of the same data (tracking after tracking).
        std::vector<FileValues> before;
        for (auto& c : record.copies) {
            const auto file = loadFileValues(env, tab, c.copy.path, c.problem);
            if (!file) continue;
            c.compared = true;
            auto previous = before.begin();
            while (previous != before.end() && previous->set != file->set) ++previous;
            if (previous == before.end()) {
                c.first = true;
                before.push_back(*file);
                continue;
            }
            c.changes = diffValues(previous->values, file->values);
            *previous = *file;
        }
    }
    return records;
}

std::vector<std::string> historyChangesLines(const std::vector<RadioRecord>& records) {
    std::vector<std::string> lines;
    for (const auto& record : records) {
        lines.push_back("Radio " + record.radio + ":");
        for (const auto& c : record.copies) {
            std::string line = "  " + c.copy.time + " UTC  " + c.extension +
                               (c.copy.beforeWrite ? "  before write" : "") + "  ";
            if (!c.compared) {
                // Only the first line of a load's message: the record stays one line a copy.
                line += "not compared: " + c.problem.substr(0, c.problem.find('\n'));
            } else if (c.first) {
                line += "first copy";
            } else if (c.changes.empty()) {
                line += "no change";
            } else {
                line += std::to_string(c.changes.size()) +
                        (c.changes.size() == 1 ? " field changed" : " fields changed");
            }
            lines.push_back(line);
            for (const auto& d : c.changes) lines.push_back("      " + diffLine(d));
        }
    }
    return lines;
}

}  // namespace tw

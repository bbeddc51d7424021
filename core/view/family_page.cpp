#include "view/family_page.h"

#include <algorithm>
#include <cctype>

namespace tw {

namespace {

bool sameLetters(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::optional<DataSet> FamilyPage::dataOfFile(const std::string& path) const {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    const std::string extension = path.substr(dot + 1);
    for (const auto& f : dataFiles())
        if (sameLetters(extension, f.extension)) return f.set;
    return std::nullopt;
}

std::vector<ComparedValue> FamilyPage::comparedValues(DataSet set) const {
    std::vector<ComparedValue> values;
    for (const auto& f : comparedFields(set)) values.push_back({f.label, controls_.text(f.id)});
    return values;
}

FileChoice FamilyPage::dataFileChoice(const char* filter, const char* extension, bool save) const {
    FileChoice c;
    c.filter = filter;
    c.defaultExtension = extension;
    c.initialDirectory =
        env_.profile.getString(profile_keys::kDirectorySection, profile_keys::kTrack, "");
    c.overwritePrompt = save;
    return c;
}

std::optional<std::string> FamilyPage::askDataFile(const FileChoice& choice, bool save) {
    auto path = save ? env_.ui.chooseSaveFile(choice) : env_.ui.chooseOpenFile(choice);
    if (path) noteFileChosen(*path, save);
    return path;
}

void FamilyPage::noteFileChosen(const std::string& path, bool save) {
    chosenFile_ = path;
    ++(save ? filesSaved_ : filesOpened_);
}

void FamilyPage::noteDefaults(const std::string& band) {
    source_.set(ValueSource::Kind::Defaults, band, localClockText());
    unsavedTracking_ = true;
}

void FamilyPage::noteEdited(int id) {
    source_.edited();
    (isFeatureControl(id) ? unsavedFeatures_ : unsavedTracking_) = true;
}

bool FamilyPage::unsaved(DataSet set) const {
    switch (set) {
        case DataSet::Tracking:
            return unsavedTracking_;
        case DataSet::Features:
            return unsavedFeatures_;
        case DataSet::Both:
            return unsavedTracking_ || unsavedFeatures_;
    }
    return false;
}

void FamilyPage::markSaved(DataSet set) {
    if (set != DataSet::Features) unsavedTracking_ = false;
    if (set != DataSet::Tracking) unsavedFeatures_ = false;
}

bool FamilyPage::tracked(SourceEffect effect, DataSet set, const std::string& operation,
                         const std::function<bool()>& run) {
    const AppState::RadioContact before = env_.app.radioContact;
    const long opened = filesOpened_, saved = filesSaved_;
    std::vector<std::string> texts;
    if (effect == SourceEffect::Action)
        for (const auto& c : controls_.all()) texts.push_back(c.text);
    const bool ok = run();
    const AppState::RadioContact& after = env_.app.radioContact;
    const bool reachedRead = after.reads != before.reads;
    const bool reachedWrite = after.writes != before.writes;
    const std::string now = localClockText();
    // The other set's edits, if any, are still the technician's.
    auto replaced = [&](ValueSource::Kind kind, const std::string& what) {
        markSaved(set);
        source_.set(kind, what, now);
        if (unsaved(DataSet::Both)) source_.edited();
    };
    switch (effect) {
        case SourceEffect::RadioRead:
            if (ok && reachedRead)
                replaced(ValueSource::Kind::Read, after.radio);
            else if (!ok)
                source_.failed(operation, now);
            break;
        case SourceEffect::RadioWrite:
            if (ok && reachedWrite)
                replaced(ValueSource::Kind::Written, after.radio);
            else if (!ok)
                source_.failed(operation, now);
            break;
        case SourceEffect::FileLoad:
            if (ok && filesOpened_ != opened) replaced(ValueSource::Kind::Loaded, chosenFile_);
            break;
        case SourceEffect::FileSave:
            if (ok && filesSaved_ != saved) replaced(ValueSource::Kind::Saved, chosenFile_);
            break;
        case SourceEffect::Action: {
            bool changed = texts.size() != controls_.all().size();
            for (std::size_t i = 0; !changed && i < texts.size(); ++i)
                changed = texts[i] != controls_.all()[i].text;
            if (!ok || !changed) break;
            if (reachedRead)
                replaced(ValueSource::Kind::Read, after.radio);
            else if (filesOpened_ != opened)
                replaced(ValueSource::Kind::Loaded, chosenFile_);
            break;
        }
    }
    return ok;
}

}  // namespace tw

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "history/read_history.h"
#include "view/compare.h"
#include "view/family_page.h"

namespace tw {

// The values of one data file as the family's page shows them after loading it.
struct FileValues {
    DataSet set = DataSet::Tracking;
    std::vector<ComparedValue> values;
};

// Loads `path` into a scratch page of tab `tab` through the family's own Read ... From Disk,
// so a file is read exactly as the window would read it and the pages on screen stay as they
// are. Nothing, with `problem` saying what is wrong in one text, when it is no data file of
// the family (by its extension) or the family's load refuses it.
std::optional<FileValues> loadFileValues(Env& env, int tab, const std::string& path,
                                         std::string& problem);

// The page's values against the file's (left: the page). A file that cannot be compared is
// told in one message and gives nothing.
std::optional<std::vector<FieldDiff>> compareWithFile(Env& env, int tab, const FamilyPage& page,
                                                      const std::string& path);
// Two files of the family (left: `first`), told the same way.
std::optional<std::vector<FieldDiff>> compareFiles(Env& env, int tab, const std::string& first,
                                                   const std::string& second);

// One history copy and what changed in it since the radio's copy before it of the same data.
struct CopyChanges {
    KeptRead copy;
    std::string extension;
    bool compared = false;  // a data file of the page that loaded
    bool first = false;     // the radio's first copy of that data
    std::string problem;    // why it was not compared
    std::vector<FieldDiff> changes;
};

// A radio's service record: its copies in time order.
struct RadioRecord {
    std::string radio;
    std::vector<CopyChanges> copies;
};

// The service record of `radio` (its serial number or model as the history names it; "*" for
// every radio of the family), oldest copy first. A radio without copies is told in one
// message and gives nothing.
std::optional<std::vector<RadioRecord>> historyChanges(Env& env, int tab, const std::string& radio);

// The record as text lines, for the command line and the window.
std::vector<std::string> historyChangesLines(const std::vector<RadioRecord>& records);

}  // namespace tw

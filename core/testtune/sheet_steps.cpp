#include "testtune/sheet_steps.h"

#include <cstdlib>

namespace tw::testtune {
namespace {

bool number(const std::string& word, long low, long high, long& out) {
    if (word.empty() || word.size() > 9) return false;
    for (const char c : word)
        if (c < '0' || c > '9') return false;
    out = std::strtol(word.c_str(), nullptr, 10);
    return out >= low && out <= high;
}

// Signed step counts: "+3", "-2" (a bare number counts up).
bool signedSteps(const std::string& word, long& out) {
    if (word.empty()) return false;
    const bool minus = word[0] == '-';
    const std::string digits = word[0] == '+' || minus ? word.substr(1) : word;
    if (!number(digits, 0, 100000, out)) return false;
    if (minus) out = -out;
    return true;
}

PageAction sheetStep(AlignmentBench& bench, const char* step, const char* args, const char* help,
                     int argCount,
                     std::function<bool(CTestSheet&, const std::vector<std::string>&)> body) {
    PageAction a;
    a.step = step;
    a.argsHelp = args;
    a.help = help;
    a.argCount = argCount;
    a.serviceOnly = true;
    a.run = [&bench, body](const std::vector<std::string>& words) {
        CTestSheet* sheet = bench.sheet();
        if (!sheet) {
            bench.env().ui.detail("No test sheet is open.");
            return false;
        }
        const bool ok = body(*sheet, words);
        if (sheet->testDialog()) sheet->testDialog()->apply();
        return ok;
    };
    return a;
}

}  // namespace

bool goToPage(CTestSheet& sheet, int number) {
    const int target = number - 1;
    if (target < 0 || target >= sheet.pageCount()) return false;
    while (sheet.activeIndex() != target) {
        const bool moved = sheet.activeIndex() < target ? sheet.next() : sheet.back();
        if (!moved) return false;
    }
    return true;
}

bool pressInSheet(CTestSheet& sheet, int id) {
    // While a test dialog is up, its buttons are the ones in front (2 is its Stop).
    if (CTestDialog* dialog = sheet.testDialog()) {
        const bool pressed = dialog->press(id);
        sheet.changed();
        return pressed;
    }
    return sheet.pressButton(id);
}

bool stepArrow(CTestSheet& sheet, int id, int steps) {
    if (sheet.testDialog()) return false;
    const int delta = steps < 0 ? -1 : 1;
    for (int i = 0; i != steps; i += delta)
        if (!sheet.arrow(id, delta)) return false;
    return true;
}

bool scrollInSheet(CTestSheet& sheet, int id, const std::string& how) {
    if (sheet.testDialog()) return false;
    if (how == "up") return sheet.scroll(id, CTestPage::kScrollUp);
    if (how == "down") return sheet.scroll(id, CTestPage::kScrollDown);
    if (how == "focus") return sheet.scroll(id, CTestPage::kScrollFocus);
    return false;
}

std::vector<PageAction> sheetActions(AlignmentBench& bench) {
    std::vector<PageAction> out;
    out.push_back(sheetStep(bench, "page", "N", "test sheet: Next or Back until page N (from 1)", 1,
                            [](CTestSheet& s, const std::vector<std::string>& w) {
                                long n = 0;
                                return number(w[0], 1, 99, n) && goToPage(s, static_cast<int>(n));
                            }));
    out.push_back(sheetStep(bench, "press", "ID",
                            "test sheet: press a button of the page, or of the open test "
                            "dialog (2 is Stop)",
                            1, [](CTestSheet& s, const std::vector<std::string>& w) {
                                long id = 0;
                                return number(w[0], 0, 99999, id) &&
                                       pressInSheet(s, static_cast<int>(id));
                            }));
    out.push_back(sheetStep(bench, "arrow", "ID +N|-N",
                            "test sheet: N single steps of an arrow control", 2,
                            [](CTestSheet& s, const std::vector<std::string>& w) {
                                long id = 0;
                                long steps = 0;
                                return number(w[0], 0, 99999, id) && signedSteps(w[1], steps) &&
                                       stepArrow(s, static_cast<int>(id), static_cast<int>(steps));
                            }));
    out.push_back(sheetStep(bench, "scroll", "ID up|down|focus",
                            "test sheet: a scroll bar's line up, line down, or focus", 2,
                            [](CTestSheet& s, const std::vector<std::string>& w) {
                                long id = 0;
                                return number(w[0], 0, 99999, id) &&
                                       scrollInSheet(s, static_cast<int>(id), w[1]);
                            }));
    out.push_back(sheetStep(bench, "wait", "MS",
                            "test sheet: let time pass (timers fire, a streaming test runs)", 1,
                            [](CTestSheet& s, const std::vector<std::string>& w) {
                                long ms = 0;
                                if (!number(w[0], 0, 3600000, ms)) return false;
                                s.wait(ms);
                                return true;
                            }));
    out.push_back(
        sheetStep(bench, "finish", "", "test sheet: the Finish button", 0,
                  [](CTestSheet& s, const std::vector<std::string>&) { return s.finish(); }));
    out.push_back(
        sheetStep(bench, "cancel", "", "test sheet: Cancel (stops the running test first)", 0,
                  [](CTestSheet& s, const std::vector<std::string>&) { return s.cancel(); }));
    return out;
}

}  // namespace tw::testtune

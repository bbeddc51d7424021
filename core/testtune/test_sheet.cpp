#include "testtune/test_sheet.h"

namespace tw::testtune {

CTestSheet::CTestSheet(Env& env, std::string title) : title_(std::move(title)), link_(env) {
    link_.onConnectionLost([this] { OnConnectionLost(); });
}

CTestSheet::~CTestSheet() = default;

std::vector<std::string> CTestSheet::describe() const {
    std::vector<std::string> lines{title_};
    for (const auto& page : pageTitles_) lines.push_back("page: " + page);
    return lines;
}

bool CTestSheet::press(const std::string& button, bool& accepted) {
    // A front end without wizard buttons closes the sheet with OK.
    accepted = button == "Finish" || button == "OK";
    if (!accepted && button != "Cancel") return false;
    closed_ = true;
    return true;
}

void CTestSheet::Close() {
    if (closed_) return;
    closed_ = true;
    if (closeListener_) closeListener_();
}

void CTestSheet::OnConnectionLost() {
    if (auto closer = std::move(testDialogCloser_)) closer();
    testDialogCloser_ = nullptr;
    Close();
}

std::unique_ptr<CTestSheet> BuildTestSheet(Env& env, TestSheetChoice choice) {
    switch (choice) {
        case TestSheetChoice::Io:
            return std::make_unique<CFacetTestSheet>(env);
        case TestSheetChoice::StandardRf:
            return std::make_unique<CStandRFSheet>(env);
        case TestSheetChoice::Frontcap:
            return std::make_unique<CFrontcapSheet>(env);
    }
    return nullptr;
}

}  // namespace tw::testtune

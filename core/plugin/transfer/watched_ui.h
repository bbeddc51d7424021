#pragma once

#include <string>
#include <vector>

#include "ui/ui.h"

namespace tw {

// Passes everything to the technician's Ui and remembers the message boxes shown, so a
// flow can tell "the radio has none" from a read that broke off.
class WatchedUi : public Ui {
  public:
    explicit WatchedUi(Ui& inner) : inner_(inner) {}

    void message(const std::string& text) override {
        shown_.push_back(text);
        inner_.message(text);
    }
    bool askYesNo(const std::string& text) override { return inner_.askYesNo(text); }
    bool askRisky(const std::string& text) override { return inner_.askRisky(text); }
    bool askOkCancel(const std::string& text) override { return inner_.askOkCancel(text); }
    std::optional<std::string> chooseOpenFile(const FileChoice& c) override {
        return inner_.chooseOpenFile(c);
    }
    std::optional<std::string> chooseSaveFile(const FileChoice& c) override {
        return inner_.chooseSaveFile(c);
    }
    bool runDialog(Dialog& dialog) override { return inner_.runDialog(dialog); }
    void openStatus() override { inner_.openStatus(); }
    void setStatusText(const std::string& text) override { inner_.setStatusText(text); }
    void closeStatus() override { inner_.closeStatus(); }
    void progress(long done, long total) override { inner_.progress(done, total); }
    void beginBusy() override { inner_.beginBusy(); }
    void endBusy() override { inner_.endBusy(); }
    void beep() override { inner_.beep(); }
    void detail(const std::string& text) override { inner_.detail(text); }
    void holdCancel(bool held) override { inner_.holdCancel(held); }

    // Messages shown since the last call.
    std::vector<std::string> takeShown() {
        std::vector<std::string> out;
        out.swap(shown_);
        return out;
    }

  private:
    Ui& inner_;
    std::vector<std::string> shown_;
};

}  // namespace tw

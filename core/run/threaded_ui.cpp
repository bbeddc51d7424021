#include "run/threaded_ui.h"

#include <optional>

namespace tw {

ThreadedUi::ThreadedUi(Ui& target, UiThread& loop)
    : target_(target),
      loop_(loop),
      uiThread_(std::this_thread::get_id()),
      state_(std::make_shared<State>()) {}

ThreadedUi::~ThreadedUi() {
    shutdown();
}

void ThreadedUi::shutdown() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->closed = true;
    state_->answered.notify_all();
}

template <typename R>
R ThreadedUi::ask(std::function<R(Ui&)> act, R refused) {
    if (onUiThread()) return act(target_);
    auto answer = std::make_shared<std::optional<R>>();
    std::shared_ptr<State> state = state_;
    std::unique_lock<std::mutex> lock(state->mutex);
    if (state->closed) return refused;
    Ui* target = &target_;
    loop_.post([state, answer, target, act = std::move(act)] {
        {
            std::lock_guard<std::mutex> check(state->mutex);
            if (state->closed) return;
        }
        if (state->beforeAnswer) state->beforeAnswer();
        R value = act(*target);
        std::lock_guard<std::mutex> done(state->mutex);
        *answer = std::move(value);
        state->answered.notify_all();
    });
    ++state->waiting;
    for (;;) {
        state->answered.wait(
            lock, [&] { return answer->has_value() || state->closed || state->workerTask; });
        if (answer->has_value() || state->closed) break;
        std::function<void()> task = std::move(state->workerTask);
        state->workerTask = nullptr;
        lock.unlock();
        task();
        lock.lock();
        state->workerTaskDone = true;
        loop_.post([] {});  // wakes the window's thread to see it
    }
    --state->waiting;
    return answer->has_value() ? std::move(**answer) : refused;
}

void ThreadedUi::runOnWorker(std::function<void()> task) {
    std::shared_ptr<State> state = state_;
    bool handed = false;
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        if (state->waiting > 0 && !state->closed) {
            state->workerTaskDone = false;
            state->workerTask = std::move(task);
            state->answered.notify_all();
            handed = true;
        }
    }
    if (!handed) {
        task();
        return;
    }
    loop_.waitUntil([state] {
        std::lock_guard<std::mutex> lock(state->mutex);
        return state->workerTaskDone || state->closed;
    });
}

void ThreadedUi::tell(std::function<void(Ui&)> act) {
    if (onUiThread()) {
        act(target_);
        return;
    }
    std::shared_ptr<State> state = state_;
    Ui* target = &target_;
    loop_.post([state, target, act = std::move(act)] {
        {
            std::lock_guard<std::mutex> check(state->mutex);
            if (state->closed) return;
        }
        act(*target);
    });
}

void ThreadedUi::message(const std::string& text) {
    ask<bool>(
        [text](Ui& ui) {
            ui.message(text);
            return true;
        },
        false);
}

bool ThreadedUi::askYesNo(const std::string& text) {
    return ask<bool>([text](Ui& ui) { return ui.askYesNo(text); }, false);
}

bool ThreadedUi::askRisky(const std::string& text) {
    return ask<bool>([text](Ui& ui) { return ui.askRisky(text); }, false);
}

SaveAnswer ThreadedUi::askSaveEdits(const std::string& text) {
    return ask<SaveAnswer>([text](Ui& ui) { return ui.askSaveEdits(text); }, SaveAnswer::Cancel);
}

bool ThreadedUi::askOkCancel(const std::string& text) {
    return ask<bool>([text](Ui& ui) { return ui.askOkCancel(text); }, false);
}

std::optional<std::string> ThreadedUi::chooseOpenFile(const FileChoice& choice) {
    using R = std::optional<std::string>;
    return ask<R>([choice](Ui& ui) { return ui.chooseOpenFile(choice); }, R{});
}

std::optional<std::string> ThreadedUi::chooseSaveFile(const FileChoice& choice) {
    using R = std::optional<std::string>;
    return ask<R>([choice](Ui& ui) { return ui.chooseSaveFile(choice); }, R{});
}

bool ThreadedUi::runDialog(Dialog& dialog) {
    // The dialog object stays the worker's; the window only touches it while the worker
    // waits for the answer.
    Dialog* d = &dialog;
    return ask<bool>([d](Ui& ui) { return ui.runDialog(*d); }, false);
}

void ThreadedUi::openStatus() {
    tell([](Ui& ui) { ui.openStatus(); });
}

void ThreadedUi::setStatusText(const std::string& text) {
    std::function<void()> show;
    if (!onUiThread() && state_->statusSnapshot) show = state_->statusSnapshot();
    tell([text, show = std::move(show)](Ui& ui) {
        if (show) show();
        ui.setStatusText(text);
    });
}

void ThreadedUi::closeStatus() {
    tell([](Ui& ui) { ui.closeStatus(); });
}

void ThreadedUi::progress(long done, long total) {
    tell([done, total](Ui& ui) { ui.progress(done, total); });
}

void ThreadedUi::holdCancel(bool held) {
    tell([held](Ui& ui) { ui.holdCancel(held); });
}

void ThreadedUi::beginBusy() {
    tell([](Ui& ui) { ui.beginBusy(); });
}

void ThreadedUi::endBusy() {
    tell([](Ui& ui) { ui.endBusy(); });
}

void ThreadedUi::beep() {
    tell([](Ui& ui) { ui.beep(); });
}

void ThreadedUi::detail(const std::string& text) {
    tell([text](Ui& ui) { ui.detail(text); });
}

}  // namespace tw

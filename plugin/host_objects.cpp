#include "host_objects.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tw::plugin {

namespace {

// A host object of each version ends where the members of the next one begin.
constexpr std::size_t kHostVersion1Size = offsetof(TwHost, progress);
constexpr std::size_t kHostVersion2Size = offsetof(TwHost, askRisky);

// What a host that cannot ask the risky question is told instead.
constexpr const char* kRiskyAnsweredNo =
    "\n\nAnswered No: the host program cannot ask this question.";

}  // namespace

TwHost copyHostObject(const TwHost* host) {
    TwHost copy{};
    if (host)
        std::memcpy(&copy, host,
                    host->version >= 3   ? sizeof(TwHost)
                    : host->version == 2 ? kHostVersion2Size
                                         : kHostVersion1Size);
    return copy;
}

TwControl* HostControls::find(int id) const {
    if (window_ && window_->id == id) return window_;
    if (!list_ || !list_->controls || list_->count <= 0) return nullptr;
    for (int i = 0; i < list_->count; ++i) {
        TwControl* c = list_->controls[i];
        if (c && c->id == id) return c;
    }
    return nullptr;
}

std::optional<std::string> HostControls::text(int control) const {
    TwControl* c = find(control);
    if (!c || !c->getText) return {};
    std::vector<char> buffer(PageControls::kMaxText + 1, '\0');
    c->getText(c->context, buffer.data(), static_cast<int>(buffer.size()));
    buffer.back() = '\0';
    return std::string(buffer.data());
}

std::optional<bool> HostControls::checked(int control) const {
    TwControl* c = find(control);
    if (!c || !c->getChecked) return {};
    return c->getChecked(c->context) != 0;
}

std::optional<int> HostControls::selectedIndex(int control) const {
    TwControl* c = find(control);
    if (!c || !c->getSelectedIndex) return {};
    return c->getSelectedIndex(c->context);
}

void HostControls::enable(int control, bool on) {
    if (TwControl* c = find(control); c && c->enable) c->enable(c->context, on ? 1 : 0);
}

void HostControls::focus(int control) {
    if (TwControl* c = find(control); c && c->focus) c->focus(c->context);
}

void HostControls::deleteListItem(int control, int index) {
    TwControl* c = find(control);
    if (!c || !c->deleteListItem || !c->getItemCount) return;
    if (index >= 0 && index < c->getItemCount(c->context)) c->deleteListItem(c->context, index);
}

void HostUi::message(const std::string& text) {
    if (host_ && host_->message)
        host_->message(host_->context, text.c_str());
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

bool HostUi::askYesNo(const std::string& text) {
    if (host_ && host_->askYesNo) return host_->askYesNo(host_->context, text.c_str()) != 0;
    std::fprintf(stderr, "%s [No]\n", text.c_str());
    return false;
}

// Never the host's askYesNo: a host may answer that for a whole batch.
bool HostUi::askRisky(const std::string& text) {
    if (host_ && host_->askRisky) return host_->askRisky(host_->context, text.c_str()) != 0;
    message(text + kRiskyAnsweredNo);
    return false;
}

void HostUi::openStatus() {
    if (host_ && host_->statusOpen) host_->statusOpen(host_->context);
}
void HostUi::setStatusText(const std::string& text) {
    if (host_ && host_->statusText) host_->statusText(host_->context, text.c_str());
}
void HostUi::closeStatus() {
    if (host_ && host_->statusClose) host_->statusClose(host_->context);
}
void HostUi::progress(long done, long total) {
    if (host_ && host_->progress) host_->progress(host_->context, done, total);
}
void HostUi::beginBusy() {
    if (host_ && host_->busy) host_->busy(host_->context, 1);
}
void HostUi::endBusy() {
    if (host_ && host_->busy) host_->busy(host_->context, 0);
}
void HostUi::detail(const std::string& text) {
    if (host_ && host_->detail)
        host_->detail(host_->context, text.c_str());
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace tw::plugin

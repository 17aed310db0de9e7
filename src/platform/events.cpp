#include "platform/events.h"

#include "platform/platform.h"
#include "platform/timers.h"

namespace tv::platform {

bool EventQueue::post(Event event) {
    if (events_.size() >= kCapacity) {
        ++dropped_;
        return false;
    }
    events_.push_back(std::move(event));
    return true;
}

bool EventQueue::run_next() {
    if (events_.empty()) return false;
    Event event = std::move(events_.front());
    events_.pop_front();
    if (event.run) {
        event.run();
    } else {
        handlers().run(event.name);
    }
    return true;
}

bool EventQueue::waiting(const std::string& name) const {
    for (const auto& event : events_) {
        if (event.name == name) return true;
    }
    return false;
}

EventQueue& event_queue() {
    static EventQueue queue;
    return queue;
}

void Handlers::run(const std::string& name) {
    auto it = table_.find(name);
    if (it == table_.end()) return;
    auto handler = it->second;  // a handler may replace the table entry while it runs
    handler();
}

Handlers& handlers() {
    static Handlers table;
    return table;
}

void install_handlers(const std::vector<NamedHandler>& table) {
    for (const auto& entry : table) handlers().set(entry.name, entry.run);
}

namespace {
int g_pump_depth = 0;

struct PumpDepth {
    PumpDepth() { ++g_pump_depth; }
    ~PumpDepth() { --g_pump_depth; }
};
}  // namespace

bool inside_event_pump() { return g_pump_depth > 0; }

void EVENT_PUMP() {
    PumpDepth depth;
    if (event_queue().run_next()) return;
    poll_timers();
    if (event_queue().run_next()) return;
    if (auto* windows = services().window_system) {
        windows->dispatch_one_message();
        event_queue().run_next();
    }
}

void run_queued_events() {
    while (event_queue().run_next()) {
    }
}

}  // namespace tv::platform

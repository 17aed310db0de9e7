// Queued window events and the handlers that run them.
//
// Every click, menu choice, timer tick and window load becomes one queued event. At most 64 wait;
// a further one is dropped. Queued events run only where they are pumped: by the main loop, or by
// a handler that calls EVENT_PUMP.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tv::platform {

struct Event {
    std::string name;            // the handler's name, e.g. "BUTTON27_ON"
    std::function<void()> run;   // empty: run the registered handler of that name
};

class EventQueue {
public:
    static constexpr std::size_t kCapacity = 64;

    // Queues an event; false (and nothing queued) when 64 are waiting.
    bool post(Event event);
    bool post(const std::string& handler_name) { return post(Event{handler_name, {}}); }
    // Runs the next event to completion; false when none was waiting.
    bool run_next();
    // Whether an event of that name waits in the queue.
    bool waiting(const std::string& name) const;
    std::size_t size() const { return events_.size(); }
    bool empty() const { return events_.empty(); }
    void clear() { events_.clear(); }
    std::size_t dropped() const { return dropped_; }

private:
    std::deque<Event> events_;
    std::size_t dropped_ = 0;
};

EventQueue& event_queue();

// Handlers by their names.
class Handlers {
public:
    void set(const std::string& name, std::function<void()> handler) { table_[name] = std::move(handler); }
    bool has(const std::string& name) const { return table_.count(name) != 0; }
    // Runs the handler; an event without a handler does nothing.
    void run(const std::string& name);
    void clear() { table_.clear(); }

private:
    std::unordered_map<std::string, std::function<void()>> table_;
};

Handlers& handlers();

// One row of a subsystem's table of handlers: the name events and other subsystems call it by.
struct NamedHandler {
    std::string name;
    std::function<void()> run;
};

// Registers every handler of a table under its name.
void install_handlers(const std::vector<NamedHandler>& table);

// One pump step: runs the next queued event, if any, to completion; when none is queued it
// dispatches one waiting window message and runs the event that this queued, if any.
void EVENT_PUMP();

// Whether the code running now was called from inside an EVENT_PUMP, that is nested in a handler
// that is still under way (a transfer, a parse, a rebuild, a check).
bool inside_event_pump();

// Runs queued events until none is left (events queued meanwhile included).
void run_queued_events();

}  // namespace tv::platform

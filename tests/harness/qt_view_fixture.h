// The Qt view on Qt's offscreen platform, with a fresh program folder and recorded events.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "harness/offscreen_qt.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

class QtViewTest : public ::testing::Test {
protected:
    QtViewTest() { qt = test::offscreen_qt_platform(); }
    ~QtViewTest() override { qt.reset(); }

    QtView& view() { return qt->qt_view(); }
    // Handlers that record the events they run, in order.
    void record(std::initializer_list<const char*> names) {
        for (const char* name : names) handlers().set(name, [this, n = std::string(name)] { events.push_back(n); });
    }
    std::vector<std::string> ran() {
        events.clear();
        run_queued_events();
        return events;
    }
    Form& show(const std::string& name, const Forms::Definition& definition) {
        forms().define(name, definition);
        forms().load(name);
        Form& f = form(name);
        f.visible = true;
        f.changed();
        return f;
    }

    test::Harness h;
    std::unique_ptr<QtPlatform> qt;
    std::vector<std::string> events;
};

}  // namespace tv::platform::qt

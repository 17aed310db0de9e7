// Popup menus for people: a QMenu at a point of a window's client area.
#pragma once

#include "platform/services.h"

namespace tv::platform::qt {

class QtView;

// Each item stands after a separator; greyed items show but cannot be chosen. The menu runs its
// own loop: window messages go on, queued events of the program do not run.
class QtPopupMenu : public PopupMenuService {
public:
    explicit QtPopupMenu(QtView& view) : view_(view) {}
    std::optional<std::string> show(const PopupRequest& request) override;

private:
    QtView& view_;
};

}  // namespace tv::platform::qt

#include "platform/qt/popup_menu.h"

#include <QCursor>
#include <QMenu>

#include "platform/qt/form_window.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

std::optional<std::string> QtPopupMenu::show(const PopupRequest& request) {
    FormWindow* owner = view_.window(request.owner);
    bool shown = owner && owner->isVisible();
    QMenu menu(shown ? owner : nullptr);
    menu.setObjectName(QString::fromStdString(request.popup));
    for (const auto& item : request.items) {
        menu.addSeparator();
        QAction* action = menu.addAction(to_qstring(item.caption));
        action->setData(QString::fromStdString(item.name));
        action->setEnabled(!item.greyed);
    }
    QPoint at = shown ? owner->surface()->mapToGlobal(QPoint(request.x, request.y)) : QCursor::pos();
    QAction* chosen = menu.exec(at);
    view_.rethrow_pending();
    if (!chosen || !chosen->isEnabled()) return std::nullopt;
    return chosen->data().toString().toStdString();
}

}  // namespace tv::platform::qt

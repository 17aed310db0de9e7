// Buttons, labels, check boxes, radio buttons, frames and menu items.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <type_traits>

#include "platform/input.h"
#include "platform/qt/control_view.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_text.h"

namespace tv::platform::qt {

namespace {

// A push button, check box or radio button: a click goes to the model, which decides the checked
// state; the widget then shows what the model holds.
template <class Button>
class ButtonView : public ControlView {
public:
    ButtonView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model) {
        button_ = new Button(surface);
        if constexpr (std::is_same_v<Button, QPushButton>) {
            button_->setAutoDefault(false);
        } else {
            button_->setAutoExclusive(false);  // the model keeps radio groups
        }
        QObject::connect(button_, &QAbstractButton::clicked, button_, [this] {
            deliver([](Control& c) { input::click(c); });
            if (control()) sync();
        });
    }
    ~ButtonView() override { delete button_; }
    QWidget* widget() const override { return button_; }
    void sync() override {
        SyncScope scope(*this);
        const Control& c = *control();
        sync_common(*button_);
        QString caption = to_qstring(c.caption);
        if (button_->text() != caption) button_->setText(caption);
        if (button_->isCheckable() && button_->isChecked() != c.checked) button_->setChecked(c.checked);
    }

private:
    QPointer<Button> button_;
};

class LabelView : public ControlView {
public:
    LabelView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model) {
        label_ = new QLabel(surface);
        label_->setTextFormat(Qt::PlainText);  // texts from mail are never markup
        label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label_->setWordWrap(true);
    }
    ~LabelView() override { delete label_; }
    QWidget* widget() const override { return label_; }
    void sync() override {
        sync_common(*label_);
        QString caption = to_qstring(control()->caption);
        if (label_->text() != caption) label_->setText(caption);
    }

private:
    QPointer<QLabel> label_;
};

class FrameView : public ControlView {
public:
    FrameView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model) {
        frame_ = new QGroupBox(surface);
        frame_->lower();  // behind the controls placed on it
    }
    ~FrameView() override { delete frame_; }
    QWidget* widget() const override { return frame_; }
    void sync() override {
        sync_common(*frame_);
        QString caption = to_qstring(control()->caption);
        if (frame_->title() != caption) frame_->setTitle(caption);
    }

private:
    QPointer<QGroupBox> frame_;
};

// A menu-bar item: an action in the menu named by its `menu` caption. The check mark shows only
// while the item is checked, as on a plain menu.
class MenuItemView : public ControlView {
public:
    MenuItemView(QtView& view, FormWindow& window, Control& model) : ControlView(view, model) {
        if (model.menu.empty()) {
            action_ = window.bar()->addAction(QString());
        } else {
            QMenu* menu = window.menu(to_qstring(model.menu));
            if (model.caption == "-") {
                action_ = menu->addSeparator();
                return;
            }
            action_ = menu->addAction(QString());
        }
        QObject::connect(action_, &QAction::triggered, action_, [this] {
            deliver([](Control& c) { input::click(c); });
            if (control()) sync();
        });
    }
    ~MenuItemView() override { delete action_; }
    QWidget* widget() const override { return nullptr; }
    QAction* action() const { return action_; }
    void sync() override {
        const Control& c = *control();
        if (!action_->isSeparator()) {
            QString caption = to_qstring(c.caption);
            if (action_->text() != caption) action_->setText(caption);
            action_->setCheckable(c.checked);
            if (c.checked) action_->setChecked(true);
        }
        action_->setEnabled(c.enabled);
        action_->setVisible(c.visible);
    }

private:
    QPointer<QAction> action_;
};

}  // namespace

std::unique_ptr<ControlView> make_button_view(QtView& view, QWidget* surface, Control& control) {
    switch (control.kind()) {
        case ControlKind::Label: return std::make_unique<LabelView>(view, surface, control);
        case ControlKind::Frame: return std::make_unique<FrameView>(view, surface, control);
        case ControlKind::CheckBox: return std::make_unique<ButtonView<QCheckBox>>(view, surface, control);
        case ControlKind::Radio: return std::make_unique<ButtonView<QRadioButton>>(view, surface, control);
        default: return std::make_unique<ButtonView<QPushButton>>(view, surface, control);
    }
}

std::unique_ptr<ControlView> make_menu_item_view(QtView& view, FormWindow& window, Control& control) {
    return std::make_unique<MenuItemView>(view, window, control);
}

QAction* menu_action_of(ControlView* view) {
    auto* item = dynamic_cast<MenuItemView*>(view);
    return item ? item->action() : nullptr;
}

}  // namespace tv::platform::qt

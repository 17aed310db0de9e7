// List boxes: rows in the list's font, one row per line of text, cut (not elided) at the right edge.
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "platform/input.h"
#include "platform/qt/control_view.h"
#include "platform/qt/list_rows_model.h"
#include "platform/qt/qt_text.h"

namespace tv::platform::qt {

namespace {

// Rows as high as the font's line, as a plain list box draws them.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(option.fontMetrics.height());
        return size;
    }
};

// The keys that move the highlight, whatever modifier is held with them.
constexpr std::pair<int, input::ListKey> kListKeys[] = {
    {Qt::Key_Up, input::ListKey::Up},         {Qt::Key_Down, input::ListKey::Down},
    {Qt::Key_PageUp, input::ListKey::PageUp}, {Qt::Key_PageDown, input::ListKey::PageDown},
    {Qt::Key_Home, input::ListKey::Home},     {Qt::Key_End, input::ListKey::End},
};

class RowList : public QListView {
public:
    using QListView::QListView;
    // The model moves the highlight, never the list itself: a move the list made on its own and
    // then scrolled for was undone by the model's selection while the scroll was reported, and
    // the click handler saw the row before it (or no move at all).
    std::function<void(input::ListKey)> on_list_key;
    std::function<void(const QString&)> on_typed;  // a character typed to find a row
    std::function<void()> on_left_release;  // after the list's own handling of the release
    std::function<void()> on_show;
    std::function<void(QPoint)> on_right_click;  // where the right button went down (viewport pixels)

protected:
    void keyPressEvent(QKeyEvent* event) override {
        for (auto [qt_key, key] : kListKeys) {
            if (event->key() != qt_key) continue;
            if (on_list_key) on_list_key(key);
            event->accept();
            return;
        }
        QListView::keyPressEvent(event);  // a character typed comes back as keyboardSearch
    }
    void keyboardSearch(const QString& search) override {
        if (on_typed) on_typed(search);
    }
    // Only the left button selects a row; the right button is left to the program's popup menus,
    // which the main loop opens once the button is up again.
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::RightButton) {
            right_down_ = true;
            right_at_ = event->position().toPoint();
        }
        if (event->button() == Qt::LeftButton) QListView::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::RightButton) {
            bool pressed_here = right_down_;
            right_down_ = false;
            if (pressed_here && on_right_click) on_right_click(right_at_);
            return;
        }
        QListView::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && on_left_release) on_left_release();
    }
    void showEvent(QShowEvent* event) override {
        QListView::showEvent(event);
        if (on_show) on_show();
    }

private:
    bool right_down_ = false;
    QPoint right_at_;
};

class ListView : public ControlView {
public:
    ListView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model), surface_(surface) {
        list_ = new RowList(surface);
        rows_ = new ListRowsModel(list_);
        list_->setModel(rows_);
        list_->setItemDelegate(new RowDelegate(list_));
        list_->setUniformItemSizes(true);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list_->setTextElideMode(Qt::ElideNone);
        list_->setWordWrap(false);
        QObject::connect(list_, &QListView::clicked, list_, [this](const QModelIndex& index) {
            row_input(index.row(), input::click_row);
        });
        QObject::connect(list_, &QListView::doubleClicked, list_, [this](const QModelIndex& index) {
            row_input(index.row(), input::second_click_row);
        });
        // A press dragged to another row moves the highlight with no click of its own: the row
        // it ends on is clicked.
        list_->on_left_release = [this] {
            int row = list_->currentIndex().row();
            if (control() && row >= 0 && row != control()->selected()) row_input(row, input::click_row);
        };
        list_->on_list_key = [this](input::ListKey key) {
            take_input([key](Control& c) { input::press_list_key(c, key); });
        };
        list_->on_typed = [this](const QString& typed) {
            auto cp932 = from_qstring(typed);
            if (!cp932) return;  // no row holds what CP932 cannot
            take_input([text = *cp932](Control& c) { input::type_in_list(c, text); });
        };
        // The main loop decides what a right click does; the point goes in the window's client pixels.
        list_->on_right_click = [this](QPoint at) {
            QPoint client = list_->viewport()->mapTo(surface_, at);
            deliver([client](Control& c) { input::press_right_button(c.form(), client.x(), client.y()); });
        };
        list_->on_show = [this] {
            if (!control()) return;
            top_ = -1;  // a hidden list could not scroll: place its top row now
            sync();
        };
        QObject::connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, list_, [this](int top) {
            if (syncing() || !control()) return;
            user_scroll_ = true;
            deliver([top](Control& c) { input::scroll_list(c, top); });
            user_scroll_ = false;
            if (control()) top_ = control()->top_index();
        });
    }
    ~ListView() override { delete list_; }
    QWidget* widget() const override { return list_; }

    void sync() override {
        SyncScope scope(*this);
        const Control& c = *control();
        sync_common(*list_);
        // Where the rows are as shown, so that a right click acts on the row under the pointer.
        Control& shown = *control();
        shown.shown_row_height = QFontMetrics(list_->font()).height();
        shown.shown_rows_top = list_->frameWidth();
        // Whole rows the list shows, so that a selection by the program scrolls only as needed.
        if (shown.shown_row_height > 0 && c.height > 0) {
            shown.visible_rows = std::max(1, (c.height - 2 * list_->frameWidth()) / shown.shown_row_height);
        }
        if (!c.visible) {
            // Hidden lists (folder listings) are work lists: their rows are not mirrored.
            rows_->drop();
            top_ = -1;
            return;
        }
        rows_->follow(c);
        sync_selection(c.selected());
        if (!user_scroll_ && c.top_index() != top_ && list_->isVisible()) {
            top_ = c.top_index();
            if (top_ < c.count()) list_->scrollTo(rows_->index(top_), QAbstractItemView::PositionAtTop);
        }
    }

    void detach() override {
        rows_->drop();
        ControlView::detach();
    }

private:
    void row_input(int row, bool (*input)(Control&, int)) {
        take_input([row, input](Control& c) { input(c, row); });
    }
    // Input to the model, then the list shows the model's highlight and top row.
    void take_input(const std::function<void(Control&)>& input) {
        deliver(input);
        if (control()) sync();
    }

    void sync_selection(int row) {
        auto* selection = list_->selectionModel();
        if (row < 0) {
            if (selection->hasSelection() || selection->currentIndex().isValid()) selection->clear();
            return;
        }
        QModelIndex index = rows_->index(row);
        if (selection->currentIndex() != index || !selection->isSelected(index)) {
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        }
    }

    QWidget* surface_;
    QPointer<RowList> list_;
    ListRowsModel* rows_ = nullptr;
    int top_ = -1;  // the model's top row last placed
    bool user_scroll_ = false;
};

}  // namespace

std::unique_ptr<ControlView> make_list_view(QtView& view, QWidget* surface, Control& control) {
    return std::make_unique<ListView>(view, surface, control);
}

}  // namespace tv::platform::qt

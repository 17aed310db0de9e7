// Edits and combo boxes: typed or pasted text reaches the model as CP932 through change_text;
// text CP932 cannot hold is refused with a beep, and so is typing over the edit's byte limit (a
// multi-line box cuts what was typed or pasted at the limit); deleting is always taken.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QValidator>
#include <optional>
#include <string>

#include "platform/input.h"
#include "platform/qt/cp932_validator.h"
#include "platform/qt/control_view.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

namespace {

// The back colour of an edit: the control's own, or the desktop's.
void apply_back_color(QWidget& edit, const Control& c) {
    QPalette palette = edit.palette();
    QColor wanted = c.back_color ? to_qcolor(*c.back_color) : QApplication::palette().color(QPalette::Base);
    if (palette.color(QPalette::Base) == wanted) return;
    palette.setColor(QPalette::Base, wanted);
    edit.setPalette(palette);
}

}  // namespace

Cp932Validator::Cp932Validator(QObject* parent, std::function<void()> beep,
                               std::function<std::optional<std::size_t>()> limit, const QString& accepted)
    : QValidator(parent), beep_(std::move(beep)), limit_(std::move(limit)), accepted_(accepted) {}

QValidator::State Cp932Validator::validate(QString& input, int&) const {
    auto limit = limit_();
    if (!limit || input == accepted_) return Acceptable;
    auto bytes = from_qstring(input);
    if (fits_cp932(bytes, *limit)) return Acceptable;
    // A text already over the limit (set by the program) still takes deletions.
    auto before = from_qstring(accepted_);
    if (bytes && before && bytes->size() <= before->size()) return Acceptable;
    beep_();
    return Invalid;
}

bool fits_cp932(const std::optional<std::string>& bytes, std::size_t limit) {
    return bytes && (limit == 0 || bytes->size() <= limit);
}

void ControlView::take_line_input(QLineEdit* line, QString& accepted) {
    line->setValidator(new Cp932Validator(
        line, [this] { view_.beep(); },
        [this]() -> std::optional<std::size_t> {
            if (syncing() || !control()) return std::nullopt;
            return control()->max_length;
        },
        accepted));
    QObject::connect(line, &QLineEdit::textEdited, line, [this, &accepted](const QString& text) {
        auto bytes = from_qstring(text);
        if (!bytes) return;  // refused by the validator already
        accepted = text;
        deliver([&](Control& c) { input::change_text(c, *bytes); });
        if (control()) sync();
    });
}

namespace {

class LineEditView : public ControlView {
public:
    LineEditView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model) {
        edit_ = new QLineEdit(surface);
        take_line_input(edit_, accepted_);
    }
    ~LineEditView() override { delete edit_; }
    QWidget* widget() const override { return edit_; }
    void sync() override {
        SyncScope scope(*this);
        const Control& c = *control();
        sync_common(*edit_);
        edit_->setReadOnly(c.read_only);
        edit_->setEchoMode(c.password ? QLineEdit::Password : QLineEdit::Normal);
        edit_->setFrame(c.border);
        apply_back_color(*edit_, c);
        QString shown = to_qstring(c.text);
        accepted_ = shown;
        if (edit_->text() != shown) edit_->setText(shown);
        if (selections_ != c.selection_requests) {
            selections_ = c.selection_requests;
            edit_->selectAll();
        }
    }

private:
    QPointer<QLineEdit> edit_;
    QString accepted_;
    std::uint64_t selections_ = 0;
};

class TextEditView : public ControlView {
public:
    TextEditView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model) {
        edit_ = new QPlainTextEdit(surface);
        edit_->setTabChangesFocus(true);
        // Lines scroll with the caret; only a box with a vertical bar shows one.
        edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] { typed(); });
    }
    ~TextEditView() override { delete edit_; }
    QWidget* widget() const override { return edit_; }
    void sync() override {
        SyncScope scope(*this);
        const Control& c = *control();
        sync_common(*edit_);
        edit_->setReadOnly(c.read_only);
        edit_->setVerticalScrollBarPolicy(c.scroll_bars == ScrollBars::Vertical ? Qt::ScrollBarAlwaysOn
                                                                               : Qt::ScrollBarAlwaysOff);
        // Without wrapping, a box one line high scrolls sideways with the caret.
        edit_->setLineWrapMode(c.word_wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        edit_->setFrameShape(c.border ? QFrame::StyledPanel : QFrame::NoFrame);
        apply_back_color(*edit_, c);
        // A large text (a mail source) is converted and compared only when the program changed it,
        // not on every resize or state change of the box.
        if (shown_ && *shown_ == c.text) {
            sync_selection(c);
            return;
        }
        shown_ = c.text;
        QString shown = lines_to_qstring(c.text);
        accepted_ = shown;
        if (edit_->toPlainText() != shown) {
            edit_->setPlainText(shown);
            // Text set by the program shows from its start, also in a box one line high that had
            // scrolled to a second line when Enter was typed.
            edit_->moveCursor(QTextCursor::Start);
            edit_->verticalScrollBar()->setValue(0);
            edit_->ensureCursorVisible();
        }
        sync_selection(c);
    }

private:
    void sync_selection(const Control& c) {
        if (selections_ != c.selection_requests) {
            selections_ = c.selection_requests;
            edit_->selectAll();
        }
    }

    void typed() {
        Control* c = control();
        if (syncing() || !c) return;
        QString now = edit_->toPlainText();
        auto bytes = lines_from_qstring(now);
        if (!bytes) {
            // CP932 cannot hold what came: the box goes back to what it held.
            view_.beep();
            int caret = edit_->textCursor().position() - static_cast<int>(now.size() - accepted_.size());
            show_typed(accepted_, caret);
            return;
        }
        std::string before = lines_from_qstring(accepted_).value_or(std::string());
        std::size_t typed_end = 0;
        std::string kept = input::within_limit(before, *bytes, c->max_length, &typed_end);
        if (kept != *bytes) {
            // Typed or pasted over the limit: cut where the text reaches it; deleting always goes.
            view_.beep();
            now = lines_to_qstring(kept);
            show_typed(now, static_cast<int>(lines_to_qstring(std::string_view(kept).substr(0, typed_end)).size()));
            if (kept == before) return;
        }
        accepted_ = now;
        deliver([&](Control& target) { input::change_text(target, kept); });
        shown_.reset();  // whatever the model holds now is compared with what was typed
        if (control()) sync();
    }

    // Shows a text the program put in place of what was typed, the caret at `caret`.
    void show_typed(const QString& text, int caret) {
        SyncScope scope(*this);
        edit_->setPlainText(text);
        QTextCursor cursor = edit_->textCursor();
        cursor.setPosition(std::clamp(caret, 0, static_cast<int>(text.size())));
        edit_->setTextCursor(cursor);
    }

    QPointer<QPlainTextEdit> edit_;
    QString accepted_;
    std::optional<std::string> shown_;  // the model text the box shows
    std::uint64_t selections_ = 0;
};

// A combo box: choosing a row is a row click; an editable one (not read-only) takes typed text
// like an edit.
class ComboView : public ControlView {
public:
    ComboView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model) {
        combo_ = new QComboBox(surface);
        combo_->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(combo_, &QComboBox::activated, combo_, [this](int row) {
            deliver([row](Control& c) { input::click_row(c, row); });
            if (control()) sync();
        });
    }
    ~ComboView() override { delete combo_; }
    QWidget* widget() const override { return combo_; }
    void sync() override {
        SyncScope scope(*this);
        const Control& c = *control();
        sync_common(*combo_);
        set_editable(!c.read_only);
        if (revision_ != c.rows_revision() || combo_->count() != c.count()) {
            revision_ = c.rows_revision();
            combo_->clear();
            for (const auto& row : c.items()) combo_->addItem(to_qstring(row));
        }
        if (combo_->currentIndex() != c.selected()) combo_->setCurrentIndex(c.selected());
        if (QLineEdit* line = combo_->lineEdit()) {
            accepted_ = to_qstring(c.text);
            if (line->text() != accepted_) line->setText(accepted_);
        }
    }

private:
    void set_editable(bool editable) {
        if (combo_->isEditable() == editable) return;
        combo_->setEditable(editable);
        if (!editable) return;
        take_line_input(combo_->lineEdit(), accepted_);
    }

    QPointer<QComboBox> combo_;
    QString accepted_;
    std::uint64_t revision_ = ~std::uint64_t{0};
};

}  // namespace

std::unique_ptr<ControlView> make_edit_view(QtView& view, QWidget* surface, Control& control) {
    if (control.multiline) return std::make_unique<TextEditView>(view, surface, control);
    return std::make_unique<LineEditView>(view, surface, control);
}

std::unique_ptr<ControlView> make_combo_view(QtView& view, QWidget* surface, Control& control) {
    return std::make_unique<ComboView>(view, surface, control);
}

}  // namespace tv::platform::qt

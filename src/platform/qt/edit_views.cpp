// Edits and combo boxes: typed or pasted text reaches the model as CP932 through change_text;
// text CP932 cannot hold, or more bytes than the edit's limit, is refused with a beep.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QValidator>

#include "platform/input.h"
#include "platform/qt/control_view.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

namespace {

bool fits(const std::optional<std::string>& bytes, const Control& control) {
    return bytes && (control.max_length == 0 || bytes->size() <= control.max_length);
}

// Refuses a line-edit change CP932 cannot hold or that is over the byte limit; the line edit
// then undoes the keystroke or paste. Texts the program sets are never refused.
class Cp932Validator : public QValidator {
public:
    Cp932Validator(QObject* parent, QtView& view, std::function<const Control*()> control, const QString& accepted)
        : QValidator(parent), view_(view), control_(std::move(control)), accepted_(accepted) {}
    State validate(QString& input, int&) const override {
        const Control* c = control_();
        if (!c || input == accepted_) return Acceptable;
        if (fits(from_qstring(input), *c)) return Acceptable;
        view_.beep();
        return Invalid;
    }

private:
    QtView& view_;
    std::function<const Control*()> control_;
    const QString& accepted_;
};

}  // namespace

void ControlView::take_line_input(QLineEdit* line, QString& accepted) {
    line->setValidator(new Cp932Validator(line, view_, [this]() -> const Control* {
        return syncing() ? nullptr : control();
    }, accepted));
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
        QString shown = to_qstring(c.text);
        accepted_ = shown;
        if (edit_->text() != shown) edit_->setText(shown);
    }

private:
    QPointer<QLineEdit> edit_;
    QString accepted_;
};

class TextEditView : public ControlView {
public:
    TextEditView(QtView& view, QWidget* surface, Control& model) : ControlView(view, model) {
        edit_ = new QPlainTextEdit(surface);
        edit_->setTabChangesFocus(true);
        // Several lines scroll with the caret; a box one line high shows no scroll bars.
        edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    }

private:
    void typed() {
        Control* c = control();
        if (syncing() || !c) return;
        QString now = edit_->toPlainText();
        auto bytes = lines_from_qstring(now);
        if (!fits(bytes, *c)) {
            view_.beep();
            int caret = edit_->textCursor().position() - static_cast<int>(now.size() - accepted_.size());
            SyncScope scope(*this);
            edit_->setPlainText(accepted_);
            QTextCursor cursor = edit_->textCursor();
            cursor.setPosition(std::clamp(caret, 0, static_cast<int>(accepted_.size())));
            edit_->setTextCursor(cursor);
            return;
        }
        accepted_ = now;
        deliver([&](Control& target) { input::change_text(target, *bytes); });
        if (control()) sync();
    }

    QPointer<QPlainTextEdit> edit_;
    QString accepted_;
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

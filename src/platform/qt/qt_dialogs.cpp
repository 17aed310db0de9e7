#include "platform/qt/qt_dialogs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/paths.h"
#include "common/sjis.h"
#include "platform/qt/cp932_validator.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

namespace {

// A start path of the program (CP932, "\" or "/" between parts) on the disk; empty stays empty.
QString disk_path(const std::string& path) {
    if (trim(path).empty()) return {};
    return QString::fromStdString(files::resolve(path).string());
}

// A chosen path back in the program's form; a path CP932 cannot hold, or whose CP932 form names
// another file, goes back as UTF-8 for the caller to refuse.
DialogAnswer answer_of(const QString& chosen) {
    std::string utf8 = QDir::cleanPath(chosen).toStdString();
    if (auto cp932 = path_from_utf8(utf8)) return DialogAnswer{DialogAnswer::Outcome::Chosen, *cp932};
    return DialogAnswer{DialogAnswer::Outcome::NotCp932, utf8};
}

// The desktop's "*.*" matches every name, also one without a dot.
QStringList name_filters(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const auto& filter : filters) {
        QStringList patterns;
        for (const QString& pattern : QString::fromStdString(filter.pattern).split(u';', Qt::SkipEmptyParts)) {
            patterns << (pattern.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*") : pattern.trimmed());
        }
        list << to_qstring(filter.caption) + QStringLiteral(" (") + patterns.join(u' ') + QStringLiteral(")");
    }
    return list;
}

// What the user chose in a file dialog; cancelled when the dialog was closed without a choice.
DialogAnswer chosen_in(QtView& view, QFileDialog& dialog) {
    if (view.exec_modal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return answer_of(dialog.selectedFiles().first());
}

void prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setWindowTitle(to_qstring(request.title));
    if (!request.filters.empty()) dialog.setNameFilters(name_filters(request.filters));
}

}  // namespace

std::string QtDialogs::input_box(const InputBoxRequest& request) {
    QDialog dialog(view_.dialog_parent(request.owner));
    dialog.setWindowTitle(to_qstring(request.title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* prompt = new QLabel(to_qstring(request.prompt), &dialog);
    prompt->setTextFormat(Qt::PlainText);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    auto* line = new QLineEdit(&dialog);
    line->setMinimumWidth(360);
    QString accepted = to_qstring(request.text);
    line->setText(accepted);
    std::size_t limit = request.max_bytes;
    line->setValidator(new Cp932Validator(line, [this] { view_.beep(); }, [limit] { return std::optional(limit); }, accepted));
    QObject::connect(line, &QLineEdit::textEdited, line, [&accepted](const QString& text) { accepted = text; });
    layout->addWidget(line);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (view_.exec_modal(dialog) != QDialog::Accepted) return "\x1b";
    return from_qstring(line->text()).value_or("\x1b");
}

DialogAnswer QtDialogs::open_file(const FileDialogRequest& request) {
    QFileDialog dialog(view_.dialog_parent(request.owner));
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QString start = disk_path(request.start);
    if (!start.isEmpty()) dialog.setDirectory(start);
    return chosen_in(view_, dialog);
}

DialogAnswer QtDialogs::save_file(const FileDialogRequest& request) {
    QFileDialog dialog(view_.dialog_parent(request.owner));
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QString start = disk_path(request.start);
    if (!start.isEmpty()) {
        QFileInfo info(start);
        if (info.isDir()) {
            dialog.setDirectory(start);
        } else {
            dialog.setDirectory(info.path());
            dialog.selectFile(info.fileName());
        }
    }
    return chosen_in(view_, dialog);
}

DialogAnswer QtDialogs::browse_folder(const std::string& owner) {
    QFileDialog dialog(view_.dialog_parent(owner));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setDirectory(QDir::home());
    return chosen_in(view_, dialog);
}

}  // namespace tv::platform::qt

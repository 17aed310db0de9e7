#include "platform/qt/list_rows_model.h"

#include "platform/qt/qt_text.h"

namespace tv::platform::qt {

int ListRowsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ListRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !control_ || index.row() < 0 || index.row() >= rows_) return {};
    return to_qstring(control_->item(index.row()));
}

void ListRowsModel::follow(const Control& control) {
    using Kind = Control::RowsChange::Kind;
    if (control_ == &control && revision_ == control.rows_revision()) return;
    const auto& change = control.last_rows_change();
    bool one_step = control_ == &control && revision_ + 1 == control.rows_revision();
    if (one_step && change.kind == Kind::Insert && rows_ + 1 == control.count()) {
        beginInsertRows(QModelIndex(), change.row, change.row);
        ++rows_;
        revision_ = control.rows_revision();
        endInsertRows();
        return;
    }
    if (one_step && change.kind == Kind::Remove && rows_ - 1 == control.count()) {
        beginRemoveRows(QModelIndex(), change.row, change.row);
        --rows_;
        revision_ = control.rows_revision();
        endRemoveRows();
        return;
    }
    beginResetModel();
    control_ = &control;
    rows_ = control.count();
    revision_ = control.rows_revision();
    endResetModel();
}

void ListRowsModel::drop() {
    if (!control_ && rows_ == 0) return;
    beginResetModel();
    control_ = nullptr;
    rows_ = 0;
    endResetModel();
}

}  // namespace tv::platform::qt

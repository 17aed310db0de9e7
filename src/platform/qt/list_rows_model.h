// The rows of a list box control as a Qt item model. It reads the rows from the control itself and
// follows its changes row by row, so appending to a long list costs the same as to a short one.
#pragma once

#include <QAbstractListModel>
#include <cstdint>

#include "platform/forms.h"

namespace tv::platform::qt {

class ListRowsModel : public QAbstractListModel {
public:
    explicit ListRowsModel(QObject* parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Catches up with the control's rows (one step when only one change happened since).
    void follow(const Control& control);
    // Shows no rows until the next follow (the control is hidden or about to be destroyed).
    void drop();

private:
    const Control* control_ = nullptr;
    int rows_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace tv::platform::qt

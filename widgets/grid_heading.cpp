#include "widgets/grid_heading.h"

#include <QEvent>

TGridHeading::TGridHeading(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    connect(this, &QHeaderView::sortIndicatorChanged, this, [this] { height = -1; });
}

QSize TGridHeading::sizeHint() const {
    if (height < 0) height = QHeaderView::sizeHint().height();
    return {length(), height};
}

void TGridHeading::setModel(QAbstractItemModel* rows) {
    QHeaderView::setModel(rows);
    height = -1;
    if (rows) connect(rows, &QAbstractItemModel::headerDataChanged, this, [this] { height = -1; });
}

void TGridHeading::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) height = -1;
    QHeaderView::changeEvent(event);
}

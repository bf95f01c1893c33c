#pragma once
#include <QHeaderView>

// The message table's column heading. Qt measures a heading's texts again each time the table
// lays out its rows, which a check does once per message; its height changes only with the
// texts, the font or the style, so it is measured once for them.
class TGridHeading : public QHeaderView {
public:
    explicit TGridHeading(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    void setModel(QAbstractItemModel* model) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    mutable int height = -1; // -1: not measured
};

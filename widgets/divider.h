#pragma once
#include <QFrame>
#include <functional>

// The divider between the tree side and the table side; it reports every mouse move over it
// (with the buttons held) and leaves the resizing to its handler.
class TDivider : public QFrame {
    Q_OBJECT
public:
    explicit TDivider(QWidget* parent = nullptr);

    std::function<void(Qt::MouseButtons shift, int x, int y)> OnMouseMove;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

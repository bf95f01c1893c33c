#pragma once
#include <QFrame>
#include <QWidget>
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

// The area under the toolbar: the tree side (Panel2) at a width of its own, the divider, and
// the table side (Panel1), which takes whatever width remains, even none.
class TBodyPanels : public QWidget {
    Q_OBJECT
public:
    static constexpr int DividerWidth = 5;

    explicit TBodyPanels(QWidget* parent = nullptr);

    QWidget* Panel1() const { return panel1; }
    QWidget* Panel2() const { return panel2; }
    TDivider* Divider() const { return divider; }
    int Panel2Width() const { return panel2Width; }
    void SetPanel2Width(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Arrange();

    QWidget* panel2;
    TDivider* divider;
    QWidget* panel1;
    int panel2Width = 153;
};

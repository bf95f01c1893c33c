#pragma once
#include <QWidget>

class TDivider;

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

#pragma once

#include <QLineEdit>
#include <QSpinBox>

namespace varnel {

// A line edit that reports when the focus leaves it; fields that store their value on exit
// (the password, the default condition, the mask symbol) use it.
class ExitLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
signals:
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

// An edit with an up-down whose text cannot be typed: only the arrows (buttons or keys) change
// it, and it stops at its ends.
class ArrowSpinBox final : public QSpinBox {
    Q_OBJECT
public:
    explicit ArrowSpinBox(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace varnel

#include "shell/FormWidgets.h"

#include <QWheelEvent>

namespace varnel {

void ExitLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    emit exited();
}

ArrowSpinBox::ArrowSpinBox(QWidget* parent) : QSpinBox(parent)
{
    // Read-only on the spin box itself would switch the arrows off as well.
    lineEdit()->setReadOnly(true);
    setWrapping(false);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
}

void ArrowSpinBox::wheelEvent(QWheelEvent* event)
{
    // A scroll over the page must not change a stored number by accident.
    event->ignore();
}

} // namespace varnel

#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace varnel {

// The password prompt: caption "输入密码:", its own masked edit `edtMM` and `btnOK` "确定".
// The entered text is set only by the button (or Enter in the edit); any other way of closing
// leaves it empty.
class TfrmMM final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMM(QWidget* parent = nullptr);
    QString enteredText() const { return m_entered; }

    // Shows the prompt modally over `parent` and returns the entered text.
    static QString ask(QWidget* parent);

private:
    void btnOKClick();

    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
    QString m_entered;
};

} // namespace varnel

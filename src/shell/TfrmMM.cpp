#include "shell/TfrmMM.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varnel {

TfrmMM::TfrmMM(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMM"));
    setWindowTitle(QStringLiteral("输入密码:"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(14, 14, 14, 14);
    lay->setSpacing(8);
    auto* label = new QLabel(QStringLiteral("密码:"), this);
    label->setObjectName(QStringLiteral("lbMM"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edtMM"));
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setMinimumWidth(160);
    m_edit->clear();
    label->setBuddy(m_edit);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setAutoDefault(false);
    lay->addWidget(label);
    lay->addWidget(m_edit, 1);
    lay->addWidget(m_ok);
    setFixedSize(sizeHint());

    connect(m_ok, &QPushButton::clicked, this, &TfrmMM::btnOKClick);
    connect(m_edit, &QLineEdit::returnPressed, this, &TfrmMM::btnOKClick);
}

void TfrmMM::btnOKClick()
{
    m_entered = m_edit->text();
    accept();
}

QString TfrmMM::ask(QWidget* parent)
{
    TfrmMM dialog(parent);
    dialog.exec();
    return dialog.enteredText();
}

} // namespace varnel

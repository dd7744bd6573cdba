// The project password lock of the main window: the tree and the protected buttons.
#include "shell/TFrmSet.h"

#include "manage/pages/OptionPage.h"
#include "shell/TopBar.h"

#include <QAction>
#include <QToolButton>
#include <QTreeWidget>

namespace varnel {

void TFrmSet::setLockIcon(int index)
{
    m_lockIcon = index;
    m_lockButton->setIcon(lockIcon(index));
    m_lockButton->setToolTip(index == 1 ? QStringLiteral("已锁定, 点击输入密码解锁")
                                        : QStringLiteral("未锁定, 点击锁定项目设置"));
}

void TFrmSet::applyLockStateAtOpen()
{
    const OptionPage& o = *m_optionPage;
    if (o.passwordOn()) {
        m_tree->setEnabled(false);
        m_btnNew->setEnabled(!o.protectsNew());
        m_btnLoad->setEnabled(!o.protectsLoad());
        m_btnSee->setEnabled(!o.protectsRecords());
        m_btnClear->setEnabled(!o.protectsClear());
        m_lockButton->setVisible(true);
        setLockIcon(1);
    } else {
        m_lockButton->setVisible(false);
        setLockIcon(0);
        for (QToolButton* b : {m_btnNew, m_btnLoad, m_btnSee, m_btnClear})
            b->setEnabled(true);
        m_tree->setEnabled(true);
    }
    m_btnOpen->setEnabled(true); // "开始抽奖" is never locked
}

void TFrmSet::lock()
{
    const OptionPage& o = *m_optionPage;
    m_tree->setEnabled(false);
    if (o.protectsNew())
        m_btnNew->setEnabled(false);
    if (o.protectsLoad())
        m_btnLoad->setEnabled(false);
    if (o.protectsRecords())
        m_btnSee->setEnabled(false);
    if (o.protectsClear())
        m_btnClear->setEnabled(false);
    setLockIcon(1);
    showPage(PageMian);
}

void TFrmSet::unlock()
{
    const OptionPage& o = *m_optionPage;
    m_tree->setEnabled(true);
    if (o.protectsNew())
        m_btnNew->setEnabled(true);
    if (o.protectsLoad())
        m_btnLoad->setEnabled(true);
    if (o.protectsRecords())
        m_btnSee->setEnabled(true);
    if (o.protectsClear())
        m_btnClear->setEnabled(true);
    setLockIcon(0);
    showPage(PageMian);
}

void TFrmSet::editTopRightButtonClick()
{
    if (m_lockIcon == 1) {
        const QString entered = m_passwordPrompt ? m_passwordPrompt() : QString();
        if (entered == m_optionPage->password())
            unlock(); // a wrong password changes nothing, silently
        return;
    }
    if (m_optionPage->passwordOn())
        lock();
}

} // namespace varnel

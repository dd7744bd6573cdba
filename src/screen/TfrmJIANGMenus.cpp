// The draw screen's menus: the draw menu, the adjust-mode background and element menus, the
// show/hide switches, window mode, background change and leaving adjust mode.
#include "screen/TfrmJIANG.h"

#include "draw/DrawEngine.h"
#include "draw/DrawHost.h"
#include "platform/Dialogs.h"
#include "screen/CnAALabel.h"
#include "screen/PictureBox.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/ProjectDb.h"
#include "store/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

namespace varnel {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* subMenu(QMenu* menu, const char* name, const QString& caption)
{
    QMenu* m = menu->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QString updateStatement(const QString& key, const QString& value)
{
    return QStringLiteral("update z_set set var = '") + sqlQuote(value) +
           QStringLiteral("' where name = '") + sqlQuote(key) + QStringLiteral("'");
}

} // namespace

void TfrmJIANG::createDrawMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    M_exit = item(PopupMenu1, "M_exit", QStringLiteral("退出抽奖"));
    PopupMenu1->addSeparator();
    M_TempCJ = subMenu(PopupMenu1, "M_TempCJ", QStringLiteral("临时抽奖"));
    M_TempCJ->menuAction()->setVisible(false);
    M_ShowMD = subMenu(PopupMenu1, "M_ShowMD", QStringLiteral("显示中奖名单"));
    M_ShowZJQD = item(M_ShowMD, "M_ShowZJQD", QStringLiteral("全部(&Q)"));
    M_ShowAllGD = item(PopupMenu1, "M_ShowAllGD", QStringLiteral("显示全部滚动名单"));
    PopupMenu1->addSeparator();
    M_TGJX = item(PopupMenu1, "M_TGJX", QStringLiteral("跳过当前项目"));
    M_SY = item(PopupMenu1, "M_SY", QStringLiteral("顺延抽奖"));
    M_SY->setCheckable(true);
    M_SY->setChecked(true);
    M_NextJX = item(PopupMenu1, "M_NextJX", QStringLiteral("抽取下一项目"));
    M_NextJX->setEnabled(false);
    PopupMenu1->addSeparator();
    M_AddJX = item(PopupMenu1, "M_AddJX", QStringLiteral("增加抽取项目"));

    const auto on = [this](QAction* a, void (DrawEngine::*command)()) {
        connect(a, &QAction::triggered, this, [this, command] {
            if (m_engine)
                (m_engine.get()->*command)();
        });
    };
    on(M_exit, &DrawEngine::exitDraw);
    on(M_ShowAllGD, &DrawEngine::showAllRolling);
    on(M_TGJX, &DrawEngine::skipCurrentItem);
    on(M_NextJX, &DrawEngine::nextItem);
    on(M_AddJX, &DrawEngine::addItem);
    connect(M_ShowZJQD, &QAction::triggered, this, [this] {
        if (m_engine)
            m_engine->showItemWinners(M_ShowZJQD->text());
    });
    // The engine owns the check mark and pushes it back through setMenuState.
    connect(M_SY, &QAction::triggered, this, [this] {
        if (!m_engine)
            return;
        m_engine->toggleAutoContinue();
        // A refused toggle (while a press starts) must not leave the item flipped.
        M_SY->setChecked(m_engine->autoContinue());
    });
}

void TfrmJIANG::createAdjustMenus()
{
    pmBJ = new QMenu(this);
    pmBJ->setObjectName(QStringLiteral("pmBJ"));
    M_Windows = item(pmBJ, "M_Windows", QStringLiteral("窗口模式"));
    M_Windows->setCheckable(true);
    pmBJ->addSeparator();
    struct Row {
        const char* name;
        const char* caption;
        QWidget* element;
        const char* key;
    };
    const Row rows[] = {
        {"M_DWMC", "显示单位名称", lbDWname, "抽奖界面单位名称显示"},
        {"M_DWHB", "显示抽奖按键", imgHB, "抽奖界面单位徽标显示"},
        {"M_ZBT", "显示主标题", lbZBTname, "抽奖界面主标题显示"},
        {"M_FBT", "显示副标题", lbFBTname, "抽奖界面副标题显示"},
        {"M_JPMC", "显示奖品名称", lbJPname, "抽奖界面奖品栏显示"},
        {"M_JPTP", "显示奖品图片", imgJP, "抽奖界面奖品栏图片显示"},
        {"M_ZTXX", "显示状态信息", lbZTLname, "抽奖界面状态栏显示"},
    };
    for (const Row& r : rows) {
        QAction* a = item(pmBJ, r.name, QString::fromUtf8(r.caption));
        a->setCheckable(true);
        m_switches.append({a, r.element, QString::fromUtf8(r.key)});
    }
    M_DWMC = m_switches[0].item;
    M_DWHB = m_switches[1].item;
    M_ZBT = m_switches[2].item;
    M_FBT = m_switches[3].item;
    M_JPMC = m_switches[4].item;
    M_JPTP = m_switches[5].item;
    M_ZTXX = m_switches[6].item;
    for (const Switch& s : m_switches)
        connect(s.item, &QAction::triggered, this, [this, s] { switchClick(s); });
    pmBJ->addSeparator();
    M_BJ = item(pmBJ, "M_BJ", QStringLiteral("更换背景图片"));
    pmBJ->addSeparator();
    M_Close = item(pmBJ, "M_Close", QStringLiteral("退出"));
    connect(M_Windows, &QAction::triggered, this, [this] { M_WindowsClick(); });
    connect(M_BJ, &QAction::triggered, this, [this] { M_BJClick(); });
    connect(M_Close, &QAction::triggered, this, [this] { M_CloseClick(); });

    // Each element's own menu: its settings, "隐藏", "退出" (the rolling area cannot hide).
    struct ElementMenu {
        QMenu** menu;
        const char* name;
        QWidget* element;
        const char* settingsName;
        const char* settingsCaption;
        int switchIndex; // -1: no "隐藏"
    };
    const ElementMenu menus[] = {
        {&pmDW, "pmDW", lbDWname, "M_DWMCset", "单位标签设置", 0},
        {&pmZBT, "pmZBT", lbZBTname, "M_ZBTset", "主标题设置", 2},
        {&pmFBT, "pmFBT", lbFBTname, "M_FBTset", "副标题设置", 3},
        {&pmJPM, "pmJPM", lbJPname, "M_JPMCset", "状态-奖品提示设置", 4},
        {&pmZTL, "pmZTL", lbZTLname, "M_ZTLset", "状态-信息提示设置", 6},
        {&pmGDL, "pmGDL", lbGDLname, "M_GDLset", "滚动数据区域设置", -1},
        {&pmHB, "pmHB", imgHB, "M_HBset", "设定抽奖按钮", 1},
        {&pmJPT, "pmJPT", imgJP, "M_JPTset",
         "奖品图片设置(只做演示效果,实际奖品图片由奖项设定决定)", 5},
    };
    for (const ElementMenu& m : menus) {
        QMenu* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(m.name));
        QAction* settings = item(menu, m.settingsName, QString::fromUtf8(m.settingsCaption));
        connect(settings, &QAction::triggered, this, [this, e = m.element] {
            if (onElementSettings)
                onElementSettings(e);
        });
        if (m.switchIndex >= 0) {
            QAction* hide = menu->addAction(QStringLiteral("隐藏"));
            const Switch s = m_switches[m.switchIndex];
            // The element is visible while its menu is reachable, so the switch hides it.
            connect(hide, &QAction::triggered, this, [this, s] {
                s.item->setChecked(!s.item->isChecked());
                switchClick(s);
            });
        }
        menu->addSeparator();
        connect(menu->addAction(QStringLiteral("退出")), &QAction::triggered, this,
                [this] { M_CloseClick(); });
        *m.menu = menu;
        setPopupMenu(m.element, menu);
    }
}

// The item's check mark has already flipped (checkable action); the element follows it.
void TfrmJIANG::switchClick(const Switch& s)
{
    const bool on = s.item->isChecked();
    s.element->setVisible(on);
    try {
        m_ctx.db->exec(updateStatement(s.key, on ? QStringLiteral("-1") : QStringLiteral("0")));
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void TfrmJIANG::M_WindowsClick()
{
    const QString key = QStringLiteral("抽奖界面窗口模式");
    const bool window = M_Windows->isChecked();
    try {
        if (!m_settings->exists(key))
            m_ctx.db->exec(
                QStringLiteral("insert into z_set(name,var) values('抽奖界面窗口模式','0')"));
        m_ctx.db->exec(updateStatement(key, window ? QStringLiteral("-1") : QStringLiteral("0")));
        const bool wasVisible = isVisible();
        applyWindowMode(window, true);
        if (wasVisible)
            show();
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void TfrmJIANG::M_BJClick()
{
    const QString path =
        m_ctx.dialogs->openPicture(m_ctx.programFolder + QStringLiteral("bmp/"),
                                   QStringLiteral("JPEG Image File (*.jpg)|*.jpg"));
    if (path.isEmpty())
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_ctx.dialogs->error(f.errorString());
        return;
    }
    const QByteArray bytes = f.readAll();
    try {
        m_settings->saveWithBlob(QStringLiteral("抽奖界面背景图"), QFileInfo(path).fileName(),
                                 bytes);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        return;
    }
    setBackground(LoadJpegBlob(bytes, m_ctx.blank));
}

void TfrmJIANG::M_CloseClick()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QString screenSize = QString::number(screen->size().width()) + QStringLiteral("*") +
                               QString::number(screen->size().height());
    try {
        QFile ini(m_ctx.file(QStringLiteral("Font.ini")));
        const QByteArray effects = ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
        m_settings->saveBlob(QStringLiteral("平滑字体"), effects);

        // The layout as the audience sees it, at client size, shrunk for the option page.
        QImage preview = grab(QRect(QPoint(0, 0), size())).toImage();
        FitBitmap(161, 117, true, false, preview);
        const QByteArray jpeg = encodeJpeg(preview);
        m_settings->saveBlob(QStringLiteral("抽奖界面预览"), jpeg);
        m_ctx.db->exec(updateStatement(QStringLiteral("抽奖界面预览信息"), screenSize));
        m_host.setLayoutPreview(QImage::fromData(jpeg, "JPEG"), screenSize);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
    close();
}

void TfrmJIANG::saveWindowGeometry()
{
    if (!M_Windows->isChecked())
        return;
    try {
        m_ctx.db->exec(
            updateStatement(QStringLiteral("抽奖界面窗口高"), QString::number(height())));
        m_ctx.db->exec(updateStatement(QStringLiteral("抽奖界面窗口宽"), QString::number(width())));
        m_ctx.db->exec(updateStatement(QStringLiteral("抽奖界面窗口顶"),
                                       QString::number(frameGeometry().top())));
        m_ctx.db->exec(updateStatement(QStringLiteral("抽奖界面窗口左"),
                                       QString::number(frameGeometry().left())));
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

} // namespace varnel

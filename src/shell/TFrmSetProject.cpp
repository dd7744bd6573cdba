// Start-up, the project open routine's loading of the pages, and the project operations of the
// top bar.
#include "shell/TFrmSet.h"

#include "manage/pages/MallPage.h"
#include "manage/pages/OptionPage.h"
#include "manage/pages/ParticipantsPage.h"
#include "manage/pages/SoundPage.h"
#include "platform/Dialogs.h"
#include "screen/WinnersList.h"
#include "shell/RecordsPage.h"
#include "store/ProjectStore.h"
#include "store/SetIni.h"
#include "store/Settings.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTreeWidget>

namespace varnel {

namespace {

const QString kNewProject = QStringLiteral("新的项目");

// Hides the main window the moment the draw screen appears: while the screen prepares the draw
// the main window stays visible, so its notice panel can tell what is going on.
class HideWhenDrawScreenShows final : public QObject {
public:
    explicit HideWhenDrawScreenShows(QWidget* main) : m_main(main)
    {
        qApp->installEventFilter(this);
    }
    ~HideWhenDrawScreenShows() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched != m_main && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() &&
            watched->objectName() == QStringLiteral("frmJIANG"))
            m_main->hide();
        return false;
    }

private:
    QWidget* m_main;
};

} // namespace

bool TFrmSet::FormCreate()
{
    QLocale::setDefault(QLocale::c()); // fixed formats, whatever the system says
    Dialogs& dialogs = *m_ctx.dialogs;
    if (!m_deps.engineAvailable || !m_deps.engineAvailable()) {
        dialogs.message(QStringLiteral("sqlite3.dll 文件未发现"));
        return false;
    }
    m_nodeBase->setExpanded(true);
    m_book->setCurrentIndex(PageMian);

    if (!loadResourceDatabase())
        return false;

    QString name = SetIni(m_ctx.programFolder).lastProject();
    m_editTop->setText(name);
    if (!isSafeProjectName(name) || !QFile::exists(m_ctx.file(name + QStringLiteral(".dat"))))
        m_editTop->setText(kNewProject);
    openProject(m_editTop->text());
    return true;
}

bool TFrmSet::loadResourceDatabase()
{
    Dialogs& dialogs = *m_ctx.dialogs;
    QString path = m_ctx.file(QStringLiteral("set.axc"));
    if (!QFile::exists(path))
        path = m_ctx.file(QStringLiteral("set.dll"));
    if (!QFile::exists(path)) {
        dialogs.message(QStringLiteral("set.axc 文件未发现"));
        return false;
    }
    QByteArray jpeg;
    try {
        m_db.connect(path);
        QSqlQuery q = m_db.select(QStringLiteral("select * from z_pic where name = '空图'"));
        if (q.next())
            jpeg = q.value(QStringLiteral("pic")).toByteArray();
    } catch (const DbError& e) {
        // Without the blank picture nothing can be shown; the program ends after the error.
        dialogs.error(e.text());
        return false;
    }
    QImage blank;
    if (jpeg.isEmpty() || !blank.loadFromData(jpeg, "JPEG")) {
        dialogs.message(QStringLiteral("set.axc 文件错误"));
        return false;
    }
    m_ctx.blank = blank;
    m_ctx.blankJpeg = jpeg;
    return true;
}

bool TFrmSet::acceptableProjectName(const QString& name)
{
    if (isSafeProjectName(name))
        return true;
    m_ctx.dialogs->message(
        QStringLiteral("抽奖项目的名称不能包含 / 或 \\ 字符,请重新输入项目名称"));
    return false;
}

void TFrmSet::openProject(const QString& name)
{
    if (!acceptableProjectName(name))
        return;
    leaveCurrentPage(); // the page's query goes before the connection changes
    ProjectStore store(m_db, *m_ctx.dialogs, m_ctx.programFolder, m_ctx.blankJpeg);
    const ProjectStore::Outcome outcome = store.open(name);
    m_editTop->setText(outcome.name);
    if (!outcome.ready)
        return;
    try {
        loadProjectSettings();
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void TFrmSet::loadProjectSettings()
{
    Settings settings(m_db);
    m_optionPage->loadSettings(settings);
    setItemsNodeEnabled(m_optionPage->normalMode());
    applyLockStateAtOpen();
    m_mallPage->loadSettings(settings);
    m_soundPage->loadSettings(settings);
    m_participantsPage->setImportAppend(settings.read(QStringLiteral("抽奖人追加导入方式")) !=
                                        QStringLiteral("0"));
    m_optionPage->loadLayoutPreview(settings);

    m_optionPage->refreshMaskPreview();
    if (m_lockIcon == 1 && m_optionPage->passwordOn())
        showPage(PageMian); // a locked project never opens on a settings page
    else
        navigateSelected();
}

void TFrmSet::spbtnTopNewClick()
{
    const std::optional<QString> name = m_ctx.dialogs->inputBox(
        QStringLiteral("输入"), QStringLiteral("新抽奖项目的名称:"), QString());
    if (!name)
        return;
    if (name->isEmpty()) {
        m_ctx.dialogs->message(QStringLiteral("请先输入抽奖项目的名称"));
        return;
    }
    if (!acceptableProjectName(*name))
        return;
    m_editTop->setText(*name);
    openProject(*name);
}

void TFrmSet::spbtnTopLoadClick()
{
    const QString path =
        m_ctx.dialogs->openFile(m_ctx.programFolder, QStringLiteral("*.dat|*.dat"));
    if (path.isEmpty())
        return;
    QString name = QFileInfo(path).fileName();
    name.chop(4); // ".dat"
    m_editTop->setText(name);
    openProject(name); // always the project of that name in the program folder
    showPage(PageMian);
}

void TFrmSet::spbtnTopOPENClick()
{
    m_tag = 0;
    try {
        if (dataChanged()) {
            clearDataChanged();
            m_db.exec(QStringLiteral("update z_set set var = '0' where name = '初始化'"));
        }
        const QString windowMode =
            m_db.scalar(QStringLiteral("select var from z_set where name = '抽奖界面窗口模式'"))
                .toString();
        if (windowMode == QStringLiteral("0")) {
            const QString stored = Settings(m_db).read(QStringLiteral("抽奖界面预览信息"));
            QString question;
            if (stored.isEmpty())
                question =
                    QStringLiteral("抽奖界面还未设定调整,默认位置可能跟您的显示分辨率不一致,\r\n"
                                   "你可以在 基础设定 里调整抽奖界面!\r\n是否继续抽奖?");
            else if (stored != currentScreenSizeText())
                question = QStringLiteral(
                    "当前抽奖项目的界面大小跟您的显示分辨率不一致,\r\n不能达到一致的显示效果!\r\n"
                    "你可以在 基础设定 里调整抽奖界面!\r\n是否继续抽奖?");
            if (!question.isEmpty() &&
                !m_ctx.dialogs->askYesNo(QString(), question, Dialogs::Icon::Warning, true, true))
                return;
        }
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        return;
    }
    const int key = SetIni(m_ctx.programFolder).drawKey();
    {
        HideWhenDrawScreenShows hider(this);
        m_drawRunner(false, key);
    }
    hideNotice();
    show();
}

void TFrmSet::spbtnTopClearClick()
{
    if (!m_ctx.dialogs->askYesNo(QStringLiteral("提示"), QStringLiteral("是否要删除中奖记录？")))
        return;
    try {
        m_db.exec(QStringLiteral("delete from z_log"));
        m_db.exec(QStringLiteral("delete from z_zj"));
        if (!normalMode())
            m_db.exec(QStringLiteral("delete from z_jx")); // mall items are made by the draw
        m_db.exec(QStringLiteral("update z_set set var = '0' where name = '初始化'"));
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        return;
    }
    if (currentPage() == PageLog)
        spbthTopSeeClick();
    if (currentPage() == PageShangchang)
        navigateSelected();
}

void TFrmSet::adjustDrawScreen()
{
    m_tag = 1;
    m_drawRunner(true, 32);
}

void TFrmSet::adjustWinnersList()
{
    m_tag = 1;
    showWinnersListAdjust(m_ctx, this);
}

} // namespace varnel

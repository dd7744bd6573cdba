#include "shell/RecordsPage.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "shell/RecordsExport.h"
#include "shell/RecordsGrid.h"
#include "shell/RecordsModel.h"
#include "shell/RecordsPrint.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"
#include "store/ValueCodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

bool insideOf(const QWidget* w, const QWidget* container)
{
    return w && (w == container || container->isAncestorOf(w));
}

} // namespace

QString RecordsPage::winnersStatement()
{
    // The rowid comes last so that an edit reaches exactly its own row.
    return QStringLiteral("select listzj,listbz,jxname,lj,bz,rowid from z_zj");
}

QString RecordsPage::participantsByTextStatement()
{
    return QStringLiteral("select z_user.list listzj,z_user.memo listbz,z_zj.jxname,z_zj.lj,"
                          "z_zj.bz from z_user left join z_zj on z_user.list = z_zj.listzj and "
                          "z_user.memo = z_zj.listbz ");
}

QString RecordsPage::participantsByNumberStatement()
{
    return QStringLiteral("select z_user.list listzj,z_user.memo listbz,z_zj.jxname,z_zj.lj,"
                          "z_zj.bz from z_user left join z_zj on z_user.NO = z_zj.listNO");
}

RecordsPage::RecordsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent)
    : NotebookPage(parent), m_ctx(ctx), m_main(main)
{
    setObjectName(QStringLiteral("Log"));
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    runPreview = [](QPrintPreviewDialog& dialog) { dialog.exec(); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    lbl15 = new QLabel(QStringLiteral("中奖领奖记录表"), this);
    lbl15->setObjectName(QStringLiteral("lbl15"));
    lbl15->setAlignment(Qt::AlignCenter);
    QFont titleFont = lbl15->font();
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    lbl15->setFont(titleFont);
    layout->addWidget(lbl15);

    chkLJJLB = new QCheckBox(QStringLiteral("全部名单(只读)"), this);
    chkLJJLB->setObjectName(QStringLiteral("chkLJJLB"));
    layout->addWidget(chkLJJLB);

    m_model = new RecordsModel(this);
    m_model->onRemarkRefused = [this](const QString& text) { showRefusedRemark(text); };
    dbgrdhZJLog = new RecordsGrid(this);
    dbgrdhZJLog->setObjectName(QStringLiteral("dbgrdhZJLog"));
    dbgrdhZJLog->setModel(m_model);
    dbgrdhZJLog->setItemDelegateForColumn(RecordsModel::LJ, new CentredCheckDelegate(dbgrdhZJLog));
    dbgrdhZJLog->setSelectionMode(QAbstractItemView::ExtendedSelection);
    dbgrdhZJLog->setSelectionBehavior(QAbstractItemView::SelectItems);
    dbgrdhZJLog->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    dbgrdhZJLog->setAlternatingRowColors(true);
    QPalette pal = dbgrdhZJLog->palette();
    pal.setColor(QPalette::AlternateBase, colourFromStored(16709615));
    dbgrdhZJLog->setPalette(pal);
    dbgrdhZJLog->verticalHeader()->setDefaultSectionSize(dbgrdhZJLog->fontMetrics().height() + 8);
    dbgrdhZJLog->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    QHeaderView* header = dbgrdhZJLog->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
    QList<int> widths;
    for (int c = 0; c < RecordsModel::ColumnCount; ++c)
        widths << RecordsModel::columnWidth(c);
    dbgrdhZJLog->setBaseWidths(widths);
    layout->addWidget(dbgrdhZJLog, 1);

    findBar = new FindBar(dbgrdhZJLog, this);
    findBar->onNotFound = [this](const QString& text) {
        m_ctx.dialogs->message(QStringLiteral("没有找到“%1”。").arg(text), QStringLiteral("查找"),
                               Dialogs::Icon::Information);
    };
    layout->addWidget(findBar);

    lbl16 = new QLabel(QStringLiteral("查找: Ctrl+F     导出数据: 按左上角三角形菜单 "), this);
    lbl16->setObjectName(QStringLiteral("lbl16"));
    QPalette hint = lbl16->palette();
    hint.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lbl16->setPalette(hint);
    layout->addWidget(lbl16);

    pmSaveTxt = new QMenu(this);
    pmSaveTxt->setObjectName(QStringLiteral("pmSaveTxt"));
    S1 = pmSaveTxt->addAction(QStringLiteral("导出到文本文件(&S)"));
    S1->setObjectName(QStringLiteral("S1"));
    pmSaveTxt->addSeparator();
    P1 = pmSaveTxt->addAction(QStringLiteral("打印(&P)"));
    P1->setObjectName(QStringLiteral("P1"));

    QObject::connect(chkLJJLB, &QCheckBox::clicked, this, &RecordsPage::chkLJJLBClick);
    QObject::connect(header, &QHeaderView::sectionClicked, this,
                     &RecordsPage::dbgrdhZJLogTitleClick);
    QObject::connect(S1, &QAction::triggered, this, &RecordsPage::S1Click);
    QObject::connect(P1, &QAction::triggered, this, &RecordsPage::P1Click);
    QToolButton* corner = dbgrdhZJLog->cornerButton();
    QObject::connect(corner, &QToolButton::clicked, this, [this, corner] {
        pmSaveTxt->popup(corner->mapToGlobal(QPoint(0, corner->height())));
    });
    auto* find = new QShortcut(QKeySequence::Find, dbgrdhZJLog);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(find, &QShortcut::activated, findBar, &FindBar::open);
    // Leaving a row posts its edit.
    QObject::connect(dbgrdhZJLog->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                     [this](const QModelIndex& now, const QModelIndex& previous) {
                         if (previous.isValid() && previous.row() != now.row())
                             commitRow(previous.row());
                     });
    // The grid (or its cell editor) letting go of the focus posts the edit too; the editor has
    // handed its text to the model by the time the focus has moved.
    m_focusWatch = QObject::connect(
        qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (insideOf(old, dbgrdhZJLog) && !insideOf(now, dbgrdhZJLog)) {
                QPointer<RecordsPage> self(this);
                QTimer::singleShot(0, this, [self] {
                    if (self)
                        self->dbgrdhZJLogExit();
                });
            }
        });
}

RecordsPage::~RecordsPage()
{
    // The base destructor moves the focus away; by then this page is gone.
    QObject::disconnect(m_focusWatch);
}

void RecordsPage::enter()
{
    commitPendingEdit();
    m_model->clear();
    m_model->clearSort();
    dbgrdhZJLog->horizontalHeader()->setSortIndicatorShown(false);
    openView(false);
}

void RecordsPage::leave()
{
    commitPendingEdit();
    m_model->clear();
    m_model->clearSort();
    dbgrdhZJLog->horizontalHeader()->setSortIndicatorShown(false);
}

void RecordsPage::chkLJJLBClick()
{
    commitPendingEdit();
    openView(true);
}

void RecordsPage::openView(bool byNumber)
{
    const bool all = chkLJJLB->isChecked();
    const QString sql =
        !all ? winnersStatement()
             : (byNumber ? participantsByNumberStatement() : participantsByTextStatement());
    try {
        m_model->load(*m_ctx.db, sql, !all);
    } catch (const DbError& e) {
        m_model->clear();
        m_ctx.dialogs->error(e.text());
    }
    dbgrdhZJLog->setEditTriggers(all ? QAbstractItemView::NoEditTriggers
                                     : QAbstractItemView::DoubleClicked |
                                           QAbstractItemView::EditKeyPressed |
                                           QAbstractItemView::AnyKeyPressed);
}

bool RecordsPage::commitRow(int row)
{
    try {
        m_model->commitRow(row);
        return true;
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        return false;
    }
}

void RecordsPage::commitPendingEdit()
{
    dbgrdhZJLog->finishEditing();
    try {
        m_model->commitAll();
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void RecordsPage::dbgrdhZJLogExit()
{
    commitPendingEdit();
}

void RecordsPage::showRefusedRemark(const QString& text)
{
    // Shown after the editor has closed, so the message box does not fight the cell editor.
    QPointer<RecordsPage> self(this);
    QTimer::singleShot(0, this, [self, text] {
        if (self)
            self->m_ctx.dialogs->message(
                QStringLiteral(
                    "领奖备注不能只是“%1”：抽奖时这个符号用作中奖记录的标记。请另写备注。")
                    .arg(text),
                QStringLiteral("领奖备注"), Dialogs::Icon::Warning);
    });
}

void RecordsPage::dbgrdhZJLogTitleClick(int column)
{
    commitPendingEdit();
    QHeaderView* header = dbgrdhZJLog->horizontalHeader();
    // The marker moves on each click: the first click on a column sorts ascending.
    Qt::SortOrder order = Qt::AscendingOrder;
    if (m_model->sortColumn() == column && m_model->sortOrder() == Qt::AscendingOrder)
        order = Qt::DescendingOrder;
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, order);
    m_model->sortBy(column, order);
    if (m_model->rowCount() > 0)
        dbgrdhZJLog->setCurrentIndex(m_model->index(0, column));
}

void RecordsPage::S1Click()
{
    commitPendingEdit();
    dbgrdhZJLog->setUpdatesEnabled(false);
    QList<std::pair<QString, QString>> rows;
    rows.reserve(m_model->rowCount());
    for (int r = 0; r < m_model->rowCount(); ++r)
        rows.append({m_model->value(r, RecordsModel::Listzj).toString(),
                     m_model->value(r, RecordsModel::JXname).toString()});
    const QString path = m_ctx.file(QStringLiteral("Win.TXT"));
    QString reason;
    const bool written =
        writeFileReplacing(path, encodeForCodeset(winTxtText(rows), localeCodeset()), &reason);
    if (m_model->rowCount() > 0)
        dbgrdhZJLog->setCurrentIndex(m_model->index(0, 0));
    // Redrawing comes back whether the file could be written or not.
    dbgrdhZJLog->setUpdatesEnabled(true);
    if (!written) {
        m_ctx.dialogs->error(QStringLiteral("无法写入文件“%1”：%2").arg(path, reason));
        return;
    }
    if (openUrl)
        openUrl(QUrl::fromLocalFile(path));
}

void RecordsPage::P1Click()
{
    commitPendingEdit();
    RecordsPrintTexts texts;
    texts.xMiTitle = QStringLiteral("Varnel抽奖软件 滚轮版 " VARNEL_VERSION " 制作");
    const QDateTime now = m_ctx.clock ? m_ctx.clock->now() : QDateTime::currentDateTime();
    texts.today = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QPrinter printer(QPrinter::HighResolution);
    setRecordsPageLayout(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("prntdbgrdh1"));
    preview.setWindowTitle(QStringLiteral("打印预览"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                     [this, texts](QPrinter* target) {
                         if (!printRecords(*target, *m_model, texts))
                             m_ctx.dialogs->error(QStringLiteral("无法打印：打印机不可用。"));
                     });
    if (runPreview)
        runPreview(preview);
}

} // namespace varnel

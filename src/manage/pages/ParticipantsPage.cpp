#include "manage/pages/ParticipantsPage.h"

#include "manage/FolderImport.h"
#include "manage/ImportError.h"
#include "manage/SheetImport.h"
#include "manage/TextImport.h"
#include "manage/pages/ParticipantsModel.h"
#include "platform/Dialogs.h"
#include "platform/OptionalLibrary.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace varnel {

namespace {

const QString kProgress = QStringLiteral("已导入记录 %1 条");
const QString kMarkError =
    QStringLiteral("条件标识载入时有错误产生,条件标识必须为整数\r如:0,1,2,3...");

QLabel* greyLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(128, 128, 128));
    l->setPalette(p);
    return l;
}

QLabel* sectionCaption(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QVBoxLayout* captionColumn(const QStringList& lines, QWidget* parent, const QString& prefix)
{
    auto* col = new QVBoxLayout;
    col->setSpacing(2);
    int i = 0;
    for (const QString& line : lines) {
        QLabel* l = greyLabel(line, parent);
        l->setObjectName(prefix + QString::number(++i));
        col->addWidget(l);
    }
    col->addStretch(1);
    return col;
}

// Shows a wait cursor while an import runs; the window takes no input meanwhile anyway.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

ParticipantsPage::ParticipantsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent)
    : NotebookPage(parent), m_ctx(ctx), m_main(main)
{
    setObjectName(QStringLiteral("JianxianRen"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(4);

    m_lbRENTabletile =
        sectionCaption(QStringLiteral("lbRENTabletile"), QStringLiteral("滚动数据信息"), this);
    root->addWidget(m_lbRENTabletile);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    buildGrid();
    top->addWidget(m_DBGridEhren, 1);
    top->addLayout(
        captionColumn({QStringLiteral("条件标识说明:"), QStringLiteral("1.标识格式为数字"),
                       QStringLiteral("2.抽取时根据抽取项目"), QStringLiteral("要求优先抽取符合条"),
                       QStringLiteral("件的名单"), QStringLiteral("3.符合条件的名单全部"),
                       QStringLiteral("抽取完毕后再抽取标"), QStringLiteral("识为空的名单")},
                      this, QStringLiteral("lbRENtjsm")));
    root->addLayout(top, 1);

    root->addWidget(
        sectionCaption(QStringLiteral("lbRENdrtitle"), QStringLiteral("数据导入"), this));
    m_pgcUserLogo = new QTabWidget(this);
    m_pgcUserLogo->setObjectName(QStringLiteral("pgcUserLogo"));
    m_pgcUserLogo->addTab(buildExcelTab(), QStringLiteral("从EXCEL导入"));
    m_pgcUserLogo->addTab(buildFolderTab(), QStringLiteral("从文件夹中导入"));
    m_pgcUserLogo->setCurrentIndex(0);
    m_pgcUserLogo->setFixedHeight(m_pgcUserLogo->sizeHint().height());
    root->addWidget(m_pgcUserLogo);

    // The caption follows the flag also when the main window clears it (a draw opened).
    m_main.watchDataChanged(this, [this](bool) { refreshCaption(); });
}

ParticipantsPage::~ParticipantsPage() = default;

void ParticipantsPage::buildGrid()
{
    m_model = new ParticipantsModel(*m_ctx.db, this);
    m_model->onPosted = [this] {
        m_main.markDataChanged();
        refreshCaption();
    };
    m_model->onError = [this](const QString& text) { m_ctx.dialogs->error(text); };

    m_DBGridEhren = new QTableView(this);
    m_DBGridEhren->setObjectName(QStringLiteral("DBGridEhren"));
    m_DBGridEhren->setModel(m_model);
    m_DBGridEhren->setAlternatingRowColors(true);
    m_DBGridEhren->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_DBGridEhren->setSelectionMode(QAbstractItemView::SingleSelection);
    m_DBGridEhren->setEditTriggers(QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
    m_DBGridEhren->setWordWrap(false);
    m_DBGridEhren->setCornerButtonEnabled(false);

    QHeaderView* rows = m_DBGridEhren->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(20);
    rows->setMinimumWidth(36);
    QHeaderView* cols = m_DBGridEhren->horizontalHeader();
    cols->setSectionsClickable(true);
    cols->setHighlightSections(false);
    cols->setSortIndicatorShown(false);
    cols->setStretchLastSection(true);
    cols->setMinimumSectionSize(40);
    cols->resizeSection(0, 110);
    cols->resizeSection(1, 100);
    cols->resizeSection(2, 64);
    cols->resizeSection(3, 60);
    // Title click sorts ascending, a second click on the same title descending.
    connect(cols, &QHeaderView::sectionClicked, this, [this](int section) {
        const bool same = m_model->sortColumn() == section;
        const Qt::SortOrder order = same && m_model->sortOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        m_model->setSort(section, order);
        m_model->reload();
        QHeaderView* h = m_DBGridEhren->horizontalHeader();
        h->setSortIndicator(section, order);
        h->setSortIndicatorShown(true);
    });
}

QWidget* ParticipantsPage::buildExcelTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsRENexcel"));
    auto* row = new QHBoxLayout(tab);
    row->setContentsMargins(8, 6, 8, 6);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    auto* mode = new QHBoxLayout;
    auto* lbMode = new QLabel(QStringLiteral("导入方式选择:"), tab);
    lbMode->setObjectName(QStringLiteral("lbRENdrfs"));
    mode->addWidget(lbMode);
    m_rbtnRENdrfs1 = new QRadioButton(QStringLiteral("追加方式"), tab);
    m_rbtnRENdrfs1->setObjectName(QStringLiteral("rbtnRENdrfs1"));
    m_rbtnRENdrfs2 = new QRadioButton(QStringLiteral("替换方式"), tab);
    m_rbtnRENdrfs2->setObjectName(QStringLiteral("rbtnRENdrfs2"));
    m_rbtnRENdrfs2->setChecked(true);
    mode->addWidget(m_rbtnRENdrfs1);
    mode->addWidget(m_rbtnRENdrfs2);
    mode->addStretch(1);
    left->addLayout(mode);

    m_btnRENexcel = new QPushButton(QStringLiteral("选择EXCEL文件导入滚动信息"), tab);
    m_btnRENexcel->setObjectName(QStringLiteral("btnRENexcel"));
    m_btnRENexcel->setMinimumHeight(30);
    connect(m_btnRENexcel, &QPushButton::clicked, this, &ParticipantsPage::btnRENexcelClick);
    left->addWidget(m_btnRENexcel);

    m_lbRENexcelInfo = new QLabel(tab);
    m_lbRENexcelInfo->setObjectName(QStringLiteral("lbRENexcelInfo"));
    m_lbRENexcelInfo->hide();
    left->addWidget(m_lbRENexcelInfo);
    left->addStretch(1);
    row->addLayout(left, 1);

    row->addSpacing(12);
    row->addLayout(
        captionColumn({QStringLiteral("Excel文件格式要求:"), QStringLiteral("1.不要标题栏"),
                       QStringLiteral("2.只导入Excel文件的第1张数据表"),
                       QStringLiteral("3.格式如左侧滚动数据信息表"),
                       QStringLiteral("4.数据导入到空行处终止"),
                       QStringLiteral("5.第三列内容填写数字或不填")},
                      tab, QStringLiteral("lbRENexcelsm")),
        1);
    return tab;
}

QWidget* ParticipantsPage::buildFolderTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsRENfile"));
    auto* row = new QHBoxLayout(tab);
    row->setContentsMargins(8, 6, 8, 6);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    auto* ratio = new QHBoxLayout;
    auto* lbRatio = new QLabel(QStringLiteral("压缩比"), tab);
    lbRatio->setObjectName(QStringLiteral("lbRENjpg"));
    ratio->addWidget(lbRatio);
    m_trckbrJPG = new QSlider(Qt::Horizontal, tab);
    m_trckbrJPG->setObjectName(QStringLiteral("trckbrJPG"));
    m_trckbrJPG->setRange(10, 100);
    m_trckbrJPG->setSingleStep(5);
    m_trckbrJPG->setPageStep(5);
    m_trckbrJPG->setValue(60);
    m_trckbrJPG->setTickPosition(QSlider::TicksBelow);
    m_trckbrJPG->setTickInterval(10);
    ratio->addWidget(m_trckbrJPG, 1);
    m_lblJPG = new QLabel(QStringLiteral("60"), tab);
    m_lblJPG->setObjectName(QStringLiteral("lblJPG"));
    m_lblJPG->setMinimumWidth(24);
    ratio->addWidget(m_lblJPG);
    connect(m_trckbrJPG, &QSlider::valueChanged, this, &ParticipantsPage::trckbrJPGChange);
    left->addLayout(ratio);

    auto* buttons = new QHBoxLayout;
    m_btnRENfile = new QPushButton(QStringLiteral("选择滚动数据图片的文件夹"), tab);
    m_btnRENfile->setObjectName(QStringLiteral("btnRENfile"));
    m_btnRENfile->setMinimumHeight(30);
    connect(m_btnRENfile, &QPushButton::clicked, this, &ParticipantsPage::btnRENfileClick);
    buttons->addWidget(m_btnRENfile, 1);
    m_btnRenPicPZ = new QPushButton(QStringLiteral("拍照"), tab);
    m_btnRenPicPZ->setObjectName(QStringLiteral("btnRenPicPZ"));
    m_btnRenPicPZ->setMinimumHeight(30);
    connect(m_btnRenPicPZ, &QPushButton::clicked, this, &ParticipantsPage::btnRenPicPZClick);
    buttons->addWidget(m_btnRenPicPZ);
    left->addLayout(buttons);

    m_lbRenPicInfo = new QLabel(tab);
    m_lbRenPicInfo->setObjectName(QStringLiteral("lbRenPicInfo"));
    m_lbRenPicInfo->hide();
    left->addWidget(m_lbRenPicInfo);
    left->addStretch(1);
    row->addLayout(left, 0);

    row->addSpacing(8);
    row->addLayout(captionColumn({QStringLiteral("导入图片文件夹说明:"),
                                  QStringLiteral("1.先制作好同样大小的JPG,BMP格式图片放入文件夹中"),
                                  QStringLiteral("2.导入时按文件名称生成滚动数据列"),
                                  QStringLiteral("3.标识可以在文件名称后加\"_\"后跟数字"),
                                  QStringLiteral("例如: 张三_5.jpg 则 滚动数据列:张三,条件标识:5")},
                                 tab, QStringLiteral("lbRENpicsm")),
                   1);
    return tab;
}

void ParticipantsPage::enter()
{
    bool winners = false;
    try {
        winners = m_ctx.db->scalar(QStringLiteral("select Count(*) n from z_zj")).toLongLong() > 0;
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
    m_model->setReadOnly(winners);
    m_model->setSort(-1, Qt::AscendingOrder);
    m_DBGridEhren->horizontalHeader()->setSortIndicatorShown(false);
    m_model->reload();
    // Fixed-size rows are not measured one by one: size the row numbers for the largest.
    const QString widest = QString::number(qMax(9, m_model->rowCount()));
    m_DBGridEhren->verticalHeader()->setFixedWidth(
        m_DBGridEhren->verticalHeader()->fontMetrics().horizontalAdvance(widest) + 14);
    m_lbRENexcelInfo->hide();
    m_lbRenPicInfo->hide();
    refreshCaption();
}

void ParticipantsPage::leave()
{
    m_model->clear();
}

void ParticipantsPage::setImportAppend(bool append)
{
    (append ? m_rbtnRENdrfs1 : m_rbtnRENdrfs2)->setChecked(true);
}

bool ParticipantsPage::importAppend() const
{
    return m_rbtnRENdrfs1->isChecked();
}

void ParticipantsPage::setRowLimits(qint64 xlsLimit, qint64 otherLimit)
{
    m_xlsLimit = xlsLimit;
    m_otherLimit = otherLimit;
}

void ParticipantsPage::refreshCaption()
{
    QPalette p = m_lbRENTabletile->palette();
    p.setColor(QPalette::WindowText,
               m_main.dataChanged() ? QColor(255, 0, 0) : palette().color(QPalette::WindowText));
    m_lbRENTabletile->setPalette(p);
}

void ParticipantsPage::refreshAfterImport()
{
    enter();
}

void ParticipantsPage::showProgress(QLabel* label, qint64 n, bool force)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!force && now - m_lastPaint < 50)
        return;
    m_lastPaint = now;
    label->setText(kProgress.arg(n));
    label->show();
    label->repaint();
}

void ParticipantsPage::btnRENexcelClick()
{
    const QString path =
        m_ctx.dialogs->openFile(QString(), QStringLiteral("EXECL文件|*.xls;*.xlsx;*.csv;*.txt"));
    if (path.isEmpty())
        return;
    importFile(path);
}

void ParticipantsPage::importFile(const QString& path)
{
    const QString ext = QLatin1Char('.') + QFileInfo(path).suffix().toUpper();
    const bool xls = ext == QLatin1String(".XLS");
    const qint64 limit = xls ? m_xlsLimit : m_otherLimit;
    const bool text = ext == QLatin1String(".CSV") || ext == QLatin1String(".TXT");

    ImportOptions options;
    options.replace = m_rbtnRENdrfs2->isChecked();
    options.pictureFolder = QFileInfo(path).absolutePath();
    qint64 last = 0;
    options.progress = [this, &last](qint64 n) {
        last = n;
        if ((n & 63) == 0) // the clock is read every 64 rows only
            showProgress(m_lbRENexcelInfo, n, false);
    };

    QStringList after; // messages shown once the page is refreshed, in this order
    bool imported = false;
    try {
        WaitCursor wait;
        ImportOutcome outcome;
        if (text) {
            // The whole file is read before anything is touched.
            TextRecordSource source(readImportTextFile(path), limit);
            showProgress(m_lbRENexcelInfo, 0, true);
            outcome = importRecords(*m_ctx.db, source, options);
        } else {
            std::unique_ptr<SheetReader> reader = openWorkbook(path);
            SheetRecordSource source(*reader, limit);
            showProgress(m_lbRENexcelInfo, 0, true);
            outcome = importRecords(*m_ctx.db, source, options);
            if (xls && source.limitReached())
                after << QStringLiteral("受到XLS文件单表行限制,已达到最大值\r如需要导入更多记录,"
                                        "请分次添加,或者做文本文件添加");
            if (outcome.markError)
                after << kMarkError;
            if (outcome.pictureError)
                after << QStringLiteral("图片载入时有错误产生,请检查未载入成功的图片路径及类型");
        }
        showProgress(m_lbRENexcelInfo, last, true);
        imported = true;
    } catch (const ImportError& e) {
        m_ctx.dialogs->error(e.text());
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
    if (imported)
        m_main.markDataChanged();
    refreshAfterImport();
    for (const QString& m : after)
        m_ctx.dialogs->message(m);
}

void ParticipantsPage::btnRENfileClick()
{
    const QString folder = m_ctx.dialogs->openFolder(QStringLiteral("选择存放抽奖人图片的文件夹"));
    if (folder.isEmpty())
        return;
    FolderImportOutcome outcome;
    try {
        WaitCursor wait;
        outcome = importFolder(*m_ctx.db, folder,
                               [this](qint64 n) { showProgress(m_lbRenPicInfo, n, n == 0); });
        if (outcome.listed)
            showProgress(m_lbRenPicInfo, outcome.lastNumber, true);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        refreshAfterImport();
        return;
    }
    if (!outcome.listed)
        return;
    m_main.markDataChanged();
    refreshAfterImport();
    if (outcome.markError)
        m_ctx.dialogs->message(kMarkError);
    if (outcome.pictureError)
        m_ctx.dialogs->message(
            QStringLiteral("图片载入时有错误产生,请检查未载入成功的图片名称及类型"));
}

void ParticipantsPage::btnRenPicPZClick()
{
    callOptionalExport(m_ctx.programFolder, QStringLiteral("CAP"), "Capoho", {888});
}

void ParticipantsPage::trckbrJPGChange()
{
    m_lblJPG->setText(QString::number(m_trckbrJPG->value()));
}

} // namespace varnel

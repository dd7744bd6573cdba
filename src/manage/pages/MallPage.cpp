#include "manage/pages/MallPage.h"
#include "manage/pages/StoreSetting.h"

#include "platform/Dialogs.h"
#include "store/AppContext.h"
#include "store/Settings.h"
#include "store/ValueCodec.h"

#include <QSqlDatabase>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

namespace varnel {

namespace {

const QString kRegister = QStringLiteral("商场需登记抽奖人");
const QString kCycles = QStringLiteral("商场周期出奖");
const QString kOnlyWinnable = QStringLiteral("商场仅滚动能中的奖品");

enum Column { ColList, ColSl, ColSysl, ColTJ, ColPicB };

// Centres the picture column, as the grid shows it.
class PrizeGridModel final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::TextAlignmentRole && index.column() == ColPicB)
            return int(Qt::AlignCenter);
        return QSortFilterProxyModel::data(index, role);
    }
};

QLabel* hint(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: #0000ff;"));
    label->setWordWrap(true);
    return label;
}

} // namespace

MallPage::MallPage(AppContext& ctx, MainWindowApi& main, QWidget* parent)
    : NotebookPage(parent), m_ctx(ctx), m_main(main)
{
    setObjectName(QStringLiteral("shangchang"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(8, 6, 8, 6);
    lay->setSpacing(6);

    auto* prizes = new QGroupBox(QStringLiteral("滚动数据信息"), this);
    prizes->setObjectName(QStringLiteral("grpSCjx"));
    auto* prizesLay = new QVBoxLayout(prizes);
    m_grid = new QTableView(prizes);
    m_grid->setObjectName(QStringLiteral("dbgrdhSC"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setAccessibleName(QStringLiteral("商场奖品"));
    prizesLay->addWidget(m_grid);
    lay->addWidget(prizes, 1);

    auto* options = new QGroupBox(QStringLiteral("其他设置"), this);
    options->setObjectName(QStringLiteral("grpSCqt"));
    auto* opt = new QGridLayout(options);
    opt->setHorizontalSpacing(10);
    opt->setVerticalSpacing(4);
    m_chkSCdjcjr = new QCheckBox(QStringLiteral("需要登记抽奖人"), options);
    m_chkSCdjcjr->setObjectName(QStringLiteral("chkSCdjcjr"));
    m_chkGDtjMD = new QCheckBox(QStringLiteral("只滚动能中的奖品"), options);
    m_chkGDtjMD->setObjectName(QStringLiteral("chkGDtjMD"));
    m_chkZQCJ = new QCheckBox(QStringLiteral("周期出奖"), options);
    m_chkZQCJ->setObjectName(QStringLiteral("chkZQCJ"));
    opt->addWidget(m_chkSCdjcjr, 0, 0);
    opt->addWidget(hint(QStringLiteral("现场登记抽奖者身份"), options), 0, 1);
    opt->addWidget(m_chkGDtjMD, 1, 0);
    opt->addWidget(m_chkZQCJ, 2, 0);
    opt->addWidget(
        hint(QStringLiteral("抽完全部周期出奖数量后进入新的周期,奖品永远抽不完."), options), 2, 1);
    opt->setColumnStretch(1, 1);
    lay->addWidget(options);

    m_model = new QSqlQueryModel(this);
    m_sorted = new PrizeGridModel(this);
    m_sorted->setSourceModel(m_model);
    m_grid->setModel(m_sorted);

    connect(m_chkSCdjcjr, &QCheckBox::toggled, this, [this](bool on) { storeFlag(kRegister, on); });
    connect(m_chkZQCJ, &QCheckBox::toggled, this, [this](bool on) { storeFlag(kCycles, on); });
    connect(m_chkGDtjMD, &QCheckBox::toggled, this,
            [this](bool on) { storeFlag(kOnlyWinnable, on); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { sortByColumn(column); });
}

void MallPage::loadSettings(const Settings& s)
{
    m_chkSCdjcjr->setChecked(flagOnOnlyAtMinusOne(s.read(kRegister)));
    m_chkZQCJ->setChecked(flagOnOnlyAtMinusOne(s.read(kCycles)));
    m_chkGDtjMD->setChecked(flagOnOnlyAtMinusOne(s.read(kOnlyWinnable)));
}

bool MallPage::registerDrawer() const
{
    return m_chkSCdjcjr->isChecked();
}
bool MallPage::onlyWinnable() const
{
    return m_chkGDtjMD->isChecked();
}
bool MallPage::cycles() const
{
    return m_chkZQCJ->isChecked();
}

void MallPage::enter()
{
    if (!m_ctx.db || !m_ctx.db->isConnected())
        return;
    try {
        refreshWonCounts();
        m_sortColumn = -1;
        m_grid->horizontalHeader()->setSortIndicatorShown(false);
        m_sorted->sort(-1);
        // A scrollable query of its own: the grid moves back and forth over it.
        m_model->setQuery(QStringLiteral("select List,sl,sysl,TJ,PicB from z_scuser"),
                          m_ctx.db->database());
        if (m_model->lastError().isValid())
            throw DbError(m_model->lastError().text());
        const char* titles[] = {"奖品或奖项名称", "周期出奖", "已中数量", "条件标识", "奖品图片"};
        for (int c = 0; c < 5; ++c)
            m_model->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(titles[c]));
        m_grid->setColumnWidth(ColList, 170);
        m_grid->setColumnWidth(ColSl, 80);
        m_grid->setColumnWidth(ColSysl, 80);
        m_grid->setColumnWidth(ColTJ, 80);
        if (m_sorted->rowCount() > 0)
            m_grid->selectRow(0);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void MallPage::leave()
{
    m_model->clear();
    m_sortColumn = -1;
}

void MallPage::refreshWonCounts()
{
    // "已中数量" is recomputed from the winners each time the page is shown.
    QSqlQuery prizes = m_ctx.db->select(QStringLiteral("select NO from z_scuser"));
    QList<QVariant> numbers;
    while (prizes.next())
        numbers << prizes.value(0);
    prizes.finish();
    for (const QVariant& no : numbers) {
        if (no.isNull()) {
            m_ctx.db->exec(QStringLiteral("update z_scuser set sysl = 0 where NO is null"));
            continue;
        }
        const QVariant won = m_ctx.db->scalar(
            QStringLiteral("select count(*) as sl from z_zj where scuserNO = ?"), {no});
        m_ctx.db->exec(QStringLiteral("update z_scuser set sysl = ? where NO = ?"), {won, no});
    }
}

void MallPage::sortByColumn(int column)
{
    if (column == ColSysl)
        return;
    m_sortOrder = (column == m_sortColumn && m_sortOrder == Qt::AscendingOrder)
                      ? Qt::DescendingOrder
                      : Qt::AscendingOrder;
    m_sortColumn = column;
    m_sorted->sort(column, m_sortOrder);
    m_grid->horizontalHeader()->setSortIndicatorShown(true);
    m_grid->horizontalHeader()->setSortIndicator(column, m_sortOrder);
}

void MallPage::storeFlag(const QString& key, bool on)
{
    saveSettingOrShowError(m_ctx, key, flagText(on));
}

} // namespace varnel

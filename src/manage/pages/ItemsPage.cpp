#include "manage/pages/ItemsPage.h"

#include "manage/ItemEditor.h"
#include "manage/pages/ItemsGridModel.h"
#include "platform/Dialogs.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

// The built-in pictures live in the GUI library; a static library's resources must be
// registered by name before first use.
static void registerBuiltInPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(done);
}

namespace varnel {

namespace {

const QString kPictureFilter = QStringLiteral("JPEG Image File (*.jpg)|*.jpg");

QLabel* captionFor(QWidget* parent, const char* name, const char* text, QWidget* buddy)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QToolButton* imageButton(QWidget* parent, const char* name, const QString& icon,
                         const QString& fallback, const QString& tip)
{
    registerBuiltInPictures();
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    if (QFile::exists(icon)) {
        b->setIcon(QIcon(icon));
        b->setIconSize(QSize(20, 20));
    } else {
        b->setText(fallback);
    }
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setFixedSize(26, 24);
    return b;
}

} // namespace

ItemsPage::ItemsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent)
    : NotebookPage(parent), m_ctx(ctx), m_main(main)
{
    setObjectName(QStringLiteral("jianxianEdit"));

    editJXeditjxmc = makeEdit("editJXeditjxmc");
    editJXeditjpmc = makeEdit("editJXeditjpmc");
    editJXeditjpg = makeEdit("editJXeditjpg");
    editJXeditBJjpg = makeEdit("editJXeditBJjpg");
    editJXeditjxsl = makeEdit("editJXeditjxsl");
    editJXeditjxsl->setText(QStringLiteral("1"));
    editJXeditcqtj = makeEdit("editJXeditcqtj");
    edtJXtj = makeEdit("edtJXtj");
    edtJXtj->setReadOnly(true);
    edtJXtj->setFocusPolicy(Qt::ClickFocus);

    // Typed characters are filtered by the key filter; the validator also turns away pasted
    // text that is not all digits.
    for (QLineEdit* e : {editJXeditjxsl, editJXeditcqtj}) {
        e->installEventFilter(this);
        e->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    }

    btnJXeditjpg = makeButton("btnJXeditjpg", "选择");
    btnJXeditBJjpg = makeButton("btnJXeditBJjpg", "选择");
    btnJXeditAdd = makeButton("btnJXeditAdd", "新增保存");
    btnJXeditedit = makeButton("btnJXeditedit", "编辑保存");
    btnJXeditDel = makeButton("btnJXeditDel", "删除");
    btnJXeditP = makeButton("btnJXeditP", "上移");
    btnJXeditN = makeButton("btnJXeditN", "下移");

    cbxJXeditcqtj = new QComboBox(this);
    cbxJXeditcqtj->setObjectName(QStringLiteral("cbxJXeditcqtj"));
    cbxJXeditcqtj->addItems(conditionOperators());

    btnJXeditAddTJ = imageButton(this, "btnJXeditAddTJ", QStringLiteral(":/add_term.png"),
                                 QStringLiteral("+"), QStringLiteral("添加条件"));
    btnJXeditDelTJ = imageButton(this, "btnJXeditDelTJ", QStringLiteral(":/remove_term.png"),
                                 QStringLiteral("\u2212"), QStringLiteral("删除最后一个条件"));

    m_model = new ItemsGridModel(this);
    DBGridEhjx = new QTableView(this);
    DBGridEhjx->setObjectName(QStringLiteral("DBGridEhjx"));
    DBGridEhjx->setModel(m_model);
    DBGridEhjx->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEhjx->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridEhjx->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridEhjx->setColumnHidden(ItemsGridModel::PerPress, true);
    DBGridEhjx->setAlternatingRowColors(true);
    DBGridEhjx->verticalHeader()->setVisible(false);
    DBGridEhjx->verticalHeader()->setDefaultSectionSize(22);
    DBGridEhjx->horizontalHeader()->setStretchLastSection(true);
    DBGridEhjx->horizontalHeader()->setHighlightSections(false);
    DBGridEhjx->installEventFilter(this);
    {
        // The selected row stays marked while another control has the focus.
        QPalette p = DBGridEhjx->palette();
        for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
            p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
        DBGridEhjx->setPalette(p);
    }
    const int widths[] = {40, 96, 96, 80, 80, 60, 0};
    for (int c = 0; c < ItemsGridModel::Condition; ++c)
        if (widths[c] > 0)
            DBGridEhjx->setColumnWidth(c, widths[c]);

    buildLayout();

    connect(btnJXeditAdd, &QPushButton::clicked, this, &ItemsPage::btnJXeditAddClick);
    connect(btnJXeditedit, &QPushButton::clicked, this, &ItemsPage::btnJXediteditClick);
    connect(btnJXeditDel, &QPushButton::clicked, this, &ItemsPage::btnJXeditDelClick);
    connect(btnJXeditP, &QPushButton::clicked, this, &ItemsPage::btnJXeditPClick);
    connect(btnJXeditN, &QPushButton::clicked, this, &ItemsPage::btnJXeditNClick);
    connect(btnJXeditjpg, &QPushButton::clicked, this, &ItemsPage::btnJXeditjpgClick);
    connect(btnJXeditBJjpg, &QPushButton::clicked, this, &ItemsPage::btnJXeditBJjpgClick);
    connect(btnJXeditAddTJ, &QToolButton::clicked, this, &ItemsPage::btnJXeditAddTJClick);
    connect(btnJXeditDelTJ, &QToolButton::clicked, this, &ItemsPage::btnJXeditDelTJClick);
    connect(DBGridEhjx, &QTableView::clicked, this, &ItemsPage::DBGridEhjxCellClick);
}

QLineEdit* ItemsPage::makeEdit(const char* name)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QPushButton* ItemsPage::makeButton(const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void ItemsPage::buildLayout()
{
    m_caption = new QLabel(QStringLiteral("抽取项目编辑"), this);
    m_caption->setObjectName(QStringLiteral("lbJXeditTitle"));
    QFont f = m_caption->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    m_caption->setFont(f);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(6);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    form->setColumnMinimumWidth(2, 70);

    form->addWidget(captionFor(this, "lbJXeditjxmc", "项目名称:", editJXeditjxmc), 0, 0);
    form->addWidget(editJXeditjxmc, 0, 1);
    form->addWidget(captionFor(this, "lbJXeditjpmc", "项目奖品:", editJXeditjpmc), 0, 2);
    form->addWidget(editJXeditjpmc, 0, 3);

    auto withButton = [](QWidget* edit, QWidget* button) {
        auto* h = new QHBoxLayout;
        h->setSpacing(3);
        h->addWidget(edit, 1);
        h->addWidget(button);
        return h;
    };
    btnJXeditjpg->setFixedWidth(48);
    btnJXeditBJjpg->setFixedWidth(48);
    form->addWidget(captionFor(this, "lbJXeditjpg", "奖品图片:", editJXeditjpg), 1, 0);
    form->addLayout(withButton(editJXeditjpg, btnJXeditjpg), 1, 1);
    form->addWidget(captionFor(this, "lbJXeditBJjpg", "项目背景图:", editJXeditBJjpg), 1, 2);
    form->addLayout(withButton(editJXeditBJjpg, btnJXeditBJjpg), 1, 3);

    form->addWidget(captionFor(this, "lbJXeditjxsl", "项目数量:", editJXeditjxsl), 2, 0);
    auto* count = new QHBoxLayout;
    editJXeditjxsl->setFixedWidth(90);
    count->addWidget(editJXeditjxsl);
    count->addStretch(1);
    form->addLayout(count, 2, 1);
    form->addWidget(captionFor(this, "lbJXeditcqtj", "抽取条件:", cbxJXeditcqtj), 2, 2);
    auto* term = new QHBoxLayout;
    term->setSpacing(3);
    cbxJXeditcqtj->setFixedWidth(56);
    editJXeditcqtj->setFixedWidth(56);
    term->addWidget(cbxJXeditcqtj);
    term->addWidget(editJXeditcqtj);
    term->addWidget(btnJXeditAddTJ);
    term->addWidget(btnJXeditDelTJ);
    term->addStretch(1);
    form->addLayout(term, 2, 3);
    form->addWidget(edtJXtj, 3, 3);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addStretch(1);
    for (QPushButton* b : {btnJXeditAdd, btnJXeditedit, btnJXeditDel, btnJXeditP, btnJXeditN}) {
        b->setMinimumWidth(72);
        buttons->addWidget(b);
    }

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(10, 8, 10, 10);
    v->setSpacing(8);
    v->addWidget(m_caption);
    v->addLayout(form);
    v->addLayout(buttons);
    v->addWidget(DBGridEhjx, 1);
}

void ItemsPage::enter()
{
    clearEdits();
    editJXeditcqtj->clear();
    reload(0);
}

void ItemsPage::leave()
{
    m_open = false;
    m_model->setItems({});
}

bool ItemsPage::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == editJXeditjxsl || watched == editJXeditcqtj) &&
        event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        // Shortcuts (copy, paste, undo) are commands, not typed characters.
        const bool command = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if (!command && digitFilterDiscards(k->text()))
            return true;
    }
    if (watched == DBGridEhjx && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            DBGridEhjxCellClick();
    }
    return NotebookPage::eventFilter(watched, event);
}

ItemInput ItemsPage::input() const
{
    ItemInput in;
    in.name = editJXeditjxmc->text();
    in.prize = editJXeditjpmc->text();
    in.picturePath = editJXeditjpg->text();
    in.backgroundPath = editJXeditBJjpg->text();
    in.count = editJXeditjxsl->text();
    in.condition = edtJXtj->text();
    return in;
}

void ItemsPage::clearEdits()
{
    editJXeditjxmc->clear();
    editJXeditjpmc->clear();
    editJXeditjpg->clear();
    editJXeditBJjpg->clear();
    cbxJXeditcqtj->setCurrentIndex(0);
    edtJXtj->clear();
}

int ItemsPage::currentRow() const
{
    const QModelIndex i = DBGridEhjx->currentIndex();
    return i.isValid() ? i.row() : -1;
}

const DrawItem* ItemsPage::currentItem() const
{
    return m_model->item(currentRow());
}

void ItemsPage::reload(int row, qint64 rowId)
{
    try {
        m_model->setItems(ItemEditor(*m_ctx.db).items());
        m_open = true;
    } catch (const DbError& e) {
        m_open = false;
        m_model->setItems({});
        m_ctx.dialogs->error(e.text());
        return;
    }
    const QList<DrawItem>& items = m_model->items();
    if (items.isEmpty())
        return;
    if (rowId != 0) {
        for (int i = 0; i < items.size(); ++i)
            if (items[i].rowId == rowId)
                row = i;
    }
    row = std::clamp(row, 0, int(items.size()) - 1);
    DBGridEhjx->setCurrentIndex(m_model->index(row, ItemsGridModel::No));
    DBGridEhjx->scrollTo(m_model->index(row, ItemsGridModel::No));
}

void ItemsPage::save(bool asNew)
{
    if (!m_open)
        return;
    const ItemInput in = input();
    switch (ItemEditor::missingField(in)) {
    case ItemEditor::Missing::Name:
        m_ctx.dialogs->message(QStringLiteral("请填写奖项名称"));
        editJXeditjxmc->setFocus();
        return;
    case ItemEditor::Missing::Prize:
        m_ctx.dialogs->message(QStringLiteral("请填写奖品名称"));
        editJXeditjpmc->setFocus();
        return;
    case ItemEditor::Missing::None:
        break;
    }
    ItemEditor editor(*m_ctx.db);
    int row = currentRow();
    qint64 rowId = 0;
    try {
        const DrawItem* item = currentItem();
        if (asNew || !item) {
            editor.add(in);
            row = int(m_model->items().size()); // the new row comes last
        } else {
            rowId = item->rowId;
            editor.update(*item, in);
        }
    } catch (const ConversionError& e) {
        m_ctx.dialogs->error(e.text());
        return;
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        return;
    }
    m_main.markDataChanged();
    clearEdits();
    editJXeditjxsl->setText(QStringLiteral("1"));
    editJXeditcqtj->clear();
    reload(row, rowId);
}

void ItemsPage::btnJXeditAddClick()
{
    save(true);
}

void ItemsPage::btnJXediteditClick()
{
    if (!m_open)
        return;
    const DrawItem* item = currentItem();
    if (!item) {
        save(true);
        return;
    }
    try {
        if (ItemEditor(*m_ctx.db).drawn(item->no) &&
            !m_ctx.dialogs->askYesNo(
                QStringLiteral("警告"),
                QStringLiteral("该奖项已经开奖,不正当的修改将会影响抽奖结果,\r\n您确信需要修改?"),
                Dialogs::Icon::Warning, true, true))
            return;
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        return;
    }
    save(false);
}

void ItemsPage::btnJXeditDelClick()
{
    const DrawItem* item = currentItem();
    if (!m_open || !item)
        return;
    const int row = currentRow();
    // A failed delete leaves the table as it was and shows nothing.
    if (ItemEditor(*m_ctx.db).remove(item->rowId))
        m_main.markDataChanged();
    reload(row);
}

void ItemsPage::move(bool up)
{
    const DrawItem* item = currentItem();
    if (!m_open || !item)
        return;
    const qint64 rowId = item->rowId;
    ItemEditor editor(*m_ctx.db);
    ItemEditor::Move result = ItemEditor::Move::Nothing;
    try {
        result =
            up ? editor.moveUp(item->no) : editor.moveDown(item->no, int(m_model->items().size()));
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        reload(currentRow());
        return;
    }
    if (result == ItemEditor::Move::Refused) {
        m_ctx.dialogs->message(QStringLiteral(
            "需移动位置的奖项已开奖,只能调整未开奖的奖项顺序!\r可以点清除抽奖来清除抽奖记录"));
        return;
    }
    if (result == ItemEditor::Move::Moved)
        reload(currentRow(), rowId);
}

void ItemsPage::btnJXeditPClick()
{
    move(true);
}

void ItemsPage::btnJXeditNClick()
{
    move(false);
}

void ItemsPage::pickPicture(QLineEdit* edit)
{
    const QString path =
        m_ctx.dialogs->openPicture(m_ctx.programFolder + QStringLiteral("bmp/"), kPictureFilter);
    if (!path.isEmpty())
        edit->setText(path);
}

void ItemsPage::btnJXeditjpgClick()
{
    pickPicture(editJXeditjpg);
}

void ItemsPage::btnJXeditBJjpgClick()
{
    pickPicture(editJXeditBJjpg);
}

void ItemsPage::btnJXeditAddTJClick()
{
    const QString op =
        cbxJXeditcqtj->currentIndex() >= 0 ? cbxJXeditcqtj->currentText() : QString();
    const QString number = editJXeditcqtj->text();
    if (op.isEmpty() || number.isEmpty())
        return;
    edtJXtj->setText(addConditionTerm(edtJXtj->text(), op, number));
    editJXeditcqtj->clear();
}

void ItemsPage::btnJXeditDelTJClick()
{
    edtJXtj->setText(removeLastConditionTerm(edtJXtj->text()));
}

void ItemsPage::DBGridEhjxCellClick()
{
    const DrawItem* item = currentItem();
    if (!m_open || !item)
        return;
    editJXeditjxmc->setText(item->name);
    editJXeditjpmc->setText(item->prize);
    editJXeditjpg->setText(item->picture);
    editJXeditBJjpg->setText(item->background);
    editJXeditjxsl->setText(item->count);
    edtJXtj->setText(item->condition);
    cbxJXeditcqtj->setCurrentIndex(-1);
    editJXeditcqtj->clear();
}

} // namespace varnel

#include "shell/TFrmSet.h"

#include "manage/pages/AboutPage.h"
#include "manage/pages/ItemsPage.h"
#include "manage/pages/MallPage.h"
#include "manage/pages/OptionPage.h"
#include "manage/pages/ParticipantsPage.h"
#include "manage/pages/SoundPage.h"
#include "screen/DrawScreen.h"
#include "shell/AppSetup.h"
#include "shell/RecordsPage.h"
#include "shell/TfrmMM.h"
#include "shell/TopBar.h"
#include "store/SetIni.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varnel {

namespace {

const char* const kPageNames[] = {"Mian",        "Log",          "JianxianSet", "SoundSet",
                                  "JianxianRen", "jianxianEdit", "shangchang"};

QToolButton* topButton(const QString& text, const char* name, QStyle::StandardPixmap icon,
                       QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(16, 16));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFocusPolicy(Qt::TabFocus);
    b->setMinimumHeight(30);
    return b;
}

} // namespace

bool isSafeProjectName(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

TFrmSet::TFrmSet(const FrmSetDeps& deps, QWidget* parent)
    : QWidget(parent), m_deps(deps), m_db(deps.connectionName)
{
    m_ctx.programFolder = deps.programFolder;
    if (!m_ctx.programFolder.isEmpty() && !m_ctx.programFolder.endsWith(QLatin1Char('/')))
        m_ctx.programFolder += QLatin1Char('/');
    m_ctx.db = &m_db;
    m_ctx.dialogs = deps.dialogs;
    m_ctx.sound = deps.sound;
    m_ctx.clock = deps.clock;
    m_passwordPrompt = [this] { return TfrmMM::ask(this); };
    m_drawRunner = [this](bool adjust, int key) { runDrawScreen(m_ctx, *this, adjust, key, this); };

    setObjectName(QStringLiteral("FrmSet"));
    setWindowTitle(mainCaption());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(749, 503);
    // One look for the sections of every page.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #c5cfdc; border-radius: 5px; margin-top: 9px; "
        "background: #f6f8fb; padding-top: 4px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; "
        "left: 9px; padding: 0 4px; color: #1b4f9c; font-weight: bold; }"));

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    buildTopBar();
    lay->addWidget(m_top);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    buildTree();
    buildNotebook();
    body->addWidget(m_tree);
    body->addWidget(m_book, 1);
    lay->addLayout(body, 1);

    // The notice panel of the draw preparation: dark blue, white bold text, above everything.
    m_pnlTS = new QLabel(this);
    m_pnlTS->setObjectName(QStringLiteral("pnlTS"));
    m_pnlTS->setProperty("tag", 99);
    m_pnlTS->setAlignment(Qt::AlignCenter);
    // 7945472 is 0x00793E00 in the stored blue-green-red layout: red 0x00, green 0x3E, blue 0x79.
    m_pnlTS->setStyleSheet(QStringLiteral(
        "QLabel { background: #003e79; color: #ffffff; font-weight: bold; padding: 10px 24px; "
        "border: 1px solid #ffffff; }"));
    m_pnlTS->hide();

    connectPages();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
}

TFrmSet::~TFrmSet()
{
    // The pages hold queries on the connection; they go before it.
    leaveCurrentPage();
    delete m_book;
    m_book = nullptr;
}

void TFrmSet::buildTopBar()
{
    m_top = new BannerPanel(this);
    m_top->setFixedHeight(57);
    // Light text on a dark banner, dark red text on a light one.
    m_top->setStyleSheet(
        m_top->isDark()
            ? QStringLiteral(
                  "QToolButton { color: #ffffff; background: rgba(255,255,255,30); "
                  "border: 1px solid rgba(255,255,255,90); border-radius: 4px; padding: 3px 7px; }"
                  "QToolButton:hover { background: rgba(255,255,255,70); }"
                  "QToolButton:pressed { background: rgba(0,0,0,50); }"
                  "QToolButton:disabled { color: rgba(255,255,255,105); "
                  "border-color: rgba(255,255,255,45); }"
                  "QLabel#lbTop1 { color: #ffffff; font-weight: bold; }")
            : QStringLiteral("QToolButton { color: #7a0c12; background: rgba(255,255,255,150); "
                             "border: 1px solid #d9a441; border-radius: 4px; padding: 3px 7px; "
                             "font-weight: bold; }"
                             "QToolButton:hover { background: #ffffff; border-color: #c0392b; }"
                             "QToolButton:pressed { background: #f4d58d; }"
                             "QToolButton:disabled { color: #b9a08a; border-color: #e8d2a4; "
                             "background: rgba(255,255,255,70); }"
                             "QLabel#lbTop1 { color: #7a0c12; font-weight: bold; }"
                             "QLineEdit#editTop { border: 1px solid #d9a441; border-radius: 3px; "
                             "background: #ffffff; padding: 1px 4px; }"));
    auto* lay = new QHBoxLayout(m_top);
    lay->setContentsMargins(10, 0, 10, 0);
    lay->setSpacing(6);

    m_lbTop1 = new QLabel(QStringLiteral("抽奖项目名称"), m_top);
    m_lbTop1->setObjectName(QStringLiteral("lbTop1"));
    m_editTop = new QLineEdit(m_top);
    m_editTop->setObjectName(QStringLiteral("editTop"));
    m_editTop->setReadOnly(true);
    m_editTop->setFixedWidth(180);
    m_editTop->setMinimumHeight(26);
    m_lbTop1->setBuddy(m_editTop);
    m_lockButton = m_editTop->addAction(lockIcon(0), QLineEdit::TrailingPosition);
    m_lockButton->setObjectName(QStringLiteral("editTopRightButton"));
    m_lockButton->setToolTip(QStringLiteral("项目密码锁"));
    m_lockButton->setVisible(false);
    connect(m_lockButton, &QAction::triggered, this, [this] { editTopRightButtonClick(); });

    m_btnNew = topButton(QStringLiteral("新建"), "spbtnTopNew", QStyle::SP_FileIcon, m_top);
    m_btnLoad =
        topButton(QStringLiteral("加载"), "spbtnTopLoad", QStyle::SP_DialogOpenButton, m_top);
    m_btnOpen = topButton(QStringLiteral("开始抽奖"), "spbtnTopOPEN", QStyle::SP_MediaPlay, m_top);
    m_btnSee = topButton(QStringLiteral("领奖记录"), "spbthTopSee",
                         QStyle::SP_FileDialogDetailedView, m_top);
    m_btnClear =
        topButton(QStringLiteral("清除抽奖"), "spbtnTopClear", QStyle::SP_TrashIcon, m_top);

    lay->addWidget(m_lbTop1);
    lay->addWidget(m_editTop);
    lay->addStretch(1);
    for (QToolButton* b : {m_btnNew, m_btnLoad, m_btnOpen, m_btnSee, m_btnClear})
        lay->addWidget(b);

    connect(m_btnNew, &QToolButton::clicked, this, [this] { spbtnTopNewClick(); });
    connect(m_btnLoad, &QToolButton::clicked, this, [this] { spbtnTopLoadClick(); });
    connect(m_btnOpen, &QToolButton::clicked, this, [this] { spbtnTopOPENClick(); });
    connect(m_btnSee, &QToolButton::clicked, this, [this] { spbthTopSeeClick(); });
    connect(m_btnClear, &QToolButton::clicked, this, [this] { spbtnTopClearClick(); });
}

void TFrmSet::buildTree()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TreeV"));
    m_tree->setFixedWidth(153);
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(19);
    m_tree->setRootIsDecorated(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setAccessibleName(QStringLiteral("导航"));
    m_tree->setStyleSheet(QStringLiteral(
        "QTreeWidget#TreeV { background: #f7f9fc; border: none; border-right: 1px solid #c9d2de; }"
        "QTreeWidget#TreeV::item { height: 26px; }"));
    QStyle* st = style();
    auto node = [](const QString& text, const QIcon& icon) {
        auto* item = new QTreeWidgetItem(QStringList{text});
        item->setIcon(0, icon);
        return item;
    };
    m_nodeBase =
        node(QStringLiteral("基础设定"), st->standardIcon(QStyle::SP_FileDialogContentsView));
    m_nodeItems = node(QStringLiteral("项目设置"), st->standardIcon(QStyle::SP_FileDialogListView));
    m_nodeRoll = node(QStringLiteral("滚动数据设置"), st->standardIcon(QStyle::SP_DirIcon));
    m_nodeSound = node(QStringLiteral("声音设定"), st->standardIcon(QStyle::SP_MediaVolume));
    m_nodeAbout = node(QStringLiteral("关于"), st->standardIcon(QStyle::SP_MessageBoxInformation));
    m_nodeBase->addChild(m_nodeItems);
    m_nodeBase->addChild(m_nodeRoll);
    m_tree->addTopLevelItem(m_nodeBase);
    m_tree->addTopLevelItem(m_nodeSound);
    m_tree->addTopLevelItem(m_nodeAbout);

    // A click acts on the selected node; a disabled node can be neither selected nor clicked.
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item && !item->isDisabled())
            TreeVClick();
    });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item && !item->isDisabled())
            TreeVClick();
    });
}

void TFrmSet::buildNotebook()
{
    m_book = new QStackedWidget(this);
    m_book->setObjectName(QStringLiteral("NtBook"));
    m_aboutPage = new AboutPage(m_book);
    m_recordsPage = new RecordsPage(m_ctx, *this, m_book);
    m_optionPage = new OptionPage(m_ctx, m_book);
    m_soundPage = new SoundPage(m_ctx, m_book);
    m_participantsPage = new ParticipantsPage(m_ctx, *this, m_book);
    m_itemsPage = new ItemsPage(m_ctx, *this, m_book);
    m_mallPage = new MallPage(m_ctx, *this, m_book);
    for (QWidget* p :
         std::initializer_list<QWidget*>{m_aboutPage, m_recordsPage, m_optionPage, m_soundPage,
                                         m_participantsPage, m_itemsPage, m_mallPage})
        m_book->addWidget(p);
    m_book->setCurrentIndex(PageMian);
}

void TFrmSet::connectPages()
{
    connect(m_optionPage, &OptionPage::passwordUseChanged, this,
            [this](bool on) { m_lockButton->setVisible(on); });
    connect(m_optionPage, &OptionPage::modeChanged, this,
            [this](bool normal) { setItemsNodeEnabled(normal); });
    connect(m_optionPage, &OptionPage::adjustDrawScreenRequested, this,
            [this] { adjustDrawScreen(); });
    connect(m_optionPage, &OptionPage::adjustWinnersListRequested, this,
            [this] { adjustWinnersList(); });
}

QString TFrmSet::projectName() const
{
    return m_editTop->text();
}

bool TFrmSet::lockButtonVisible() const
{
    return m_lockButton->isVisible();
}

NotebookPage* TFrmSet::page(int index) const
{
    return static_cast<NotebookPage*>(m_book ? m_book->widget(index) : nullptr);
}

QTreeWidgetItem* TFrmSet::selectedNode() const
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TFrmSet::leaveCurrentPage()
{
    if (NotebookPage* p = m_book ? page(m_book->currentIndex()) : nullptr)
        p->leave();
}

void TFrmSet::TreeVClick()
{
    navigateSelected();
}

void TFrmSet::navigateSelected()
{
    QTreeWidgetItem* node = selectedNode();
    if (!node || node->isDisabled())
        return;
    int target = PageMian;
    if (node == m_nodeBase)
        target = PageJianxianSet;
    else if (node == m_nodeItems)
        target = PageJianxianEdit;
    else if (node == m_nodeRoll)
        target = normalMode() ? PageJianxianRen : PageShangchang;
    else if (node == m_nodeSound)
        target = PageSoundSet;
    leaveCurrentPage();
    m_book->setCurrentIndex(target);
    page(target)->enter();
}

int TFrmSet::currentPage() const
{
    return m_book->currentIndex();
}

void TFrmSet::showPage(int index)
{
    if (index == m_book->currentIndex())
        return;
    leaveCurrentPage();
    m_book->setCurrentIndex(index);
}

void TFrmSet::spbthTopSeeClick()
{
    if (currentPage() == PageLog) {
        navigateSelected();
        return;
    }
    leaveCurrentPage();
    m_book->setCurrentIndex(PageLog);
    m_recordsPage->enter();
}

void TFrmSet::markDataChanged()
{
    if (m_dataChanged)
        return;
    m_dataChanged = true;
    emit dataChangedFlagChanged(true);
}

void TFrmSet::clearDataChanged()
{
    if (!m_dataChanged)
        return;
    m_dataChanged = false;
    emit dataChangedFlagChanged(false);
}

void TFrmSet::watchDataChanged(QObject* receiver, std::function<void(bool)> fn)
{
    connect(this, &TFrmSet::dataChangedFlagChanged, receiver, std::move(fn));
}

bool TFrmSet::normalMode() const
{
    return m_optionPage->normalMode();
}

void TFrmSet::setItemsNodeEnabled(bool enabled)
{
    m_nodeItems->setDisabled(!enabled);
}

StarMaskParams TFrmSet::starMaskParams() const
{
    return m_optionPage->starMaskParams();
}

bool TFrmSet::mallRegisterDrawer() const
{
    return m_mallPage->registerDrawer();
}

bool TFrmSet::mallCycles() const
{
    return m_mallPage->cycles();
}

bool TFrmSet::mallOnlyWinnable() const
{
    return m_mallPage->onlyWinnable();
}

void TFrmSet::showNotice(const QString& text)
{
    if (text.isEmpty()) {
        hideNotice();
        return;
    }
    m_pnlTS->setText(text);
    m_pnlTS->adjustSize();
    m_pnlTS->resize(qMax(260, m_pnlTS->width()), m_pnlTS->height());
    m_pnlTS->move((width() - m_pnlTS->width()) / 2, (height() - m_pnlTS->height()) / 2);
    m_pnlTS->raise();
    m_pnlTS->show();
    m_pnlTS->repaint();
}

void TFrmSet::hideNotice()
{
    m_pnlTS->hide();
}

void TFrmSet::refreshMallPageIfShown()
{
    if (currentPage() == PageShangchang)
        navigateSelected();
}

void TFrmSet::setLayoutPreview(const QImage& preview, const QString& screenSizeText)
{
    m_optionPage->setLayoutPreview(preview, screenSizeText);
}

void TFrmSet::closeEvent(QCloseEvent* event)
{
    // Fields that store their value when they lose the focus store it now.
    QWidget* had = focusWidget();
    m_editTop->setFocus(Qt::OtherFocusReason);
    if (had && had != m_editTop && QApplication::focusWidget() != m_editTop)
        m_optionPage->commitFocusedField(had); // inactive window: no focus-out arrives
    m_recordsPage->commitPendingEdit();
    SetIni(m_ctx.programFolder).writeLastProject(m_editTop->text());
    event->accept(); // closing is never refused
}

void TFrmSet::saveScreenshots(const QString& folder)
{
    QDir().mkpath(folder);
    QTreeWidgetItem* nodes[] = {m_nodeAbout, nullptr, m_nodeBase, m_nodeSound,
                                nullptr,     nullptr, nullptr};
    for (int i = 0; i < 7; ++i) {
        if (nodes[i]) {
            m_tree->setCurrentItem(nodes[i]);
            navigateSelected();
        } else {
            m_tree->clearSelection();
            leaveCurrentPage();
            m_book->setCurrentIndex(i);
            page(i)->enter();
        }
        QCoreApplication::processEvents();
        grab().save(folder +
                    QStringLiteral("/page%1_%2.png").arg(i).arg(QLatin1String(kPageNames[i])));
    }
    m_tree->clearSelection();
    leaveCurrentPage();
    m_book->setCurrentIndex(PageMian);

    TfrmMM prompt(this);
    prompt.show();
    QCoreApplication::processEvents();
    prompt.grab().save(folder + QStringLiteral("/dialog_TfrmMM.png"));
}

} // namespace varnel

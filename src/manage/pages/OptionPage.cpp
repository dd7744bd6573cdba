#include "manage/pages/OptionPage.h"
#include "manage/pages/StoreSetting.h"

#include "platform/Dialogs.h"
#include "shell/FormWidgets.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/Settings.h"
#include "store/ValueCodec.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace varnel {

namespace {

const QString kMaskStart = QStringLiteral("滚动显示星星开始");
const QString kMaskCount = QStringLiteral("滚动显示星星个数");
const QString kMaskSymbol = QStringLiteral("滚动显示星星符号");
const QString kSpeed = QStringLiteral("滚动显示速度");
const QString kInterval = QStringLiteral("抽奖间隔");
const QString kRepeat = QStringLiteral("可重复中奖");
const QString kShowItemList = QStringLiteral("显示奖项中奖清单");
const QString kListReversed = QStringLiteral("中奖清单倒序显示");
const QString kShowWinners = QStringLiteral("显示已中奖清单");
const QString kDefaultCondition = QStringLiteral("默认条件");
const QString kUsePassword = QStringLiteral("使用项目密码");
const QString kPassword = QStringLiteral("项目密码");
const QString kLockNew = QStringLiteral("加密新建");
const QString kLockLoad = QStringLiteral("加密加载");
const QString kLockRecords = QStringLiteral("加密领奖");
const QString kLockClear = QStringLiteral("加密清除");
const QString kMode = QStringLiteral("滚动名单模式");

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

ArrowSpinBox* upDown(const char* name, int min, int max, int step, int initial, QWidget* parent)
{
    auto* box = named(new ArrowSpinBox(parent), name);
    box->setRange(min, max);
    box->setSingleStep(step);
    box->setValue(initial);
    box->setFixedWidth(50);
    return box;
}

QGroupBox* section(const QString& title, const char* name, QWidget* parent)
{
    auto* box = named(new QGroupBox(title, parent), name);
    return box;
}

} // namespace

QString currentScreenSizeText()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize();
    return QString::number(size.width()) + QLatin1Char('*') + QString::number(size.height());
}

QString layoutInfoText(const QString& stored, const QString& currentScreen, bool* mismatch)
{
    const QString head = QStringLiteral("抽奖界面信息:") + QStringLiteral("\r\r");
    bool different = false;
    QString text;
    if (stored.isEmpty()) {
        text = head + QStringLiteral("未设置");
    } else if (stored == currentScreen) {
        text = head + stored;
    } else {
        text = head + stored + QStringLiteral("\r\r") + QStringLiteral("大小与当前屏幕大小不一致");
        different = true;
    }
    if (mismatch)
        *mismatch = different;
    return text;
}

OptionPage::OptionPage(AppContext& ctx, QWidget* parent) : NotebookPage(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("JianxianSet"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 8, 6, 8);
    page->setSpacing(10);
    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(buildModeGroup());
    left->addWidget(buildLayoutGroup(), 1);
    top->addLayout(left, 0);
    top->addWidget(buildOtherGroup(), 1);
    page->addLayout(top);
    page->addWidget(buildRollGroup());
    page->addStretch(1);
    refreshMaskPreview();
    showLayoutInfo(layoutInfoText(QString(), currentScreenSizeText(), nullptr), false);
    connectHandlers();
}

QWidget* OptionPage::buildModeGroup()
{
    auto* box = section(QStringLiteral("抽奖模式设置"), "grpCJSETcjms", this);
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(8, 6, 8, 8);
    lay->setSpacing(6);
    m_rbNormal =
        named(new QRadioButton(QStringLiteral("滚动名单的普通抽奖模式"), box), "rbCJSETcjms1");
    m_rbMall =
        named(new QRadioButton(QStringLiteral("滚动奖品的商场抽奖模式"), box), "rbCJSETcjms2");
    m_rbNormal->setChecked(true);
    lay->addWidget(m_rbNormal);
    lay->addWidget(m_rbMall);
    return box;
}

QWidget* OptionPage::buildLayoutGroup()
{
    auto* box = section(QStringLiteral("抽奖界面设置"), "grpCJJMset", this);
    box->setFixedWidth(296);
    auto* lay = new QHBoxLayout(box);
    lay->setContentsMargins(6, 6, 6, 8);
    lay->setSpacing(6);
    m_imgYL = named(new QLabel(box), "imgYL");
    m_imgYL->setFixedSize(161, 117);
    m_imgYL->setScaledContents(true);
    m_imgYL->setFrameShape(QFrame::Box);
    m_imgYL->setAccessibleName(QStringLiteral("抽奖界面预览"));
    lay->addWidget(m_imgYL, 0, Qt::AlignTop);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    m_btnAdjustScreen = named(new QPushButton(QStringLiteral("调整抽奖界面"), box), "btnTZCJJM");
    m_btnAdjustList = named(new QPushButton(QStringLiteral("调整中奖清单界面"), box), "btnTZZJQD");
    m_lblCJInfo = named(new QLabel(box), "lblCJInfo");
    m_lblCJInfo->setWordWrap(true);
    m_lblCJInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(m_btnAdjustScreen);
    right->addWidget(m_btnAdjustList);
    right->addSpacing(2);
    right->addWidget(m_lblCJInfo, 1);
    lay->addLayout(right, 1);
    return box;
}

QWidget* OptionPage::buildRollGroup()
{
    auto* box = section(QStringLiteral("滚动数据设置"), "grpGDset", this);
    auto* lay = new QHBoxLayout(box);
    lay->setContentsMargins(8, 8, 8, 8);
    lay->setSpacing(8);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(10);
    auto* mask = new QHBoxLayout;
    mask->setSpacing(4);
    m_maskStart = upDown("editGDxinxinleft", 0, 100, 1, 0, box);
    m_maskCount = upDown("editGDxinxinCount", 0, 100, 1, 0, box);
    m_maskSymbol = named(new ExitLineEdit(QStringLiteral("*"), box), "editGDxinxin");
    m_maskSymbol->setMaxLength(1);
    m_maskSymbol->setFixedWidth(30);
    m_maskSymbol->setAlignment(Qt::AlignCenter);
    m_maskSymbol->setAccessibleName(QStringLiteral("滚动显示星星符号"));
    mask->addWidget(caption(QStringLiteral("从第"), m_maskStart, box));
    mask->addWidget(m_maskStart);
    mask->addWidget(caption(QStringLiteral("位开始的"), m_maskCount, box));
    mask->addWidget(m_maskCount);
    mask->addWidget(caption(QStringLiteral("个字符用"), m_maskSymbol, box));
    mask->addWidget(m_maskSymbol);
    mask->addWidget(new QLabel(QStringLiteral("号显示"), box));
    mask->addStretch(1);
    lines->addLayout(mask);

    auto* speed = new QHBoxLayout;
    speed->setSpacing(4);
    m_speed = upDown("editGDshudu", 1, 200, 5, 40, box);
    speed->addWidget(caption(QStringLiteral("滚动速度为:"), m_speed, box));
    speed->addWidget(m_speed);
    speed->addWidget(new QLabel(QStringLiteral("毫秒"), box));
    auto* note = named(new QLabel(QStringLiteral("(注: 1秒 = 1000毫秒, 10 <= 速度 <= 100)"), box),
                       "lbGDshuduNote");
    note->setStyleSheet(QStringLiteral("color: #d00000;"));
    QFont nf = note->font();
    nf.setPointSizeF(nf.pointSizeF() - 0.5);
    note->setFont(nf);
    speed->addSpacing(2);
    speed->addWidget(note);
    speed->addStretch(1);
    lines->addLayout(speed);
    lay->addLayout(lines, 1);

    auto* sample = section(QStringLiteral("示例"), "grpGDLineSee", box);
    auto* sampleLay = new QVBoxLayout(sample);
    sampleLay->setContentsMargins(6, 2, 6, 4);
    m_maskSample = named(new QLabel(sample), "lbGDLineSee");
    QFont f = m_maskSample->font();
    f.setPointSizeF(f.pointSizeF() * 1.2);
    f.setBold(true);
    m_maskSample->setFont(f);
    m_maskSample->setAlignment(Qt::AlignCenter);
    m_maskSample->setMinimumWidth(128);
    m_maskSample->setStyleSheet(QStringLiteral("color: #1b4f9c;"));
    sampleLay->addWidget(m_maskSample);
    lay->addWidget(sample, 0, Qt::AlignVCenter);
    return box;
}

QWidget* OptionPage::buildOtherGroup()
{
    auto* box = section(QStringLiteral("其他设置"), "grpQTset", this);
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(6, 8, 6, 8);
    lay->setSpacing(7);
    m_chkyzjqd =
        named(new QCheckBox(QStringLiteral("抽取过程中显示该抽取项目已中清单"), box), "chkyzjqd");
    lay->addWidget(m_chkyzjqd);

    auto* cond = new QHBoxLayout;
    m_defaultCondition = named(new ExitLineEdit(box), "edt_MoRenTiaoJian");
    m_defaultCondition->setPlaceholderText(QStringLiteral("例如 >=1|=0"));
    cond->addWidget(caption(QStringLiteral("默认条件:"), m_defaultCondition, box));
    cond->addWidget(m_defaultCondition, 1);
    lay->addLayout(cond);

    m_cbxShowJXzjname =
        named(new QCheckBox(QStringLiteral("项目抽完后显示抽中清单"), box), "cbxShowJXzjname");
    m_chkzjqdsx = named(new QCheckBox(QStringLiteral("中奖名单显示顺序为倒序"), box), "chkzjqdsx");
    lay->addWidget(m_cbxShowJXzjname);
    lay->addWidget(m_chkzjqdsx);

    auto* interval = new QHBoxLayout;
    interval->setSpacing(4);
    m_interval = upDown("editGDSETajjesj", 0, 5, 1, 1, box);
    m_interval->setFixedWidth(42);
    interval->addWidget(
        caption(QStringLiteral("抽奖时第二次按键的间隔时间必须 >="), m_interval, box));
    interval->addWidget(m_interval);
    interval->addWidget(new QLabel(QStringLiteral("秒"), box));
    interval->addStretch(1);
    lay->addLayout(interval);

    m_cbxGDSETcfzj = named(new QCheckBox(QStringLiteral("允许重复中奖"), box), "cbxGDSETcfzj");
    lay->addWidget(m_cbxGDSETcfzj);

    auto* pwdFrame = named(new QFrame(box), "pnlMM");
    pwdFrame->setFrameShape(QFrame::StyledPanel);
    auto* pwd = new QGridLayout(pwdFrame);
    pwd->setContentsMargins(6, 4, 6, 4);
    pwd->setHorizontalSpacing(6);
    pwd->setVerticalSpacing(3);
    m_chkMM = named(new QCheckBox(QStringLiteral("项目设置密码:"), pwdFrame), "chkMM");
    m_edtMM = named(new ExitLineEdit(pwdFrame), "edtMM");
    m_edtMM->setEchoMode(QLineEdit::Password);
    m_edtMM->setAccessibleName(QStringLiteral("项目密码"));
    m_chkMMmm = named(new QCheckBox(QStringLiteral("明码"), pwdFrame), "chkMMmm");
    m_chkMMxj = named(new QCheckBox(QStringLiteral("加密新建"), pwdFrame), "chkMMxj");
    m_chkMMjz = named(new QCheckBox(QStringLiteral("加密加载"), pwdFrame), "chkMMjz");
    m_chkMMlj = named(new QCheckBox(QStringLiteral("加密领奖"), pwdFrame), "chkMMlj");
    m_chkMMqc = named(new QCheckBox(QStringLiteral("加密清除"), pwdFrame), "chkMMqc");
    for (QCheckBox* b : {m_chkMMxj, m_chkMMjz, m_chkMMlj, m_chkMMqc})
        b->setChecked(true);
    auto* pwdLine = new QHBoxLayout;
    pwdLine->setSpacing(6);
    pwdLine->addWidget(m_chkMM);
    pwdLine->addWidget(m_edtMM, 1);
    pwdLine->addWidget(m_chkMMmm);
    pwd->addLayout(pwdLine, 0, 0, 1, 2);
    pwd->addWidget(m_chkMMxj, 1, 0);
    pwd->addWidget(m_chkMMjz, 1, 1);
    pwd->addWidget(m_chkMMlj, 2, 0);
    pwd->addWidget(m_chkMMqc, 2, 1);
    lay->addWidget(pwdFrame);
    lay->addStretch(1);
    return box;
}

void OptionPage::connectHandlers()
{
    connect(m_maskStart, &QSpinBox::valueChanged, this, [this](int v) {
        store(kMaskStart, QString::number(v));
        refreshMaskPreview();
    });
    connect(m_maskCount, &QSpinBox::valueChanged, this, [this](int v) {
        store(kMaskCount, QString::number(v));
        refreshMaskPreview();
    });
    connect(m_maskSymbol, &QLineEdit::textChanged, this, [this] { refreshMaskPreview(); });
    connect(m_maskSymbol, &ExitLineEdit::exited, this,
            [this] { store(kMaskSymbol, m_maskSymbol->text()); });
    connect(m_speed, &QSpinBox::valueChanged, this,
            [this](int v) { store(kSpeed, QString::number(v)); });
    connect(m_interval, &QSpinBox::valueChanged, this,
            [this](int v) { store(kInterval, QString::number(v)); });

    const std::pair<QCheckBox*, const QString*> flags[] = {
        {m_cbxGDSETcfzj, &kRepeat},    {m_cbxShowJXzjname, &kShowItemList},
        {m_chkzjqdsx, &kListReversed}, {m_chkyzjqd, &kShowWinners},
        {m_chkMMxj, &kLockNew},        {m_chkMMjz, &kLockLoad},
        {m_chkMMlj, &kLockRecords},    {m_chkMMqc, &kLockClear},
    };
    for (const auto& [box, key] : flags)
        connect(box, &QCheckBox::toggled, this, [this, k = *key](bool on) { storeFlag(k, on); });
    connect(m_chkMM, &QCheckBox::toggled, this, [this](bool on) {
        storeFlag(kUsePassword, on);
        emit passwordUseChanged(on);
    });
    connect(m_edtMM, &ExitLineEdit::exited, this, [this] { store(kPassword, m_edtMM->text()); });
    connect(m_chkMMmm, &QCheckBox::toggled, this, [this](bool on) {
        m_edtMM->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(m_defaultCondition, &ExitLineEdit::exited, this,
            [this] { store(kDefaultCondition, m_defaultCondition->text()); });

    // Only an operator's click asks about the mode; setting the buttons from a project is
    // silent (the stored mode then always equals the chosen one).
    connect(m_rbNormal, &QRadioButton::clicked, this, [this] { rbCJSETcjms1Click(); });
    connect(m_rbMall, &QRadioButton::clicked, this, [this] { rbCJSETcjms2Click(); });
    connect(m_btnAdjustScreen, &QPushButton::clicked, this,
            [this] { emit adjustDrawScreenRequested(); });
    connect(m_btnAdjustList, &QPushButton::clicked, this,
            [this] { emit adjustWinnersListRequested(); });
}

void OptionPage::store(const QString& key, const QString& value)
{
    saveSettingOrShowError(m_ctx, key, value);
}

void OptionPage::storeFlag(const QString& key, bool on)
{
    store(key, flagText(on));
}

void OptionPage::loadSettings(const Settings& s)
{
    m_maskStart->setValue(toIntOr0(s.read(kMaskStart)));
    m_maskCount->setValue(toIntOr0(s.read(kMaskCount)));
    m_maskSymbol->setText(s.read(kMaskSymbol));
    m_speed->setValue(toIntOr0(s.read(kSpeed)));
    m_cbxGDSETcfzj->setChecked(flagOffOnlyAtZero(s.read(kRepeat)));
    m_chkMM->setChecked(flagOnOnlyAtMinusOne(s.read(kUsePassword)));
    m_edtMM->setText(s.read(kPassword));
    m_chkMMxj->setChecked(flagOffOnlyAtZero(s.read(kLockNew)));
    m_chkMMjz->setChecked(flagOffOnlyAtZero(s.read(kLockLoad)));
    m_chkMMlj->setChecked(flagOffOnlyAtZero(s.read(kLockRecords)));
    m_chkMMqc->setChecked(flagOffOnlyAtZero(s.read(kLockClear)));
    const bool normal = s.read(kMode) != QStringLiteral("0");
    (normal ? m_rbNormal : m_rbMall)->setChecked(true);
    m_cbxShowJXzjname->setChecked(flagOffOnlyAtZero(s.read(kShowItemList)));
    m_chkzjqdsx->setChecked(flagOffOnlyAtZero(s.read(kListReversed)));
    m_chkyzjqd->setChecked(flagOffOnlyAtZero(s.read(kShowWinners)));
    m_interval->setValue(toIntOr0(s.read(kInterval)));
    m_defaultCondition->setText(s.read(kDefaultCondition));
}

void OptionPage::loadLayoutPreview(const Settings& s)
{
    m_imgYL->setPixmap(
        QPixmap::fromImage(LoadJpegBlob(s.readBlob(QStringLiteral("抽奖界面预览")), m_ctx.blank)));
    bool mismatch = false;
    const QString text = layoutInfoText(s.read(QStringLiteral("抽奖界面预览信息")),
                                        currentScreenSizeText(), &mismatch);
    showLayoutInfo(text, mismatch);
}

void OptionPage::setLayoutPreview(const QImage& preview, const QString& screenSizeText)
{
    m_imgYL->setPixmap(QPixmap::fromImage(preview));
    showLayoutInfo(QStringLiteral("抽奖界面信息:") + QStringLiteral("\r\r") + screenSizeText,
                   false);
}

void OptionPage::showLayoutInfo(const QString& text, bool mismatch)
{
    m_layoutInfo = text;
    m_layoutMismatch = mismatch;
    // A label breaks lines only at line feeds; the stored text uses carriage returns.
    m_lblCJInfo->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    m_lblCJInfo->setStyleSheet(mismatch ? QStringLiteral("color: #ff0000;") : QString());
}

StarMaskParams OptionPage::starMaskParams() const
{
    return {m_maskStart->value(), m_maskCount->value(), m_maskSymbol->text()};
}

void OptionPage::refreshMaskPreview()
{
    m_maskSample->setText(starMask(starMaskSampleText(), starMaskParams()));
}

bool OptionPage::normalMode() const
{
    return m_rbNormal->isChecked();
}

void OptionPage::commitFocusedField(QWidget* focused)
{
    for (ExitLineEdit* e : {m_edtMM, m_defaultCondition, m_maskSymbol}) {
        if (focused == e)
            emit e->exited();
    }
}

bool OptionPage::passwordOn() const
{
    return m_chkMM->isChecked();
}
QString OptionPage::password() const
{
    return m_edtMM->text();
}
bool OptionPage::protectsNew() const
{
    return m_chkMMxj->isChecked();
}
bool OptionPage::protectsLoad() const
{
    return m_chkMMjz->isChecked();
}
bool OptionPage::protectsRecords() const
{
    return m_chkMMlj->isChecked();
}
bool OptionPage::protectsClear() const
{
    return m_chkMMqc->isChecked();
}

void OptionPage::rbCJSETcjms1Click()
{
    switchMode(true);
}

void OptionPage::rbCJSETcjms2Click()
{
    switchMode(false);
}

void OptionPage::switchMode(bool normalChosen)
{
    if (!m_ctx.db || !m_ctx.db->isConnected())
        return;
    QRadioButton* chosen = normalChosen ? m_rbNormal : m_rbMall;
    QRadioButton* previous = normalChosen ? m_rbMall : m_rbNormal;
    try {
        Settings settings(*m_ctx.db);
        const bool storedMall =
            m_ctx.db->scalar(QStringLiteral("select var from z_set where name = '滚动名单模式'"))
                .toString() == QStringLiteral("0");
        if (normalChosen != storedMall) {
            chosen->setChecked(true); // already in that mode
            return;
        }
        const QString question =
            normalChosen
                ? QStringLiteral(
                      "更改抽奖模式将会丢失\r\r滚动数据\r奖项数据\r已抽奖记录!\r\r是否继续?")
                : QStringLiteral("更改抽奖模式将会丢失滚动和奖项数据!是否继续?");
        if (!m_ctx.dialogs->askYesNo(QStringLiteral("模式变更警告"), question,
                                     Dialogs::Icon::Warning)) {
            previous->setChecked(true);
            previous->setFocus();
            return;
        }
        for (const char* table : {"z_user", "zz_user", "z_scuser", "z_zj", "z_log", "log", "z_jx"})
            m_ctx.db->exec(QStringLiteral("delete from ") + QLatin1String(table));
        settings.save(kMode, normalChosen ? QStringLiteral("-1") : QStringLiteral("0"));
        chosen->setChecked(true);
        emit modeChanged(normalChosen);
    } catch (const DbError& e) {
        previous->setChecked(true); // the stored mode did not change
        m_ctx.dialogs->error(e.text());
    }
}

} // namespace varnel

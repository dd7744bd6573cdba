#include "manage/pages/SoundPage.h"
#include "manage/pages/StoreSetting.h"

#include "platform/Dialogs.h"
#include "platform/Sound.h"
#include "store/AppContext.h"
#include "store/Settings.h"
#include "store/ValueCodec.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace varnel {

namespace {
const QString kRollSound = QStringLiteral("滚动声音");
const QString kRollSoundOn = QStringLiteral("滚动有声音");
const QString kWinSound = QStringLiteral("中奖声音");
const QString kWinSoundOn = QStringLiteral("中奖有声音");
} // namespace

SoundPage::SoundPage(AppContext& ctx, QWidget* parent) : NotebookPage(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("SoundSet"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 10, 12, 10);

    auto* box = new QGroupBox(QStringLiteral("抽奖声音设置"), this);
    box->setObjectName(QStringLiteral("grpSoundSet"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(14, 16, 14, 14);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(14);
    m_roll = buildLine(QStringLiteral("滚动时背景声:"), "editSoundgd", "btnPlay1", "btnSoundgdSel",
                       "cbxSoundgd", box, grid, 0);
    m_win = buildLine(QStringLiteral("中奖时背景声:"), "editSoundzj", "btnPlay2", "btnSoundzjSel",
                      "cbxSoundzj", box, grid, 1);
    grid->setColumnStretch(1, 1);
    outer->addWidget(box);

    auto* hint = new QLabel(
        QStringLiteral("声音文件保存在抽奖项目内, 选择后原文件可以删除或移动。\n"
                       "滚动时背景声在滚动期间循环播放, 中奖时背景声在每次中奖时播放一次。"),
        this);
    hint->setObjectName(QStringLiteral("lbSoundHint"));
    hint->setWordWrap(true);
    hint->setStyleSheet(QStringLiteral("color: #4a5a70;"));
    outer->addWidget(hint);
    outer->addStretch(1);

    connect(m_roll.choose, &QPushButton::clicked, this, [this] { btnSoundgdSelClick(); });
    connect(m_win.choose, &QPushButton::clicked, this, [this] { btnSoundzjSelClick(); });
    connect(m_roll.play, &QPushButton::clicked, this, [this] { btnPlay1Click(); });
    connect(m_win.play, &QPushButton::clicked, this, [this] { btnPlay2Click(); });
    connect(m_roll.use, &QCheckBox::toggled, this,
            [this](bool on) { storeFlag(kRollSoundOn, on); });
    connect(m_win.use, &QCheckBox::toggled, this, [this](bool on) { storeFlag(kWinSoundOn, on); });
}

SoundPage::Line SoundPage::buildLine(const QString& captionText, const char* edit, const char* play,
                                     const char* choose, const char* use, QWidget* parent,
                                     QGridLayout* grid, int row)
{
    Line line;
    line.edit = new QLineEdit(parent);
    line.edit->setObjectName(QLatin1String(edit));
    // The edit only shows the stored file name; the sound itself lives in the project.
    line.edit->setReadOnly(true);
    line.edit->setAccessibleName(captionText);
    line.play = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), QStringLiteral("试听"),
                                parent);
    line.play->setObjectName(QLatin1String(play));
    line.play->setToolTip(QStringLiteral("播放一次保存的声音"));
    line.choose = new QPushButton(QStringLiteral("选择"), parent);
    line.choose->setObjectName(QLatin1String(choose));
    line.use = new QCheckBox(QStringLiteral("使用"), parent);
    line.use->setObjectName(QLatin1String(use));
    auto* label = new QLabel(captionText, parent);
    label->setBuddy(line.edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(line.edit, row, 1);
    grid->addWidget(line.play, row, 2);
    grid->addWidget(line.choose, row, 3);
    grid->addWidget(line.use, row, 4);
    return line;
}

void SoundPage::loadSettings(const Settings& s)
{
    m_roll.edit->setText(s.read(kRollSound));
    m_roll.use->setChecked(flagOffOnlyAtZero(s.read(kRollSoundOn)));
    m_win.edit->setText(s.read(kWinSound));
    m_win.use->setChecked(flagOffOnlyAtZero(s.read(kWinSoundOn)));
}

void SoundPage::btnSoundgdSelClick()
{
    choose(kRollSound, m_roll.edit);
}

void SoundPage::btnSoundzjSelClick()
{
    choose(kWinSound, m_win.edit);
}

void SoundPage::btnPlay1Click()
{
    play(kRollSound);
}

void SoundPage::btnPlay2Click()
{
    play(kWinSound);
}

void SoundPage::choose(const QString& key, QLineEdit* edit)
{
    const QString path = m_ctx.dialogs->openFile(m_ctx.file(QStringLiteral("Sound/")),
                                                 QStringLiteral("*.wav|*.wav"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_ctx.dialogs->error(QStringLiteral("无法读取文件 ") + path + QStringLiteral(": ") +
                             file.errorString());
        return;
    }
    const QByteArray bytes = file.readAll();
    const QString name = QFileInfo(path).fileName();
    try {
        Settings(*m_ctx.db).saveWithBlob(key, name, bytes);
        edit->setText(name);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void SoundPage::play(const QString& key)
{
    if (!m_ctx.db || !m_ctx.db->isConnected() || !m_ctx.sound)
        return;
    try {
        Settings settings(*m_ctx.db);
        if (!settings.exists(key))
            return;
        const QByteArray wav = settings.readBlob(key);
        if (wav.isEmpty())
            m_ctx.sound->stop();
        else
            m_ctx.sound->playOnce(wav); // the player keeps its own copy while it plays
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void SoundPage::storeFlag(const QString& key, bool on)
{
    saveSettingOrShowError(m_ctx, key, flagText(on));
}

} // namespace varnel

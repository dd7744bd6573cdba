// Building the draw screen from the settings, in the order the layout depends on.
#include "screen/TfrmJIANG.h"

#include "draw/DrawEngine.h"
#include "screen/CnAALabel.h"
#include "screen/EffectText.h"
#include "screen/MarqueeText.h"
#include "screen/PictureBox.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/ProjectDb.h"
#include "store/Settings.h"
#include "store/ValueCodec.h"

#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>

namespace varnel {

namespace {

QString u8(const char* s)
{
    return QString::fromUtf8(s);
}

// Font sizes are points at the 96 dpi the layouts were made for: a stage layout keeps its
// proportions whatever the display reports.
QFont stageFont(const FontSpec& stored)
{
    QFont f = stored.font();
    if (stored.size > 0)
        f.setPixelSize(qRound(stored.size * 96.0 / 72.0));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace

TfrmJIANG::TfrmJIANG(AppContext& ctx, DrawHost& host, bool adjust, int drawKey, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_host(host),
      m_settings(std::make_unique<Settings>(*ctx.db))
{
    setObjectName(QStringLiteral("frmJIANG"));
    setProperty("tag", 99); // left unstyled by the skin
    setWindowTitle(QStringLiteral("抽奖 (全屏模式 在界面设定里设置)"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    createComponents();
    createDrawMenu();
    createAdjustMenus();
    setPopupMenu(ImgBJ, adjust ? pmBJ : PopupMenu1);

    // 1. after-paint hooks: the last rolling frame while the area has no text, the zoom frame
    lbGDLname->OnAfterPaint = [this](TCnAALabel* l) {
        if (l->text().isEmpty() && !bmpRollFrame.isNull())
            l->canvas()->drawImage(QPoint(0, 0), bmpRollFrame, QRect(QPoint(0, 0), l->size()));
    };
    lbZoom->OnAfterPaint = [this](TCnAALabel* l) {
        if (!bmpZoomFrame.isNull())
            l->canvas()->drawImage(QPoint(0, 0), bmpZoomFrame, QRect(QPoint(0, 0), l->size()));
    };
    lbZoom->raise();

    // 2.-3. border and window mode
    M_Windows->setChecked(flagOnOnlyAtMinusOne(m_settings->read(u8("抽奖界面窗口模式"))));
    applyWindowMode(M_Windows->isChecked(), false);
    writeEffectsFile(); // 4.
    loadBackground();   // 5.
    // 6.
    m_ctx.roll.HorizontalRoll = flagOnOnlyAtMinusOne(m_settings->read(u8("抽奖界面横向滚动")));
    m_ctx.roll.ZoomEnabled = m_settings->flagOffOnlyAtZero(u8("抽奖界面放大图显示"));
    // 7.
    loadTitle(lbDWname, M_DWMC, "抽奖界面单位名称显示", "抽奖界面单位名称", "抽奖界面单位名称字体",
              "位置单位名称X", "位置单位名称Y");
    loadTitle(lbZBTname, M_ZBT, "抽奖界面主标题显示", "抽奖界面主标题", "抽奖界面主标题字体",
              "位置主标题名称X", "位置主标题名称Y");
    loadTitle(lbFBTname, M_FBT, "抽奖界面副标题显示", "抽奖界面副标题", "抽奖界面副标题字体",
              "位置副标题名称X", "位置副标题名称Y");
    loadRollSettings();        // 8.-11. and the rolling area's text and font
    loadStatusLines();         // 12.
    loadPrizePicture();        // 13.
    loadDrawButton();          // 14.
    FitRollArea(lbGDLname, 0); // 15.
    loadEffects();             // 16.
    for (QWidget* w : std::initializer_list<QWidget*>{lbDWname, lbZBTname, lbFBTname, lbJPname,
                                                      lbZTLname, imgJP, imgHB})
        FitElementToText(w); // 17.

    if (adjust) {
        // 19. the rolling-area dialog previews from the participants
        qryRoll = m_ctx.db->select(QStringLiteral("select * from z_user"));
        return;
    }
    // 20. draw mode
    for (QWidget* w :
         std::initializer_list<QWidget*>{lbDWname, lbZBTname, lbFBTname, lbGDLname, lbZoom,
                                         lbJPname, lbZTLname, imgJP, imgHB, cnmrqtxt1})
        setPopupMenu(w, PopupMenu1);
    m_engine = std::make_unique<DrawEngine>(m_ctx, m_host, *this, drawKey);
    m_engine->startRun();
    setUpMarquee();
    completeDrawMenu();
}

TfrmJIANG::~TfrmJIANG()
{
    // The engine goes first: it still refers to the labels and the timer.
    m_engine.reset();
}

bool TfrmJIANG::adjustMode() const
{
    return popupMenuOf(ImgBJ) == pmBJ;
}

void TfrmJIANG::createComponents()
{
    ImgBJ = new PictureBox(this);
    ImgBJ->setObjectName(QStringLiteral("ImgBJ"));
    const auto label = [this](const char* name) {
        auto* l = new TCnAALabel(ImgBJ);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    lbDWname = label("lbDWname");
    lbZBTname = label("lbZBTname");
    lbFBTname = label("lbFBTname");
    lbJPname = label("lbJPname");
    lbZTLname = label("lbZTLname");
    imgJP = new PictureBox(ImgBJ);
    imgJP->setObjectName(QStringLiteral("imgJP"));
    imgHB = new PictureBox(ImgBJ);
    imgHB->setObjectName(QStringLiteral("imgHB"));
    lbGDLname = label("lbGDLname");
    lbGDLname->setAutoSize(false);
    lbGDLname->setCentred(true);
    lbZoom = label("lbZoom");
    lbZoom->setAutoSize(false);
    lbZoom->hide();
    cnmrqtxt1 = new MarqueeText(ImgBJ);
    cnmrqtxt1->setObjectName(QStringLiteral("cnmrqtxt1"));
    cnmrqtxt1->hide();
    lbJPname->setText(QStringLiteral("奖品名称"));
    lbZTLname->setText(QStringLiteral("状态栏名称"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (m_engine)
            m_engine->timerTick();
    });

    // A click on the prize picture shows the blank picture, in both modes.
    imgJP->onMousePress = [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton)
            imgJP->setPicture(m_ctx.blank), imgJP->repaint();
    };
    imgHB->onMousePress = [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton && !adjustMode() && m_engine)
            m_engine->drawButtonPressed();
    };
    // Moving over the background in adjust mode clears the editor's hover frames.
    ImgBJ->setMouseTracking(true);
    ImgBJ->onMouseMove = [this](QMouseEvent*) {
        if (adjustMode())
            update();
    };
    for (QWidget* w :
         std::initializer_list<QWidget*>{ImgBJ, lbDWname, lbZBTname, lbFBTname, lbGDLname, lbZoom,
                                         lbJPname, lbZTLname, imgJP, imgHB, cnmrqtxt1}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& pos) { showMenuFor(w, pos); });
    }
}

void TfrmJIANG::setPopupMenu(QWidget* element, QMenu* menu)
{
    m_menus.insert(element, menu);
}

void TfrmJIANG::showMenuFor(QWidget* element, const QPoint& pos)
{
    if (QMenu* menu = popupMenuOf(element))
        menu->popup(element->mapToGlobal(pos));
}

int TfrmJIANG::screenWidth() const
{
    return QGuiApplication::primaryScreen()->size().width();
}
int TfrmJIANG::screenHeight() const
{
    return QGuiApplication::primaryScreen()->size().height();
}

void TfrmJIANG::applyWindowMode(bool window, bool insertMissing)
{
    if (!window) {
        setWindowFlag(Qt::FramelessWindowHint, true);
        setWindowState(Qt::WindowNoState);
        setGeometry(0, 0, screenWidth(), screenHeight());
        // The whole display, above any panel: the audience sees nothing but the stage.
        setWindowState(Qt::WindowFullScreen);
        ImgBJ->setGeometry(rect());
        return;
    }
    const auto value = [this, insertMissing](const char* key, const char* fallback) {
        const QString k = u8(key);
        if (insertMissing && !m_settings->exists(k)) {
            m_ctx.db->exec(QStringLiteral("insert into z_set(name,var) values('") + k +
                           QStringLiteral("','") + QLatin1String(fallback) + QStringLiteral("')"));
            return toIntOr0(QLatin1String(fallback));
        }
        return m_settings->integer(k);
    };
    const int h = value("抽奖界面窗口高", "280");
    const int w = value("抽奖界面窗口宽", "300");
    const int top = value("抽奖界面窗口顶", "0");
    const int left = value("抽奖界面窗口左", "0");
    setWindowFlag(Qt::FramelessWindowHint, false);
    setWindowState(Qt::WindowNoState);
    // The stored sizes are the client area's; the frame comes on top of them.
    resize(std::max(1, w), std::max(1, h));
    move(left, top);
    ImgBJ->setGeometry(rect());
}

void TfrmJIANG::writeEffectsFile()
{
    // Every creation starts from the project's own effects; a project without them gets an
    // empty file, so no other project's effects leak in.
    QSaveFile f(m_ctx.file(QStringLiteral("Font.ini")));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(m_settings->readBlob(u8("平滑字体")));
        f.commit();
    }
}

void TfrmJIANG::loadBackground()
{
    const QString key = u8("抽奖界面背景图");
    m_background = m_settings->read(key).isEmpty()
                       ? m_ctx.blank
                       : LoadJpegBlob(m_settings->readBlob(key), m_ctx.blank);
    ImgBJ->setPicture(m_background);
}

void TfrmJIANG::applyFontSpec(TCnAALabel* label, const QString& fontText)
{
    const FontSpec f = ApplyFontSpec(fontText);
    label->setLabelFont(stageFont(f));
    label->setFontColour(f.color(palette()));
}

void TfrmJIANG::loadTitle(TCnAALabel* label, QAction* item, const char* shownKey,
                          const char* textKey, const char* fontKey, const char* xKey,
                          const char* yKey)
{
    label->setVisible(m_settings->flagOffOnlyAtZero(u8(shownKey)));
    label->setText(m_settings->read(u8(textKey)));
    applyFontSpec(label, m_settings->read(u8(fontKey)));
    label->move(m_settings->integer(u8(xKey)), m_settings->integer(u8(yKey)));
    item->setChecked(!label->isHidden());
}

void TfrmJIANG::loadRollSettings()
{
    RollSettings& r = m_ctx.roll;
    // A column count below 1 would never close a row of the results text.
    r.WinnerColumns = std::max(1, m_settings->integer(u8("抽奖界面中奖列数")));
    lbGDLname->setText(m_settings->read(u8("抽奖界面滚动栏")));
    applyFontSpec(lbGDLname, m_settings->read(u8("抽奖界面滚动栏字体")));
    r.RollCenterX = m_settings->integer(u8("位置滚动栏名称X"));
    r.RollCenterY = m_settings->integer(u8("位置滚动栏名称Y"));
    r.ZoomCenterX = m_settings->integer(u8("位置放大图X"));
    r.ZoomCenterY = m_settings->integer(u8("位置放大图Y"));
    r.ZoomRatio = m_settings->decimal(u8("位置放大图比例"));
    r.CellHeight = m_settings->integer(u8("位置滚动栏名称H"));
    r.CellWidth = m_settings->integer(u8("位置滚动栏名称W"));
    r.CellCount = m_settings->integer(u8("位置滚动栏间隔"));
    if (r.CellCount != 1 && r.CellCount != 3 && r.CellCount != 5)
        r.CellCount = 5;
    r.ShowCellPictures = m_settings->flagOffOnlyAtZero(u8("抽奖界面滚动栏图片"));
    r.RollFixed = m_settings->flagOffOnlyAtZero(u8("位置滚动栏固定"));
    r.ShowCellText = m_settings->flagOffOnlyAtZero(u8("抽奖界面滚动栏文字"));
    if (!adjustMode())
        r.MultiPointRoll = m_settings->flagOffOnlyAtZero(u8("多点滚动"));
}

void TfrmJIANG::loadStatusLines()
{
    lbZTLname->setVisible(m_settings->flagOffOnlyAtZero(u8("抽奖界面状态栏显示")));
    const QString fontText = m_settings->read(u8("抽奖界面状态栏字体"));
    applyFontSpec(lbZTLname, fontText);
    applyFontSpec(lbJPname, fontText);
    cnmrqtxt1->setLabelFont(lbZTLname->labelFont());
    cnmrqtxt1->setFontColour(lbZTLname->fontColour());
    lbZTLname->move(m_settings->integer(u8("位置状态栏名称X")),
                    m_settings->integer(u8("位置状态栏名称Y")));
    M_ZTXX->setChecked(!lbZTLname->isHidden());
    lbJPname->setVisible(m_settings->flagOffOnlyAtZero(u8("抽奖界面奖品栏显示")));
    lbJPname->move(m_settings->integer(u8("位置奖品名称X")),
                   m_settings->integer(u8("位置奖品名称Y")));
    M_JPMC->setChecked(!lbJPname->isHidden());
}

// A picture size key: added with its default when missing; 0, a negative value or text that
// is not a number gives the default.
int TfrmJIANG::pictureSize(const char* key, int fallback)
{
    const QString k = u8(key);
    if (!m_settings->exists(k)) {
        m_ctx.db->exec(QStringLiteral("insert into z_set(name,var) values('") + k +
                       QStringLiteral("','") + QString::number(fallback) + QStringLiteral("')"));
        return fallback;
    }
    const int v = m_settings->integer(k);
    return v < 1 ? fallback : v;
}

void TfrmJIANG::loadPrizePicture()
{
    imgJP->setVisible(m_settings->flagOffOnlyAtZero(u8("抽奖界面奖品栏图片显示")));
    imgJP->setPicture(m_ctx.blank);
    const int w = pictureSize("大小奖品图宽", 120);
    const int h = pictureSize("大小奖品图高", 200);
    imgJP->resize(w, h);
    // Kept on the window: a picture dragged off one side comes back to that edge.
    int left = m_settings->integer(u8("位置奖品图X"));
    if (left + w < 3)
        left = 0;
    if (left > width() - 3)
        left = width() - w;
    int top = m_settings->integer(u8("位置奖品图Y"));
    if (top + h < 3)
        top = 0;
    if (top > height() - 3)
        top = height() - h;
    imgJP->move(left, top);
    M_JPTP->setChecked(!imgJP->isHidden());
}

void TfrmJIANG::loadDrawButton()
{
    imgHB->setVisible(m_settings->flagOffOnlyAtZero(u8("抽奖界面单位徽标显示")));
    const int w = pictureSize("大小徽标图宽", 180);
    const int h = pictureSize("大小徽标图高", 50);
    imgHB->resize(w, h);
    imgHB->move(m_settings->integer(u8("位置徽标图X")), m_settings->integer(u8("位置徽标图Y")));
    const QString key = u8("抽奖界面单位徽标");
    const QString name = m_settings->read(key);
    if (!name.isEmpty()) {
        imgHB->setPicture(loadPictureBlobByName(name, m_settings->readBlob(key), m_ctx.blank));
    } else {
        // A missing start1.png leaves the button empty; the screen opens all the same.
        imgHB->setPicture(QImage(m_ctx.file(QStringLiteral("start1.png"))));
    }
    M_DWHB->setChecked(!imgHB->isHidden());
}

void TfrmJIANG::loadEffects()
{
    const QString ini = m_ctx.file(QStringLiteral("Font.ini"));
    for (TCnAALabel* l : {lbDWname, lbZBTname, lbFBTname, lbZTLname, lbGDLname})
        l->setEffect(loadTextEffect(ini, l->objectName()));
    lbJPname->setEffect(lbZTLname->effect());
    cnmrqtxt1->setEffect(lbZTLname->effect());
}

void TfrmJIANG::FitRollArea(TCnAALabel* label, int cells)
{
    const RollSettings& r = m_ctx.roll;
    int w = 0;
    int h = 0;
    if (cells == 0) {
        QString text = label->text();
        if (text.isEmpty())
            text = QStringLiteral("      ");
        const QSize s = label->plainTextExtent(text);
        w = s.width() + 20;
        h = s.height() + 20;
    } else if (r.HorizontalRoll) {
        w = cells * r.CellWidth;
        h = r.CellHeight;
    } else {
        w = r.CellWidth;
        h = cells * r.CellHeight;
    }
    label->setGeometry(r.RollCenterX - w / 2, r.RollCenterY - h / 2, w, h);
}

void TfrmJIANG::FitElementToText(QWidget* element)
{
    if (!element->objectName().contains(QStringLiteral("img")))
        if (auto* l = dynamic_cast<TCnAALabel*>(element))
            l->resize(l->textExtent());
    // Pulled back onto the display (the whole display, not the window).
    QPoint p = element->pos();
    if (p.x() + element->width() > screenWidth())
        p.setX(screenWidth() - element->width());
    if (p.y() + element->height() > screenHeight())
        p.setY(screenHeight() - element->height());
    element->move(p);
}

void TfrmJIANG::setUpMarquee()
{
    cnmrqtxt1->setActive(m_settings->flagOffOnlyAtZero(u8("显示已中奖清单")));
    const QMargins m = effectMargins(cnmrqtxt1->effect());
    const int h = plainTextSize(cnmrqtxt1->labelFont(), {QStringLiteral("欢迎使用")}).height() +
                  m.top() + m.bottom();
    cnmrqtxt1->setGeometry(0, ImgBJ->height() - h - 5, ImgBJ->width(), h);
}

void TfrmJIANG::completeDrawMenu()
{
    const QStringList captions = m_engine->itemMenuCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        QAction* show = M_ShowMD->addAction(captions[i]);
        show->setObjectName(QStringLiteral("M_ShowZJQD") + QString::number(i));
        connect(show, &QAction::triggered, this,
                [this, c = captions[i]] { m_engine->showItemWinners(c); });
        QAction* temp = M_TempCJ->addAction(captions[i]);
        temp->setObjectName(QStringLiteral("M_Tmp") + QString::number(i));
        connect(temp, &QAction::triggered, this,
                [this, c = captions[i]] { m_engine->temporaryDraw(c); });
    }
    M_TempCJ->menuAction()->setVisible(true);
}

} // namespace varnel

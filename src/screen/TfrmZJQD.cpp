#include "screen/TfrmZJQD.h"

#include "draw/Results.h"
#include "platform/Dialogs.h"
#include "screen/MultiLineLabel.h"
#include "screen/ScrollingText.h"
#include "screen/StretchedPicture.h"
#include "screen/WinnersListPrint.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/Settings.h"
#include "store/ValueCodec.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPrinter>

namespace varnel {

namespace {

const QString kBackgroundKey = QStringLiteral("中奖清单背景图");
const QString kFontKey = QStringLiteral("滚动清单字体");
const QString kColumnsKey = QStringLiteral("滚动名单中奖列数");
const QString kStillKey = QStringLiteral("滚动名单背景禁止");
const QString kDefaultFont = QStringLiteral("黑体;16777215;20;[fsBold];");

QByteArray builtInBackground()
{
    QFile f(QStringLiteral(":/zjqd_background.jpg"));
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = f.readAll();
        if (!QImage::fromData(bytes).isNull())
            return bytes;
    }
    // Without the built-in picture a deep red gradient keeps the list readable.
    QImage img(683, 425, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, img.height());
    g.setColorAt(0, QColor(0x7a, 0x08, 0x10));
    g.setColorAt(0.5, QColor(0xb0, 0x18, 0x1c));
    g.setColorAt(1, QColor(0x5a, 0x04, 0x0a));
    p.fillRect(img.rect(), g);
    p.end();
    return encodeJpeg(img);
}

QStringList linesOf(const QString& text)
{
    return text.isEmpty() ? QStringList() : resultLines(text);
}

} // namespace

TfrmZJQD::TfrmZJQD(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmZJQD"));
    setWindowTitle(QStringLiteral("清单"));
    setProperty("tag", 99);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    resize(683, 425);
    createComponents();
    // Creation step 1: scrolling, and a copy of the built-in picture before any stored one.
    Scrolling = true;
    m_defaultBackground = builtInBackground();
    img1->setPicture(defaultPicture());
    loadFromSettings();
}

TfrmZJQD::~TfrmZJQD() = default;

void TfrmZJQD::createComponents()
{
    img1 = new StretchedPicture(this);
    img1->setObjectName(QStringLiteral("img1"));
    lbl1 = new MultiLineLabel(this);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    lbl1->setGeometry(38, 64, 104, 14);
    astlbl1 = new ScrollingText(this);
    astlbl1->setObjectName(QStringLiteral("astlbl1"));
    astlbl1->setInterval(30);
    astlbl1->setFadeHeight(100);
    astlbl1->setBackColour(colourFromStored(168));
    for (QWidget* w : {static_cast<QWidget*>(img1), static_cast<QWidget*>(lbl1),
                       static_cast<QWidget*>(astlbl1)}) {
        w->setFocusPolicy(Qt::NoFocus);
        w->installEventFilter(this);
    }

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    N5 = pm1->addAction(QStringLiteral("设置字体"));
    N5->setObjectName(QStringLiteral("N5"));
    N7 = pm1->addAction(QStringLiteral("设置清单列数"));
    N7->setObjectName(QStringLiteral("N7"));
    pm1->addSeparator();
    N1 = pm1->addAction(QStringLiteral("更换背景图片"));
    N1->setObjectName(QStringLiteral("N1"));
    N4 = pm1->addAction(QStringLiteral("恢复默认背景"));
    N4->setObjectName(QStringLiteral("N4"));
    N8 = pm1->addAction(QStringLiteral("背景禁止不动(慢)"));
    N8->setObjectName(QStringLiteral("N8"));
    N8->setCheckable(true);
    pm1->addSeparator();
    N3 = pm1->addAction(QStringLiteral("退出"));
    N3->setObjectName(QStringLiteral("N3"));
    QObject::connect(N5, &QAction::triggered, this, &TfrmZJQD::N5Click);
    QObject::connect(N7, &QAction::triggered, this, &TfrmZJQD::N7Click);
    QObject::connect(N1, &QAction::triggered, this, &TfrmZJQD::N1Click);
    QObject::connect(N4, &QAction::triggered, this, &TfrmZJQD::N4Click);
    // The menu flips the check itself; the handler does the flipping.
    QObject::connect(N8, &QAction::triggered, this, [this] {
        N8->setChecked(!N8->isChecked());
        N8Click();
    });
    QObject::connect(N3, &QAction::triggered, this, &TfrmZJQD::N3Click);

    pm2 = new QMenu(this);
    pm2->setObjectName(QStringLiteral("pm2"));
    P1 = pm2->addAction(QStringLiteral("打印(&P)"));
    P1->setObjectName(QStringLiteral("P1"));
    QObject::connect(P1, &QAction::triggered, this, &TfrmZJQD::P1Click);

    tmr1 = new QTimer(this);
    tmr1->setObjectName(QStringLiteral("tmr1"));
    tmr1->setInterval(5);
    tmr1->setSingleShot(true);
    QObject::connect(tmr1, &QTimer::timeout, this, &TfrmZJQD::tmr1Timer);

    m_stillTimer.setTimerType(Qt::PreciseTimer);
    m_stillTimer.setInterval(20); // one pixel per turn, at most 50 pixels a second
    QObject::connect(&m_stillTimer, &QTimer::timeout, this, &TfrmZJQD::stillScrollTurn);
}

QImage TfrmZJQD::defaultPicture() const
{
    return LoadJpegBlob(m_defaultBackground, m_ctx.blank);
}

void TfrmZJQD::loadFromSettings()
{
    Settings settings(*m_ctx.db);
    // Step 2: a stored background; errors leave the built-in one.
    try {
        if (!settings.read(kBackgroundKey).isEmpty())
            img1->setPicture(LoadJpegBlob(settings.readBlob(kBackgroundKey), m_ctx.blank));
    } catch (const DbError&) {
    }
    // Step 3: the list font.
    FontSpec listSpec = ApplyFontSpec(kDefaultFont);
    try {
        const QString stored = settings.read(kFontKey);
        if (!stored.isEmpty())
            listSpec = ApplyFontSpec(stored);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    } catch (const ConversionError& e) {
        m_ctx.dialogs->error(e.text());
    }
    setFont(listSpec.font());
    applyListStyle(listSpec.font(), listSpec.color(palette()));
    // Steps 4 to 6: columns, demonstration list, style.
    try {
        const int columns = rollingListColumns(settings);
        lbl1->setLines(
            linesOf(demonstrationListText(*m_ctx.db, columns, 2, storedStarMask(settings))));
        m_lines = lbl1->lines();
        N8->setChecked(settings.read(kStillKey) == QLatin1String("-1"));
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void TfrmZJQD::applyListStyle(const QFont& font, const QColor& colour)
{
    m_fontColour = colour;
    ListTextStyle label{font, colour, m_listEffect};
    lbl1->setTextStyle(label);
    // The scrolling text keeps its own effect: a soft shadow.
    TextEffect scroller;
    scroller.shadow = true;
    scroller.shadowBlur = 50;
    astlbl1->setTextStyle(ListTextStyle{font, colour, scroller});
}

QFont TfrmZJQD::listFont() const
{
    return lbl1->textStyle().font;
}

QColor TfrmZJQD::listFontColour() const
{
    return m_fontColour;
}

void TfrmZJQD::setListLines(const QStringList& lines)
{
    // An empty results text is no list at all.
    const bool empty = lines.isEmpty() || (lines.size() == 1 && lines.first().isEmpty());
    m_lines = empty ? QStringList() : lines;
    lbl1->setLines(m_lines);
}

void TfrmZJQD::setListTextEffect(const TextEffect& effect)
{
    m_listEffect = effect;
    ListTextStyle s = lbl1->textStyle();
    s.effect = effect;
    lbl1->setTextStyle(s);
}

void TfrmZJQD::setPopup(QWidget* w, QMenu* menu)
{
    w->setContextMenuPolicy(menu ? Qt::CustomContextMenu : Qt::NoContextMenu);
    QObject::disconnect(w, &QWidget::customContextMenuRequested, nullptr, nullptr);
    if (menu)
        QObject::connect(w, &QWidget::customContextMenuRequested, menu,
                         [w, menu](const QPoint& pos) { menu->popup(w->mapToGlobal(pos)); });
}

void TfrmZJQD::attachPrintMenu()
{
    m_labelMenu = pm2;
    setPopup(img1, pm2);
    setPopup(lbl1, pm2);
}

void TfrmZJQD::setAdjustMode()
{
    m_labelMenu = pm1;
    setPopup(img1, pm1);
    setPopup(lbl1, pm1);
}

bool TfrmZJQD::adjustMode() const
{
    return m_labelMenu == pm1;
}

bool TfrmZJQD::stillStyle() const
{
    return N8->isChecked();
}

void TfrmZJQD::copyToScroller()
{
    astlbl1->setLines(lbl1->lines());
    astlbl1->setBackground(img1->picture());
}

void TfrmZJQD::centreLabel(bool vertically)
{
    const int left = img1->width() / 2 - lbl1->width() / 2;
    lbl1->move(left, vertically ? img1->height() / 3 : lbl1->y());
}

void TfrmZJQD::showStyle()
{
    const bool still = stillStyle();
    img1->setVisible(still);
    lbl1->setVisible(still);
    astlbl1->setVisible(!still);
}

void TfrmZJQD::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (stillStyle()) {
        centreLabel(true);
        lbl1->setTransparent(true);
        if (adjustMode())
            copyToScroller();
    } else {
        copyToScroller();
    }
    showStyle();
    setPopup(astlbl1, m_labelMenu);
}

void TfrmZJQD::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    img1->setGeometry(rect());
    astlbl1->setGeometry(rect());
    // Until the still scroller has started the label follows the window's size.
    if (m_shown && stillStyle() && !m_stillTimer.isActive())
        centreLabel(true);
}

void TfrmZJQD::tmr1Timer()
{
    tmr1->stop();
    if (lbl1->lines().isEmpty())
        return;
    if (!stillStyle()) {
        astlbl1->setActive(true);
        return;
    }
    m_stillCopy = lbl1->lines();
    const int c = int(m_stillCopy.size());
    const int h = std::max(1, lbl1->height() / c);
    const int v = img1->height() / h + 2;
    lbl1->setAutoSize(false);
    lbl1->resize(lbl1->width(), h * v);
    QStringList shown;
    shown.reserve(v + 1);
    for (int i = 0; i <= v; ++i)
        shown << (i < c ? m_stillCopy.at(i) : QStringLiteral(" "));
    lbl1->setLines(shown);
    m_stillLineHeight = h;
    m_stillNext = v;
    m_stillTimer.start();
}

void TfrmZJQD::stillScrollTurn()
{
    if (!Scrolling) {
        m_stillTimer.stop();
        return;
    }
    const int h = m_stillLineHeight;
    if (lbl1->y() <= -h) {
        QStringList shown = lbl1->lines();
        if (!shown.isEmpty())
            shown.removeFirst();
        lbl1->move(lbl1->x(), 0);
        m_stillNext = m_stillNext + 1 >= m_stillCopy.size() ? 0 : m_stillNext + 1;
        shown << m_stillCopy.at(m_stillNext);
        lbl1->setLines(shown);
    }
    lbl1->move(lbl1->x(), lbl1->y() - 1);
}

void TfrmZJQD::closeByUser()
{
    if (adjustMode())
        return;
    Scrolling = false;
    m_stillTimer.stop();
    astlbl1->setActive(false);
    accept();
}

void TfrmZJQD::keyPressEvent(QKeyEvent* event)
{
    // Adjust mode ignores keys, Escape included; "退出" closes.
    event->accept();
    closeByUser();
}

void TfrmZJQD::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        closeByUser();
    else
        QDialog::mousePressEvent(event);
}

bool TfrmZJQD::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        (watched == img1 || watched == lbl1 || watched == astlbl1)) {
        closeByUser(); // a click counts as a key
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmZJQD::closeEvent(QCloseEvent* event)
{
    Scrolling = false;
    m_stillTimer.stop();
    astlbl1->setActive(false);
    QDialog::closeEvent(event);
}

void TfrmZJQD::N5Click()
{
    QColor colour = m_fontColour;
    if (const auto font = m_ctx.dialogs->chooseFont(listFont(), &colour)) {
        lbl1->setTransparent(false);
        applyListStyle(*font, colour.isValid() ? colour : m_fontColour);
        lbl1->setTransparent(true);
        centreLabel(false);
    }
    ListTextStyle s = astlbl1->textStyle();
    s.font = listFont();
    s.colour = m_fontColour;
    astlbl1->setTextStyle(s);
}

void TfrmZJQD::N7Click()
{
    try {
        Settings settings(*m_ctx.db);
        const int current = toIntOr0(settings.read(kColumnsKey).trimmed());
        int columns = current;
        if (const auto answer = m_ctx.dialogs->inputBox(
                QStringLiteral("输入"), QStringLiteral("列数:"), QString::number(current))) {
            bool ok = false;
            const int typed = answer->trimmed().toInt(&ok);
            if (ok)
                columns = typed;
        }
        settings.update(kColumnsKey, QString::number(columns));
        lbl1->setTransparent(false);
        setListLines(
            linesOf(demonstrationListText(*m_ctx.db, columns, 2, storedStarMask(settings))));
        astlbl1->setLines(lbl1->lines());
        lbl1->setTransparent(true);
        centreLabel(false);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
}

void TfrmZJQD::N1Click()
{
    const QString file = m_ctx.dialogs->openPicture(
        m_ctx.file(QStringLiteral("bmp/")), QStringLiteral("JPEG Image File (*.jpg)|*.jpg"));
    if (!file.isEmpty()) {
        QFile f(file);
        QByteArray bytes;
        if (f.open(QIODevice::ReadOnly))
            bytes = f.readAll();
        const QImage picture = QImage::fromData(bytes, "JPG");
        if (picture.isNull()) {
            // Storing it would only show the blank picture next time: keep what is stored.
            m_ctx.dialogs->error(QStringLiteral("无法读取图片文件“%1”：它不是可用的 JPEG 图片。")
                                     .arg(QFileInfo(file).fileName()));
        } else {
            try {
                Settings(*m_ctx.db).saveWithBlob(kBackgroundKey, QFileInfo(file).fileName(), bytes);
                img1->setPicture(picture);
            } catch (const DbError& e) {
                m_ctx.dialogs->error(e.text());
            }
        }
    }
    astlbl1->setBackground(img1->picture());
}

void TfrmZJQD::N4Click()
{
    try {
        Settings(*m_ctx.db).saveWithBlob(kBackgroundKey, QString(""), QByteArray());
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
        return;
    }
    img1->setPicture(defaultPicture());
    astlbl1->setBackground(img1->picture());
}

void TfrmZJQD::N8Click()
{
    N8->setChecked(!N8->isChecked());
    try {
        Settings(*m_ctx.db).save(kStillKey, flagText(N8->isChecked()));
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
    if (stillStyle()) {
        centreLabel(true);
        lbl1->setTransparent(true);
    }
    showStyle();
}

void TfrmZJQD::N3Click()
{
    const QString fontText = EncodeFontSpec(fontSpecFrom(listFont(), m_fontColour));
    try {
        Settings settings(*m_ctx.db);
        if (settings.exists(kFontKey))
            settings.update(kFontKey, fontText);
        else
            settings.save(kFontKey, fontText);
    } catch (const DbError& e) {
        m_ctx.dialogs->error(e.text());
    }
    Scrolling = false;
    accept();
}

void TfrmZJQD::P1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_ctx.dialogs->choosePrinter(&printer))
        return;
    if (!m_printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_printFile);
    }
    // The whole list, also while the still scroller holds only the lines in view.
    if (!printTextLines(printer, listFont(), winnersPrintLines(m_lines, ListTitle, ListItemName)))
        m_ctx.dialogs->message(QStringLiteral("错误的打印文件"), QString(), Dialogs::Icon::Error);
}

} // namespace varnel

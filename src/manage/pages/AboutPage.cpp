#include "manage/pages/AboutPage.h"

#include "shell/AppSetup.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace varnel {

AboutPage::AboutPage(QWidget* parent) : NotebookPage(parent)
{
    setObjectName(QStringLiteral("Mian"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(24, 28, 24, 18);
    lay->setSpacing(10);

    m_title = new QLabel(mainCaption(), this);
    m_title->setObjectName(QStringLiteral("lbMianTil"));
    QFont f(QStringLiteral("黑体"));
    f.setPointSize(22);
    f.setBold(true);
    m_title->setFont(f);
    m_title->setAlignment(Qt::AlignHCenter);
    m_title->setStyleSheet(QStringLiteral("color: #ffffff; background: transparent;"));
    lay->addWidget(m_title);

    auto* subtitle = new QLabel(QStringLiteral("年会 · 庆典 · 商场促销 现场抽奖"), this);
    subtitle->setObjectName(QStringLiteral("lbMianSub"));
    QFont sf(QStringLiteral("楷体_GB2312"));
    sf.setPointSize(15);
    subtitle->setFont(sf);
    subtitle->setAlignment(Qt::AlignHCenter);
    subtitle->setStyleSheet(QStringLiteral("color: #ffe9a8; background: transparent;"));
    lay->addWidget(subtitle);
    lay->addStretch(1);

    auto* steps = new QLabel(QStringLiteral("① 基础设定: 抽奖模式、抽奖界面、滚动数据与其他设置\n"
                                            "② 项目设置: 编辑抽取项目、奖品与中奖人数\n"
                                            "③ 滚动数据设置: 导入参与抽奖的名单或商场奖品\n"
                                            "④ 声音设定: 滚动时与中奖时的背景声\n"
                                            "⑤ 点击「开始抽奖」, 按空格键开始 / 停止滚动"),
                             this);
    steps->setObjectName(QStringLiteral("lbMianSteps"));
    QFont stf = steps->font();
    stf.setPointSizeF(10);
    steps->setFont(stf);
    steps->setStyleSheet(QStringLiteral(
        "color: #fff6dc; background: rgba(60, 0, 0, 90); border-radius: 8px; padding: 10px 14px;"));
    lay->addWidget(steps, 0, Qt::AlignHCenter);
    lay->addSpacing(8);
}

QString AboutPage::title() const
{
    return m_title->text();
}

void AboutPage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0.0, QColor(0xB3, 0x12, 0x1E));
    bg.setColorAt(1.0, QColor(0x6E, 0x05, 0x10));
    p.fillRect(r, bg);

    // Soft golden glow behind the title.
    QRadialGradient glow(QPointF(r.center().x(), r.top() + 60), r.width() * 0.55);
    glow.setColorAt(0.0, QColor(255, 210, 90, 110));
    glow.setColorAt(1.0, QColor(255, 210, 90, 0));
    p.fillRect(r, glow);

    // A roll strip: the centre cell lit as the winner.
    const double cellW = 92, cellH = 34, gap = 8;
    const double y = r.top() + 128;
    const int cells = 5;
    const double total = cells * cellW + (cells - 1) * gap;
    double x = r.center().x() - total / 2;
    const char* names[] = {"张**", "李**", "王小明", "赵**", "陈**"};
    QFont nf(QStringLiteral("黑体"));
    nf.setPointSize(12);
    nf.setBold(true);
    p.setFont(nf);
    for (int i = 0; i < cells; ++i, x += cellW + gap) {
        const QRectF cell(x, y, cellW, cellH);
        const bool centre = i == cells / 2;
        QPainterPath path;
        path.addRoundedRect(cell, 6, 6);
        p.fillPath(path, centre ? QColor(0xFF, 0xD5, 0x4F) : QColor(255, 255, 255, 40));
        p.setPen(QPen(centre ? QColor(0xFF, 0xF3, 0xC4) : QColor(255, 255, 255, 90), 1.5));
        p.drawPath(path);
        p.setPen(centre ? QColor(0x8A, 0x0B, 0x12) : QColor(255, 255, 255, 170));
        p.drawText(cell, Qt::AlignCenter, QString::fromUtf8(names[i]));
    }

    // A few confetti dots.
    const QPointF dots[] = {{40, 40},
                            {r.width() - 50, 36},
                            {70, 200},
                            {r.width() - 80, 190},
                            {r.width() / 2 - 210, 95},
                            {r.width() / 2 + 220, 100}};
    const QColor colours[] = {QColor(0xFF, 0xD5, 0x4F), QColor(0xFF, 0xFF, 0xFF, 200)};
    int n = 0;
    for (const QPointF& d : dots) {
        p.setPen(Qt::NoPen);
        p.setBrush(colours[n++ % 2]);
        p.drawEllipse(d, 4, 4);
    }
}

} // namespace varnel

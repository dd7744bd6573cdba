#include "shell/AppSetup.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QPalette>
#include <QStyleFactory>

#ifndef VARNEL_VERSION
#define VARNEL_VERSION "V3.6.1"
#endif

namespace varnel {

QString applicationTitle()
{
    return QStringLiteral("Varnel抽奖软件 ") + QStringLiteral("滚轮版");
}

QString mainCaption()
{
    return applicationTitle() + QLatin1Char(' ') + QStringLiteral(VARNEL_VERSION);
}

static QPalette projectPalette()
{
    // A calm blue-grey scheme that reads well on the small management window.
    QPalette p;
    const QColor window(0xEE, 0xF2, 0xF7);
    const QColor base(0xFF, 0xFF, 0xFF);
    const QColor text(0x1F, 0x2A, 0x37);
    const QColor button(0xE4, 0xEA, 0xF2);
    const QColor highlight(0x2F, 0x6F, 0xC9);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(0xEF, 0xF5, 0xFE)); // stored 16709615
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(0x8A, 0x94, 0xA3));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, highlight);
    p.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::Midlight, QColor(0xF4, 0xF7, 0xFB));
    p.setColor(QPalette::Mid, QColor(0xB4, 0xBE, 0xCC));
    p.setColor(QPalette::Dark, QColor(0x8C, 0x98, 0xA8));
    p.setColor(QPalette::Shadow, QColor(0x4A, 0x55, 0x63));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x9A, 0xA3, 0xAF));
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(0xE9, 0xED, 0xF2));
    return p;
}

void setUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("varnel-draw"));
    QApplication::setApplicationDisplayName(applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(VARNEL_VERSION));
    QLocale::setDefault(QLocale::c());

    // The stored font names come from the Windows world; map them to installed CJK faces.
    QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("WenQuanYi Zen Hei"));
    QFont::insertSubstitution(QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("WenQuanYi Zen Hei"));

    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(projectPalette());
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPointSizeF(9);
    app.setFont(font);
}

} // namespace varnel

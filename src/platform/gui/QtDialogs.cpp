#include "platform/gui/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace varnel {

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Boxes without a title of their own carry the application's title.
QString titleOr(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

} // namespace

void QtDialogs::message(const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(toQt(icon), titleOr(title), text, QMessageBox::Ok, parentWidget());
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

void QtDialogs::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, titleOr({}), text, QMessageBox::Ok, parentWidget());
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}

bool QtDialogs::askYesNo(const QString& title, const QString& text, Icon icon, bool defaultNo,
                         bool topmost)
{
    QMessageBox box(toQt(icon), titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    parentWidget());
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    if (topmost)
        box.setWindowFlags(box.windowFlags() | Qt::WindowStaysOnTopHint);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::inputBox(const QString& title, const QString& prompt,
                                           const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parentWidget(), titleOr(title), prompt,
                                               QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogs::openFile(const QString& folder, const QString& filter, const QString& title)
{
    return QFileDialog::getOpenFileName(parentWidget(), title, folder, toQtFilter(filter));
}

QString QtDialogs::openFolder(const QString& caption)
{
    return QFileDialog::getExistingDirectory(parentWidget(), caption);
}

QString QtDialogs::openPicture(const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parentWidget(), {}, folder, toQtFilter(filter));
}

std::optional<QFont> QtDialogs::chooseFont(const QFont& initial, QColor* colour)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parentWidget());
    if (!ok)
        return std::nullopt;
    if (colour) {
        // The font's colour as a second step; cancelling it keeps the colour it had.
        const QColor c = QColorDialog::getColor(*colour, parentWidget());
        if (c.isValid())
            *colour = c;
    }
    return font;
}

bool QtDialogs::choosePrinter(QPrinter* printer)
{
    if (!printer)
        return false;
    QPrintDialog dialog(printer, parentWidget());
    return dialog.exec() == QDialog::Accepted;
}

} // namespace varnel

#pragma once

#include "platform/Dialogs.h"

namespace varnel {

// The real dialogs: Qt message boxes, input box, file, folder, font and print dialogs, all
// parented on parentWidget().
class QtDialogs final : public Dialogs {
public:
    void message(const QString& text, const QString& title, Icon icon) override;
    void error(const QString& text) override;
    bool askYesNo(const QString& title, const QString& text, Icon icon, bool defaultNo,
                  bool topmost) override;
    std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                    const QString& initial) override;
    QString openFile(const QString& folder, const QString& filter, const QString& title) override;
    QString openFolder(const QString& caption) override;
    QString openPicture(const QString& folder, const QString& filter) override;
    std::optional<QFont> chooseFont(const QFont& initial, QColor* colour) override;
    bool choosePrinter(QPrinter* printer) override;
};

} // namespace varnel

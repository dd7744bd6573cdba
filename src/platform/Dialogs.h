#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace varnel {

// Every message box, input box and file/folder/picture/font/print dialog of the program goes
// through this interface, so tests can answer them from a script and read back what was shown.
//
// File filters are written the way the program stores them: "description|patterns|..."
// (for example "*.dat|*.dat" or "JPEG Image File (*.jpg)|*.jpg"); implementations translate.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Error, Question };

    virtual ~Dialogs() = default;

    // A plain message with an OK button (the program's "show message").
    virtual void message(const QString& text, const QString& title = {},
                         Icon icon = Icon::None) = 0;
    // The application's error message: a database, file or conversion error with its text.
    virtual void error(const QString& text) = 0;
    // Yes/No question; returns true for Yes. `defaultNo` makes No the default button,
    // `topmost` keeps the box above all windows.
    virtual bool askYesNo(const QString& title, const QString& text, Icon icon = Icon::Question,
                          bool defaultNo = false, bool topmost = false) = 0;
    // Input box; std::nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                            const QString& initial) = 0;
    // Open-file dialog; empty when cancelled. `folder` is where it starts.
    virtual QString openFile(const QString& folder, const QString& filter,
                             const QString& title = {}) = 0;
    // Folder-browse dialog; empty when cancelled.
    virtual QString openFolder(const QString& caption) = 0;
    // The shared picture-open dialog; empty when cancelled.
    virtual QString openPicture(const QString& folder, const QString& filter) = 0;
    // Font dialog; std::nullopt when cancelled. `colour` is the font colour, in and out.
    virtual std::optional<QFont> chooseFont(const QFont& initial, QColor* colour = nullptr) = 0;
    // Print dialog for `printer`; false when cancelled.
    virtual bool choosePrinter(QPrinter* printer) = 0;

    // Parent for windows the dialogs open (Qt implementation only; may be null).
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    QWidget* parentWidget() const { return m_parent; }

private:
    QWidget* m_parent = nullptr;
};

// Splits a stored filter such as "EXECL文件|*.xls;*.xlsx" into Qt's "EXECL文件 (*.xls *.xlsx)".
QString toQtFilter(const QString& storedFilter);

} // namespace varnel

#pragma once

#include "platform/Dialogs.h"

#include <QQueue>
#include <QVariant>
#include <functional>

namespace varnel {

// Test implementation of Dialogs: answers come from a queue filled by the test, and every text
// shown (message texts, error texts, questions, input prompts, dialog captions) is recorded in
// `shown` in order. An empty queue answers "No" / cancel.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind; // "message", "error", "ask", "input", "openFile", "openFolder",
                      // "openPicture", "font", "print"
        QString title;
        QString text; // message text, question, prompt, filter or caption
        Icon icon = Icon::None;
        bool defaultNo = false;
        bool topmost = false;
    };

    // Answers, consumed in order by whichever dialog comes next.
    void answerYes() { m_answers.enqueue(true); }
    void answerNo() { m_answers.enqueue(false); }
    void answerText(const QString& text) { m_answers.enqueue(text); } // input box or file path
    void answerCancel() { m_answers.enqueue(QVariant()); }
    void answerFont(const QFont& font) { m_answers.enqueue(font); }
    int pendingAnswers() const { return int(m_answers.size()); }

    // Called for every dialog shown, after it is recorded (lets a test act "inside" a modal).
    std::function<void(const Shown&)> onShown;

    QList<Shown> shown;
    // Texts of message and error boxes and questions, in order (the usual thing to assert).
    QStringList texts() const;
    void clear()
    {
        shown.clear();
        m_answers.clear();
    }

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

private:
    QVariant next();
    void record(Shown s);
    QQueue<QVariant> m_answers;
};

} // namespace varnel

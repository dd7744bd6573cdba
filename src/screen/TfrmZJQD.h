#pragma once

#include "screen/ListTextRenderer.h"
#include "screen/TextEffect.h"

#include <QByteArray>
#include <QDialog>
#include <QStringList>
#include <QTimer>

class QAction;
class QMenu;

namespace varnel {

struct AppContext;
class MultiLineLabel;
class ScrollingText;
class StretchedPicture;

// The winners list window "清单": a block of text lines scrolling over a background like film
// credits. In draw mode any key or click closes it; in adjust mode (pm1 on the list) the
// operator sets its font, columns and background and leaves with "退出".
class TfrmZJQD final : public QDialog {
public:
    explicit TfrmZJQD(AppContext& ctx, QWidget* parent = nullptr);
    ~TfrmZJQD() override;

    // What the opener hands over before showing the window.
    void setListLines(const QStringList& lines);
    const QStringList& listLines() const { return m_lines; }
    QString ListItemName;
    QString ListTitle;
    void setListTextEffect(const TextEffect& effect);
    void attachPrintMenu(); // pm2 on img1 and lbl1
    void setAdjustMode();   // pm1 on img1 and lbl1
    bool adjustMode() const;
    void startScrolling() { tmr1->start(); }

    bool Scrolling = true;
    bool stillStyle() const;
    const QByteArray& DefaultBackground() const { return m_defaultBackground; }
    QFont listFont() const;
    QColor listFontColour() const;

    // Components.
    StretchedPicture* img1 = nullptr;
    ScrollingText* astlbl1 = nullptr;
    MultiLineLabel* lbl1 = nullptr;
    QMenu* pm1 = nullptr;
    QAction* N5 = nullptr;
    QAction* N7 = nullptr;
    QAction* N1 = nullptr;
    QAction* N4 = nullptr;
    QAction* N8 = nullptr;
    QAction* N3 = nullptr;
    QMenu* pm2 = nullptr;
    QAction* P1 = nullptr;
    QTimer* tmr1 = nullptr;

    // Handlers.
    void tmr1Timer();
    void N5Click();
    void N7Click();
    void N1Click();
    void N4Click();
    void N8Click();
    void N3Click();
    void P1Click();
    // One turn of the still-background scroller: recycle a line when one has left, move 1 px.
    void stillScrollTurn();
    bool stillScrollRunning() const { return m_stillTimer.isActive(); }

    // Sends print output to this PDF file instead of the chosen printer (tests).
    void setPrintOutputFile(const QString& path) { m_printFile = path; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createComponents();
    void loadFromSettings();
    void setPopup(QWidget* w, QMenu* menu);
    void copyToScroller();
    void centreLabel(bool vertically);
    void showStyle();
    void closeByUser();
    void applyListStyle(const QFont& font, const QColor& colour);
    QImage defaultPicture() const;

    AppContext& m_ctx;
    QStringList m_lines;
    QByteArray m_defaultBackground;
    QColor m_fontColour = Qt::white;
    TextEffect m_listEffect;
    QMenu* m_labelMenu = nullptr;
    QTimer m_stillTimer;
    QStringList m_stillCopy;
    int m_stillNext = 0;
    int m_stillLineHeight = 1;
    bool m_shown = false;
    QString m_printFile;
};

} // namespace varnel

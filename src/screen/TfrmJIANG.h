#pragma once

#include "draw/DrawView.h"

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QSqlQuery>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace varnel {

struct AppContext;
class DrawEngine;
class DrawHost;
class MarqueeText;
class PictureBox;
class Settings;
class TCnAALabel;

// The draw screen: a background picture with the unit name, two titles, the rolling area,
// the zoom label, the prize and status lines, the prize picture, the draw button and the
// winners marquee laid over it, all built from z_set. Adjust mode arranges the layout; draw
// mode runs a draw through DrawEngine, which sees the screen as a DrawView.
class TfrmJIANG : public QWidget, public DrawView {
public:
    // Builds the screen from the settings (throws DbError / ConversionError). In draw mode
    // the draw run starts here too.
    TfrmJIANG(AppContext& ctx, DrawHost& host, bool adjustMode, int drawKey,
              QWidget* parent = nullptr);
    ~TfrmJIANG() override;

    // Adjust mode exactly when the background carries pmBJ.
    bool adjustMode() const;
    DrawEngine* engine() const { return m_engine.get(); }
    bool closed() const { return m_closed; }
    // Runs once the screen has accepted its close.
    std::function<void()> onClosed;

    // Components, named as the settings and menus know them.
    PictureBox* ImgBJ = nullptr;
    TCnAALabel* lbDWname = nullptr;
    TCnAALabel* lbZBTname = nullptr;
    TCnAALabel* lbFBTname = nullptr;
    TCnAALabel* lbGDLname = nullptr;
    TCnAALabel* lbZoom = nullptr;
    TCnAALabel* lbJPname = nullptr;
    TCnAALabel* lbZTLname = nullptr;
    PictureBox* imgJP = nullptr;
    PictureBox* imgHB = nullptr;
    MarqueeText* cnmrqtxt1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Draw menu
    QMenu* PopupMenu1 = nullptr;
    QAction* M_exit = nullptr;
    QMenu* M_TempCJ = nullptr;
    QMenu* M_ShowMD = nullptr;
    QAction* M_ShowZJQD = nullptr;
    QAction* M_ShowAllGD = nullptr;
    QAction* M_TGJX = nullptr;
    QAction* M_SY = nullptr;
    QAction* M_NextJX = nullptr;
    QAction* M_AddJX = nullptr;
    // Background menu of adjust mode
    QMenu* pmBJ = nullptr;
    QAction* M_Windows = nullptr;
    QAction* M_DWMC = nullptr;
    QAction* M_DWHB = nullptr;
    QAction* M_ZBT = nullptr;
    QAction* M_FBT = nullptr;
    QAction* M_JPMC = nullptr;
    QAction* M_JPTP = nullptr;
    QAction* M_ZTXX = nullptr;
    QAction* M_BJ = nullptr;
    QAction* M_Close = nullptr;
    // Element menus of adjust mode (their setting dialogs come with the layout editor).
    QMenu* pmDW = nullptr;
    QMenu* pmZBT = nullptr;
    QMenu* pmFBT = nullptr;
    QMenu* pmJPM = nullptr;
    QMenu* pmZTL = nullptr;
    QMenu* pmGDL = nullptr;
    QMenu* pmHB = nullptr;
    QMenu* pmJPT = nullptr;

    // The last frame of the rolling area and of the zoom, painted by the labels' hooks.
    QImage bmpRollFrame;
    QImage bmpZoomFrame;
    // The adjust-mode rolling list ("select * from z_user") for the rolling-area dialog.
    std::optional<QSqlQuery> qryRoll;

    // Layout operations
    void FitRollArea(TCnAALabel* label, int cells);
    void FitElementToText(QWidget* element);
    // The popup menu an element shows (PopupMenu1 in draw mode, its own in adjust mode).
    QMenu* popupMenuOf(QWidget* element) const { return m_menus.value(element); }
    void setPopupMenu(QWidget* element, QMenu* menu);
    // The label or picture a switch shows and hides, and its key.
    struct Switch {
        QAction* item;
        QWidget* element;
        QString key;
    };
    const QList<Switch>& switches() const { return m_switches; }
    // Hook for the layout editor: an element menu's settings item was chosen.
    std::function<void(QWidget* element)> onElementSettings;

    // Menu commands of adjust mode
    void switchClick(const Switch& s);
    void M_WindowsClick();
    void M_BJClick();
    void M_CloseClick();

    // DrawView
    void setStatusText(const QString& text) override;
    QString statusText() const override;
    void setPrizeText(const QString& text) override;
    QString prizeText() const override;
    void setRollCaption(const QString& text) override;
    QString rollCaption() const override;
    void fitRollArea(int cells) override;
    QRect rollArea() const override;
    QFont rollFont() const override;
    QColor rollFontColour() const override;
    QSize clientSize() const override;
    void setBackground(const QImage& picture) override;
    QImage background() const override;
    void setPrizePicture(const QImage& picture) override;
    bool drawButtonVisible() const override;
    void setDrawButtonPicture(const QImage& picture) override;
    void setMarqueeText(const QString& text) override;
    QString marqueeText() const override;
    void setMarqueeVisible(bool visible) override;
    bool marqueeVisible() const override;
    void setMarqueeScrolling(bool on) override;
    bool marqueeScrolling() const override;
    void presentRollFrame(const QImage& frame) override;
    void drawRollNotice(const QString& text, bool whiteText) override;
    void setZoomGeometry(const QRect& rect) override;
    QRect zoomGeometry() const override;
    void presentZoomFrame(const QImage& frame) override;
    void hideZoom() override;
    bool zoomVisible() const override;
    void setRollTimer(bool on, int intervalMs) override;
    void processEvents() override;
    void setMenuState(bool autoContinueChecked, bool nextItemEnabled, bool addItemVisible) override;
    bool windowMode() const override;
    QRect windowGeometry() const override;
    QString mainTitle() const override;
    void showWinnersList(const WinnersListRequest& request) override;
    void closeScreen() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Creation steps (TfrmJIANGCreate.cpp)
    void createComponents();
    void createDrawMenu();
    void createAdjustMenus();
    void applyWindowMode(bool window, bool insertMissing);
    void writeEffectsFile();
    void loadBackground();
    void loadTitle(TCnAALabel* label, QAction* item, const char* shownKey, const char* textKey,
                   const char* fontKey, const char* xKey, const char* yKey);
    void loadRollSettings();
    void loadStatusLines();
    int pictureSize(const char* key, int fallback);
    void loadPrizePicture();
    void loadDrawButton();
    void loadEffects();
    void setUpMarquee();
    void completeDrawMenu();
    void applyFontSpec(TCnAALabel* label, const QString& spec);
    int screenWidth() const;
    int screenHeight() const;
    void saveWindowGeometry();
    void showMenuFor(QWidget* element, const QPoint& pos);
    void showLabelText(TCnAALabel* label, const QString& text);

    AppContext& m_ctx;
    DrawHost& m_host;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<DrawEngine> m_engine;
    QHash<QWidget*, QMenu*> m_menus;
    QList<Switch> m_switches;
    QImage m_background; // as loaded, not stretched
    bool m_closed = false;
};

} // namespace varnel

#pragma once

#include "draw/DrawHost.h"
#include "shell/MainWindowApi.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace varnel {

class AboutPage;
class BannerPanel;
class Dialogs;
class ItemsPage;
class MallPage;
class OptionPage;
class ParticipantsPage;
class RecordsPage;
class Settings;
class SoundPage;

// What the main window is given: the program folder and the platform seams.
struct FrmSetDeps {
    QString programFolder; // with a trailing '/'
    Dialogs* dialogs = nullptr;
    SoundPlayer* sound = nullptr;
    Clock* clock = nullptr;
    QString connectionName = QStringLiteral("con");
    // Whether the SQLite engine can be used (the driver check).
    std::function<bool()> engineAvailable = [] { return ProjectDb::driverAvailable(); };
};

// The main window `FrmSet`: top bar with the project operations, the navigation tree `TreeV`
// and the notebook `NtBook` of pages 0 to 6. It owns the one connection `con`.
class TFrmSet final : public QWidget, public MainWindowApi, public DrawHost {
    Q_OBJECT
public:
    enum Page {
        PageMian,
        PageLog,
        PageJianxianSet,
        PageSoundSet,
        PageJianxianRen,
        PageJianxianEdit,
        PageShangchang
    };

    explicit TFrmSet(const FrmSetDeps& deps, QWidget* parent = nullptr);
    ~TFrmSet() override;

    // The start-up sequence. false: a fatal message was shown and the program must end.
    bool FormCreate();

    AppContext& context() { return m_ctx; }
    OptionPage* optionPage() const { return m_optionPage; }
    QString projectName() const;
    int tag() const { return m_tag; }
    // Icon index of the lock button: 0 unlocked, 1 locked.
    int lockIconIndex() const { return m_lockIcon; }
    bool lockButtonVisible() const;
    // The password prompt (TfrmMM); tests answer it through this hook.
    void setPasswordPrompt(std::function<QString()> prompt)
    {
        m_passwordPrompt = std::move(prompt);
    }
    // Opens the draw screen (adjust mode or a draw with the start/stop key); runDrawScreen by
    // default, a recorder in tests.
    using DrawScreenRunner = std::function<void(bool adjustMode, int drawKey)>;
    void setDrawScreenRunner(DrawScreenRunner runner) { m_drawRunner = std::move(runner); }

    // Project open routine with the loading of the settings into the pages.
    void openProject(const QString& name);

    // Top bar and lock button handlers.
    void spbtnTopNewClick();
    void spbtnTopLoadClick();
    void spbtnTopOPENClick();
    void spbtnTopClearClick();
    void spbthTopSeeClick();
    void editTopRightButtonClick();
    void TreeVClick();

    // Shows each notebook page in turn and saves a picture of the whole window for each.
    void saveScreenshots(const QString& folder);

    // MainWindowApi
    void navigateSelected() override;
    int currentPage() const override;
    void showPage(int index) override;
    void markDataChanged() override;
    bool dataChanged() const override { return m_dataChanged; }
    void clearDataChanged() override;
    void watchDataChanged(QObject* receiver, std::function<void(bool)> fn) override;
    bool normalMode() const override;

    // DrawHost
    StarMaskParams starMaskParams() const override;
    bool mallRegisterDrawer() const override;
    bool mallCycles() const override;
    bool mallOnlyWinnable() const override;
    void showNotice(const QString& text) override;
    void hideNotice() override;
    void refreshMallPageIfShown() override;
    void setLayoutPreview(const QImage& preview, const QString& screenSizeText) override;

signals:
    void dataChangedFlagChanged(bool changed);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTopBar();
    void buildTree();
    void buildNotebook();
    void connectPages();
    bool loadResourceDatabase();
    void loadProjectSettings();
    void applyLockStateAtOpen();
    void lock();
    void unlock();
    void setLockIcon(int index);
    void adjustDrawScreen();
    void adjustWinnersList();
    void setItemsNodeEnabled(bool enabled);
    void leaveCurrentPage();
    NotebookPage* page(int index) const;
    QTreeWidgetItem* selectedNode() const;
    bool acceptableProjectName(const QString& name);

    FrmSetDeps m_deps;
    ProjectDb m_db;
    AppContext m_ctx;
    int m_tag = 0;
    bool m_dataChanged = false;
    int m_lockIcon = 0;
    std::function<QString()> m_passwordPrompt;
    DrawScreenRunner m_drawRunner;

    BannerPanel* m_top = nullptr;
    QLabel* m_lbTop1 = nullptr;
    QLineEdit* m_editTop = nullptr;
    QAction* m_lockButton = nullptr;
    QToolButton* m_btnNew = nullptr;
    QToolButton* m_btnLoad = nullptr;
    QToolButton* m_btnOpen = nullptr;
    QToolButton* m_btnSee = nullptr;
    QToolButton* m_btnClear = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTreeWidgetItem* m_nodeBase = nullptr;
    QTreeWidgetItem* m_nodeItems = nullptr;
    QTreeWidgetItem* m_nodeRoll = nullptr;
    QTreeWidgetItem* m_nodeSound = nullptr;
    QTreeWidgetItem* m_nodeAbout = nullptr;
    QStackedWidget* m_book = nullptr;
    QLabel* m_pnlTS = nullptr;

    AboutPage* m_aboutPage = nullptr;
    RecordsPage* m_recordsPage = nullptr;
    OptionPage* m_optionPage = nullptr;
    SoundPage* m_soundPage = nullptr;
    ParticipantsPage* m_participantsPage = nullptr;
    ItemsPage* m_itemsPage = nullptr;
    MallPage* m_mallPage = nullptr;
};

// A project name is used as a file name in the program folder; a path separator would let it
// point elsewhere.
bool isSafeProjectName(const QString& name);

} // namespace varnel

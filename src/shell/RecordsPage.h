#pragma once

#include "shell/MainWindowApi.h"

#include <QUrl>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPrintPreviewDialog;

namespace varnel {

struct AppContext;
class FindBar;
class RecordsGrid;
class RecordsModel;

// Notebook page 1 ("Log"): the winners for prize collection, ticked off and remarked in the
// grid, or every participant with what they won (read-only); export to "Win.TXT" and print.
class RecordsPage final : public NotebookPage {
public:
    RecordsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent = nullptr);
    ~RecordsPage() override;
    // Shows the records (the button "领奖记录" after showing the page): sort cleared, the view
    // of chkLJJLB opened.
    void enter() override;
    // Saves a pending edit and closes the view; the sort order is forgotten.
    void leave() override;
    // Posts a pending edit of the grid (the main window calls it before closing).
    void commitPendingEdit();

    // Handlers.
    void chkLJJLBClick();
    void dbgrdhZJLogExit();
    void dbgrdhZJLogTitleClick(int column);
    void S1Click();
    void P1Click();

    // Components.
    QLabel* lbl15 = nullptr;
    QCheckBox* chkLJJLB = nullptr;
    RecordsGrid* dbgrdhZJLog = nullptr;
    QLabel* lbl16 = nullptr;
    QMenu* pmSaveTxt = nullptr;
    QAction* S1 = nullptr;
    QAction* P1 = nullptr;
    FindBar* findBar = nullptr;
    RecordsModel* model() const { return m_model; }

    // Seams: opening "Win.TXT" with its program, and running the print preview.
    std::function<bool(const QUrl&)> openUrl;
    std::function<void(QPrintPreviewDialog&)> runPreview;

    // The statements of the two views.
    static QString winnersStatement();
    static QString participantsByTextStatement();
    static QString participantsByNumberStatement();

private:
    void openView(bool byNumber);
    bool commitRow(int row);
    void showRefusedRemark(const QString& text);

    AppContext& m_ctx;
    MainWindowApi& m_main;
    RecordsModel* m_model = nullptr;
    QMetaObject::Connection m_focusWatch;
};

} // namespace varnel

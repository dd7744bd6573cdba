#pragma once

#include "shell/MainWindowApi.h"

class QCheckBox;
class QSortFilterProxyModel;
class QSqlQueryModel;
class QTableView;

namespace varnel {

struct AppContext;
class Settings;

// Notebook page 6 `shangchang`: the mall prizes (z_scuser) with their counts of prizes already
// won, and the three mall options.
class MallPage final : public NotebookPage {
    Q_OBJECT
public:
    MallPage(AppContext& ctx, MainWindowApi& main, QWidget* parent = nullptr);

    void enter() override;
    void leave() override;
    void loadSettings(const Settings& settings);

    bool registerDrawer() const; // chkSCdjcjr
    bool onlyWinnable() const;   // chkGDtjMD
    bool cycles() const;         // chkZQCJ

private:
    void refreshWonCounts();
    void storeFlag(const QString& key, bool on);
    void sortByColumn(int column);

    AppContext& m_ctx;
    MainWindowApi& m_main;
    QTableView* m_grid = nullptr;
    QSqlQueryModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QCheckBox* m_chkSCdjcjr = nullptr;
    QCheckBox* m_chkGDtjMD = nullptr;
    QCheckBox* m_chkZQCJ = nullptr;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace varnel

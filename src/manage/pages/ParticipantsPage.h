#pragma once

#include "shell/MainWindowApi.h"

class QLabel;
class QRadioButton;
class QPushButton;
class QSlider;
class QTabWidget;
class QTableView;

namespace varnel {

struct AppContext;
class ParticipantsModel;

// Notebook page 4 `JianxianRen`: the participants grid and the imports (spreadsheet or text
// file, folder of pictures, photo capture tool).
class ParticipantsPage final : public NotebookPage {
public:
    ParticipantsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent = nullptr);
    ~ParticipantsPage() override;
    void enter() override;
    void leave() override;
    // Import mode radio buttons: append (rbtnRENdrfs1) or replace (rbtnRENdrfs2).
    void setImportAppend(bool append);
    bool importAppend() const;
    // Paints "滚动数据信息" red while the data-changed flag is up.
    void refreshCaption();

    // Handlers of the page's buttons and slider.
    void btnRENexcelClick();
    void btnRENfileClick();
    void btnRenPicPZClick();
    void trckbrJPGChange();

    ParticipantsModel* model() const { return m_model; }
    // Row limits of spreadsheet and text imports (65536 for .XLS, 1000000 otherwise); tests
    // make them small.
    void setRowLimits(qint64 xlsLimit, qint64 otherLimit);

private:
    void buildGrid();
    QWidget* buildExcelTab();
    QWidget* buildFolderTab();
    void refreshAfterImport();
    void importFile(const QString& path);
    // Progress label text, repainted at most every 50 ms; `force` for the first and final one.
    void showProgress(QLabel* label, qint64 n, bool force);

    AppContext& m_ctx;
    MainWindowApi& m_main;
    ParticipantsModel* m_model = nullptr;
    QLabel* m_lbRENTabletile = nullptr;
    QTableView* m_DBGridEhren = nullptr;
    QTabWidget* m_pgcUserLogo = nullptr;
    QRadioButton* m_rbtnRENdrfs1 = nullptr;
    QRadioButton* m_rbtnRENdrfs2 = nullptr;
    QPushButton* m_btnRENexcel = nullptr;
    QLabel* m_lbRENexcelInfo = nullptr;
    QSlider* m_trckbrJPG = nullptr;
    QLabel* m_lblJPG = nullptr;
    QPushButton* m_btnRENfile = nullptr;
    QPushButton* m_btnRenPicPZ = nullptr;
    QLabel* m_lbRenPicInfo = nullptr;
    qint64 m_xlsLimit = 65536;
    qint64 m_otherLimit = 1000000;
    qint64 m_lastPaint = 0;
};

} // namespace varnel

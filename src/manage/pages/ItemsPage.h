#pragma once

#include "shell/MainWindowApi.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;

namespace varnel {

struct AppContext;
struct DrawItem;
struct ItemInput;
class ItemsGridModel;

// Notebook page "jianxianEdit": the draw item grid and its editor.
class ItemsPage final : public NotebookPage {
public:
    ItemsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent = nullptr);
    void enter() override;
    void leave() override;

    // Handlers, as the buttons, the grid and the key filters call them.
    void btnJXeditAddClick();
    void btnJXediteditClick();
    void btnJXeditDelClick();
    void btnJXeditPClick();
    void btnJXeditNClick();
    void btnJXeditjpgClick();
    void btnJXeditBJjpgClick();
    void btnJXeditAddTJClick();
    void btnJXeditDelTJClick();
    void DBGridEhjxCellClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    QLineEdit* makeEdit(const char* name);
    QPushButton* makeButton(const char* name, const char* caption);
    void save(bool asNew);
    ItemInput input() const;
    void clearEdits();
    // Reloads the grid from the table; selects `row` (clamped) or the row of `rowId`.
    void reload(int row, qint64 rowId = 0);
    int currentRow() const;
    const DrawItem* currentItem() const;
    void move(bool up);
    void pickPicture(QLineEdit* edit);

    AppContext& m_ctx;
    MainWindowApi& m_main;
    bool m_open = false;

    QLabel* m_caption = nullptr;
    QLineEdit* editJXeditjxmc = nullptr;
    QLineEdit* editJXeditjpmc = nullptr;
    QLineEdit* editJXeditjpg = nullptr;
    QPushButton* btnJXeditjpg = nullptr;
    QLineEdit* editJXeditBJjpg = nullptr;
    QPushButton* btnJXeditBJjpg = nullptr;
    QLineEdit* editJXeditjxsl = nullptr;
    QComboBox* cbxJXeditcqtj = nullptr;
    QLineEdit* editJXeditcqtj = nullptr;
    QToolButton* btnJXeditAddTJ = nullptr;
    QToolButton* btnJXeditDelTJ = nullptr;
    QLineEdit* edtJXtj = nullptr;
    QPushButton* btnJXeditAdd = nullptr;
    QPushButton* btnJXeditedit = nullptr;
    QPushButton* btnJXeditDel = nullptr;
    QPushButton* btnJXeditP = nullptr;
    QPushButton* btnJXeditN = nullptr;
    QTableView* DBGridEhjx = nullptr;
    ItemsGridModel* m_model = nullptr;
};

} // namespace varnel

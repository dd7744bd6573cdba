#pragma once

#include "shell/MainWindowApi.h"

namespace varnel {

struct AppContext;

class RecordsPage final : public NotebookPage {
public:
    RecordsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent = nullptr);
    void enter() override;
    void leave() override;
    // Posts a pending edit of the grid (the main window calls it before closing).
    void commitPendingEdit();
private:
    AppContext& m_ctx;
    MainWindowApi& m_main;
};

} // namespace varnel

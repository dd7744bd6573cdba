#pragma once

#include "shell/MainWindowApi.h"

namespace varnel {

struct AppContext;

class ItemsPage final : public NotebookPage {
public:
    ItemsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent = nullptr);
    void enter() override;
    void leave() override;

private:
    AppContext& m_ctx;
    MainWindowApi& m_main;
};

} // namespace varnel

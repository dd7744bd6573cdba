#pragma once

#include "shell/MainWindowApi.h"

namespace varnel {

struct AppContext;

class ParticipantsPage final : public NotebookPage {
public:
    ParticipantsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent = nullptr);
    void enter() override;
    void leave() override;
    // Import mode radio buttons: append (rbtnRENdrfs1) or replace (rbtnRENdrfs2).
    void setImportAppend(bool append);
    bool importAppend() const;
private:
    AppContext& m_ctx;
    MainWindowApi& m_main;
};

} // namespace varnel

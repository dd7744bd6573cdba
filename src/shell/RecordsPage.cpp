#include "shell/RecordsPage.h"

namespace varnel {

// Placeholder until the page is built.
RecordsPage::RecordsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent)
    : NotebookPage(parent), m_ctx(ctx), m_main(main)
{
    setObjectName(QStringLiteral("RecordsPage"));
}

void RecordsPage::enter() {}
void RecordsPage::leave() {}

} // namespace varnel

namespace varnel {
void RecordsPage::commitPendingEdit() {}
} // namespace varnel

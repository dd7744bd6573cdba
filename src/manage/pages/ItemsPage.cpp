#include "manage/pages/ItemsPage.h"

namespace varnel {

// Placeholder until the page is built.
ItemsPage::ItemsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent)
    : NotebookPage(parent), m_ctx(ctx), m_main(main)
{
    setObjectName(QStringLiteral("ItemsPage"));
}

void ItemsPage::enter() {}
void ItemsPage::leave() {}

} // namespace varnel

#include "manage/pages/ParticipantsPage.h"

namespace varnel {

// Placeholder until the page is built.
ParticipantsPage::ParticipantsPage(AppContext& ctx, MainWindowApi& main, QWidget* parent)
    : NotebookPage(parent), m_ctx(ctx), m_main(main)
{
    setObjectName(QStringLiteral("ParticipantsPage"));
}

void ParticipantsPage::enter() {}
void ParticipantsPage::leave() {}

} // namespace varnel

namespace varnel {
void ParticipantsPage::setImportAppend(bool) {}
bool ParticipantsPage::importAppend() const { return false; }
} // namespace varnel

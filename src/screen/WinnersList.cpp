#include "screen/WinnersList.h"

namespace varnel {

// Placeholder until the winners list window is built.
void showWinnersListModal(AppContext&, const WinnersListRequest&, QWidget*) {}
void showWinnersListAdjust(AppContext&, QWidget*) {}

} // namespace varnel

#include "screen/DrawScreen.h"

namespace varnel {

// Placeholder until the draw screen is built.
void runDrawScreen(AppContext&, DrawHost&, bool, int, QWidget*) {}

} // namespace varnel

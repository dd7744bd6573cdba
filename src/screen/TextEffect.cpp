#include "screen/TextEffect.h"

namespace varnel {

// Placeholder until the label class is built.
TextEffect loadTextEffect(const QString&, const QString&) { return {}; }
bool saveTextEffect(const QString&, const QString&, const TextEffect&) { return true; }

} // namespace varnel

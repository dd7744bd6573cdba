#pragma once

#include <QElapsedTimer>

namespace varnel {

class TFrmSet;

// Environment switches for tools:
//  VARNEL_SCREENSHOT_DIR  after the window shows, save every notebook page as
//                         <dir>/page<N>_<name>.png, then close normally and exit 0;
//  VARNEL_EXIT_WHEN_SHOWN print "shown <ms since start>" and close right after the first show.
void installStartupHooks(TFrmSet& window, const QElapsedTimer& sinceStart);

} // namespace varnel

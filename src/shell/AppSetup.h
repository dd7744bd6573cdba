#pragma once

#include <QString>

class QApplication;

namespace varnel {

// Fixed number and date formats of the program, independent of the system's regional
// settings: every conversion between text and numbers, dates or times uses QLocale::c()
// (decimal separator ".", thousands separator ",") and these patterns.
inline constexpr const char* kDateFormat = "yyyy-MM-dd"; // date separator "-"
inline constexpr const char* kTimeFormat = "hh:mm:ss";   // time separator ":"
inline constexpr const char* kDateTimeFormat = "yyyy-MM-dd hh:mm:ss";
// Amounts, where any are shown, carry "￥" before them with two decimals.

// Application-wide set-up shared by the program and the GUI tests: names, the fixed formats,
// the Fusion style with the project palette and the CJK font substitutions.
void setUpApplication(QApplication& app);

// The program's title and the main window's caption.
QString applicationTitle(); // "Varnel抽奖软件 滚轮版"
QString mainCaption();      // "Varnel抽奖软件 滚轮版 V3.6.1"

} // namespace varnel

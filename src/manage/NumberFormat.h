#pragma once

#include <QString>

namespace varnel {

// The text a spreadsheet shows for a number cell under its number format, so that an imported
// cell reads as the operator sees it: integers without ".0", decimals and percentages with the
// format's digits, dates and times as the format writes them.

// Built-in format codes by id (as a Chinese-locale spreadsheet shows them); empty for
// General and unknown ids.
QString builtinNumberFormat(int id);

// The General format: integers in full, other values with up to ten significant digits,
// very large or small values in scientific notation.
QString generalNumberText(double value);

// `code` is a format code such as "0.00", "#,##0", "yyyy-mm-dd", "h:mm:ss" or
// "0.00%;[Red]-0.00%"; empty or "General" gives the General text. Date serials count from
// 1900 (with the spreadsheet's 1900-02-29), or from 1904 when `date1904`.
QString formatNumber(double value, const QString& code, bool date1904 = false);

// Whether a format code shows a date or time.
bool isDateFormat(const QString& code);

} // namespace varnel

#include "manage/NumberFormat.h"

#include <QDate>
#include <QList>
#include <cmath>

namespace varnel {

QString builtinNumberFormat(int id)
{
    switch (id) {
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral("0.00");
    case 3:
        return QStringLiteral("#,##0");
    case 4:
        return QStringLiteral("#,##0.00");
    case 5:
        return QStringLiteral("¥#,##0;¥-#,##0");
    case 6:
        return QStringLiteral("¥#,##0;[Red]¥-#,##0");
    case 7:
        return QStringLiteral("¥#,##0.00;¥-#,##0.00");
    case 8:
        return QStringLiteral("¥#,##0.00;[Red]¥-#,##0.00");
    case 9:
        return QStringLiteral("0%");
    case 10:
        return QStringLiteral("0.00%");
    case 11:
        return QStringLiteral("0.00E+00");
    case 12:
        return QStringLiteral("# ?/?");
    case 13:
        return QStringLiteral("# ?\?/?\?");
    case 14:
        return QStringLiteral("yyyy/m/d");
    case 15:
        return QStringLiteral("d-mmm-yy");
    case 16:
        return QStringLiteral("d-mmm");
    case 17:
        return QStringLiteral("mmm-yy");
    case 18:
        return QStringLiteral("h:mm AM/PM");
    case 19:
        return QStringLiteral("h:mm:ss AM/PM");
    case 20:
        return QStringLiteral("h:mm");
    case 21:
        return QStringLiteral("h:mm:ss");
    case 22:
        return QStringLiteral("yyyy/m/d h:mm");
    case 27:
    case 36:
    case 50:
    case 52:
    case 57:
        return QStringLiteral("yyyy\"年\"m\"月\"");
    case 28:
    case 29:
    case 51:
    case 53:
    case 54:
    case 58:
        return QStringLiteral("m\"月\"d\"日\"");
    case 30:
        return QStringLiteral("m-d-yy");
    case 31:
        return QStringLiteral("yyyy\"年\"m\"月\"d\"日\"");
    case 32:
        return QStringLiteral("h\"时\"mm\"分\"");
    case 33:
        return QStringLiteral("h\"时\"mm\"分\"ss\"秒\"");
    case 34:
    case 55:
        return QStringLiteral("上午/下午h\"时\"mm\"分\"");
    case 35:
    case 56:
        return QStringLiteral("上午/下午h\"时\"mm\"分\"ss\"秒\"");
    case 37:
        return QStringLiteral("#,##0 ;(#,##0)");
    case 38:
        return QStringLiteral("#,##0 ;[Red](#,##0)");
    case 39:
        return QStringLiteral("#,##0.00;(#,##0.00)");
    case 40:
        return QStringLiteral("#,##0.00;[Red](#,##0.00)");
    case 45:
        return QStringLiteral("mm:ss");
    case 46:
        return QStringLiteral("[h]:mm:ss");
    case 47:
        return QStringLiteral("mmss.0");
    case 48:
        return QStringLiteral("##0.0E+0");
    case 49:
        return QStringLiteral("@");
    default:
        return {};
    }
}

namespace {

QString scientific(double value, int mantissaDecimals)
{
    QString s = QString::number(value, 'E', mantissaDecimals);
    // "1.234560E+15" -> trim the mantissa's trailing zeros, two-digit exponent as shown
    const qsizetype e = s.indexOf(QLatin1Char('E'));
    QString mant = s.left(e);
    QString exp = s.mid(e + 1);
    if (mant.contains(QLatin1Char('.'))) {
        while (mant.endsWith(QLatin1Char('0')))
            mant.chop(1);
        if (mant.endsWith(QLatin1Char('.')))
            mant.chop(1);
    }
    const QChar sign = exp.at(0);
    QString digits = exp.mid(1);
    while (digits.size() > 2 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return mant + QLatin1Char('E') + sign + digits;
}

} // namespace

QString generalNumberText(double value)
{
    if (std::isnan(value) || std::isinf(value))
        return QStringLiteral("#NUM!");
    if (value == 0)
        return QStringLiteral("0");
    const double a = std::fabs(value);
    if (a >= 1e15 || a < 1e-9)
        return scientific(value, 5);
    if (value == std::floor(value))
        return QString::number(value, 'f', 0);
    const int intDigits = a >= 1 ? int(std::floor(std::log10(a))) + 1 : 1;
    const int decimals = qMax(0, 10 - intDigits);
    QString s = QString::number(value, 'f', decimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

namespace {

enum class Tok {
    Literal,
    General,
    Year,
    Month, // m run; decided minute or month later
    Day,
    Hour,
    Second,
    Elapsed, // [h] [m] [s]
    AmPm,
    Weekday, // aaa / aaaa
    Digit,
    Point,
    Comma,
    Percent,
    Exponent,
    Text,
    Slash,
};

struct Token {
    Tok kind;
    QString text; // literal text, the letter run, the digit placeholder or exponent sign
};

struct Section {
    QList<Token> tokens;
    bool chineseLocale = false;
};

QList<QString> splitSections(const QString& code)
{
    QList<QString> out;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('\\') && i + 1 < code.size()) {
            cur += c;
            cur += code.at(++i);
            continue;
        }
        if (!quoted && c == QLatin1Char(';')) {
            out << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    out << cur;
    return out;
}

bool startsWithCi(const QString& s, qsizetype i, QLatin1StringView what)
{
    return QStringView(s).mid(i).startsWith(what, Qt::CaseInsensitive);
}

Section tokenize(const QString& s)
{
    Section sec;
    auto lit = [&](const QString& t) {
        if (!sec.tokens.isEmpty() && sec.tokens.last().kind == Tok::Literal)
            sec.tokens.last().text += t;
        else
            sec.tokens.append({Tok::Literal, t});
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        const char l = c.toLower().toLatin1();
        if (c == QLatin1Char('"')) {
            const qsizetype close = s.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = close < 0 ? s.size() : close;
            lit(s.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < s.size())
                lit(QString(s.at(++i)));
        } else if (c == QLatin1Char('_')) {
            ++i;
            lit(QStringLiteral(" "));
        } else if (c == QLatin1Char('*')) {
            ++i; // fill character: nothing to show in a plain text
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = s.indexOf(QLatin1Char(']'), i + 1);
            const qsizetype stop = close < 0 ? s.size() : close;
            const QString inner = s.mid(i + 1, stop - i - 1);
            i = stop;
            const QString low = inner.toLower();
            if (!low.isEmpty() && (low.count(QLatin1Char('h')) == low.size() ||
                                   low.count(QLatin1Char('m')) == low.size() ||
                                   low.count(QLatin1Char('s')) == low.size())) {
                sec.tokens.append({Tok::Elapsed, low});
            } else if (inner.startsWith(QLatin1Char('$'))) {
                const qsizetype dash = inner.indexOf(QLatin1Char('-'));
                lit(inner.mid(1, dash < 0 ? -1 : dash - 1));
                const QString locale = dash < 0 ? QString() : inner.mid(dash + 1).toLower();
                if (locale.endsWith(QLatin1String("804")) || locale.endsWith(QLatin1String("404")))
                    sec.chineseLocale = true;
            }
            // colours and conditions show nothing
        } else if (startsWithCi(s, i, QLatin1StringView("general"))) {
            sec.tokens.append({Tok::General, {}});
            i += 6;
        } else if (startsWithCi(s, i, QLatin1StringView("am/pm"))) {
            sec.tokens.append({Tok::AmPm, QStringLiteral("AM/PM")});
            i += 4;
        } else if (startsWithCi(s, i, QLatin1StringView("a/p"))) {
            sec.tokens.append({Tok::AmPm, QStringLiteral("A/P")});
            i += 2;
        } else if (QStringView(s).mid(i).startsWith(u"上午/下午")) {
            sec.tokens.append({Tok::AmPm, QStringLiteral("上午/下午")});
            i += 4;
        } else if (l == 'y' || l == 'm' || l == 'd' || l == 'h' || l == 's' || l == 'a' ||
                   (l == 'e' && !(i + 1 < s.size() && (s.at(i + 1) == QLatin1Char('+') ||
                                                       s.at(i + 1) == QLatin1Char('-'))))) {
            qsizetype j = i;
            while (j < s.size() && s.at(j).toLower() == c.toLower())
                ++j;
            const QString run = s.mid(i, j - i).toLower();
            i = j - 1;
            switch (l) {
            case 'y':
            case 'e':
                sec.tokens.append({Tok::Year, run});
                break;
            case 'm':
                sec.tokens.append({Tok::Month, run});
                break;
            case 'd':
                sec.tokens.append({Tok::Day, run});
                break;
            case 'h':
                sec.tokens.append({Tok::Hour, run});
                break;
            case 's':
                sec.tokens.append({Tok::Second, run});
                break;
            default:
                if (run.size() >= 3)
                    sec.tokens.append({Tok::Weekday, run});
                else
                    lit(s.mid(i - run.size() + 1, run.size()));
            }
        } else if (l == 'e') {
            sec.tokens.append({Tok::Exponent, QString(s.at(i + 1))});
            ++i;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?')) {
            sec.tokens.append({Tok::Digit, QString(c)});
        } else if (c == QLatin1Char('.')) {
            sec.tokens.append({Tok::Point, {}});
        } else if (c == QLatin1Char(',')) {
            sec.tokens.append({Tok::Comma, {}});
        } else if (c == QLatin1Char('%')) {
            sec.tokens.append({Tok::Percent, {}});
        } else if (c == QLatin1Char('@')) {
            sec.tokens.append({Tok::Text, {}});
        } else if (c == QLatin1Char('/')) {
            sec.tokens.append({Tok::Slash, {}});
        } else {
            lit(QString(c));
        }
    }
    return sec;
}

bool isDateToken(Tok t)
{
    return t == Tok::Year || t == Tok::Month || t == Tok::Day || t == Tok::Hour ||
           t == Tok::Second || t == Tok::Elapsed || t == Tok::AmPm || t == Tok::Weekday;
}

bool hasDateTokens(const Section& sec)
{
    for (const Token& t : sec.tokens)
        if (isDateToken(t.kind))
            return true;
    return false;
}

QString pad2(qint64 v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
const char* const kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                             "Friday", "Saturday", "Sunday"};

QString renderDate(double serial, const Section& sec, bool date1904)
{
    if (date1904)
        serial += 1462;
    if (serial < 0 || serial > 2958465.9999)
        return generalNumberText(serial);
    const QList<Token>& toks = sec.tokens;

    // Fractional seconds: a point followed by zeros right after a seconds token.
    int fracDigits = 0;
    for (qsizetype i = 0; i < toks.size(); ++i)
        if (toks[i].kind == Tok::Point && i > 0 && toks[i - 1].kind == Tok::Second)
            for (qsizetype j = i + 1; j < toks.size() && toks[j].kind == Tok::Digit; ++j)
                ++fracDigits;
    fracDigits = qMin(fracDigits, 3);
    const qint64 unit = fracDigits == 0 ? 1000 : fracDigits == 1 ? 100 : fracDigits == 2 ? 10 : 1;

    qint64 days = qint64(std::floor(serial));
    qint64 ms = qint64(std::llround((serial - double(days)) * 86400000.0));
    ms = (ms + unit / 2) / unit * unit;
    if (ms >= 86400000) {
        ms -= 86400000;
        ++days;
    }
    int year = 1900, month = 1, day = 0, weekday = 0; // weekday 0 = Monday
    if (days == 60) {
        month = 2;
        day = 29;
        weekday = 2;
    } else if (days > 0) {
        const QDate d =
            days < 60 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
        year = d.year();
        month = d.month();
        day = d.day();
        weekday = d.dayOfWeek() - 1;
    }
    const qint64 secsOfDay = ms / 1000;
    const qint64 hour = secsOfDay / 3600, minute = secsOfDay / 60 % 60, second = secsOfDay % 60;

    bool twelve = false;
    for (const Token& t : toks)
        if (t.kind == Tok::AmPm)
            twelve = true;

    auto prevDateTok = [&](qsizetype i) {
        for (qsizetype j = i - 1; j >= 0; --j)
            if (isDateToken(toks[j].kind))
                return toks[j].kind == Tok::Elapsed
                           ? (toks[j].text.startsWith(QLatin1Char('h')) ? Tok::Hour : Tok::Elapsed)
                           : toks[j].kind;
        return Tok::Literal;
    };
    auto nextDateTok = [&](qsizetype i) {
        for (qsizetype j = i + 1; j < toks.size(); ++j)
            if (isDateToken(toks[j].kind))
                return toks[j].kind == Tok::Elapsed && toks[j].text.startsWith(QLatin1Char('s'))
                           ? Tok::Second
                           : toks[j].kind;
        return Tok::Literal;
    };

    QString out;
    for (qsizetype i = 0; i < toks.size(); ++i) {
        const Token& t = toks[i];
        const qsizetype len = t.text.size();
        switch (t.kind) {
        case Tok::Literal:
            out += t.text;
            break;
        case Tok::Year:
            out += len <= 2 ? pad2(year % 100) : QString::number(year);
            break;
        case Tok::Month:
            if (len <= 2 && (prevDateTok(i) == Tok::Hour || nextDateTok(i) == Tok::Second))
                out += len == 2 ? pad2(minute) : QString::number(minute);
            else if (len == 1)
                out += QString::number(month);
            else if (len == 2)
                out += pad2(month);
            else if (len == 3)
                out += QString::fromLatin1(kMonths[month - 1]).left(3);
            else if (len == 4)
                out += QString::fromLatin1(kMonths[month - 1]);
            else
                out += QString::fromLatin1(kMonths[month - 1]).left(1);
            break;
        case Tok::Day:
            if (len == 1)
                out += QString::number(day);
            else if (len == 2)
                out += pad2(day);
            else if (len == 3)
                out += QString::fromLatin1(kDays[weekday]).left(3);
            else
                out += QString::fromLatin1(kDays[weekday]);
            break;
        case Tok::Weekday: {
            static const QString names = QStringLiteral("一二三四五六日");
            out += (len >= 4 ? QStringLiteral("星期") : QString()) + names.at(weekday);
            break;
        }
        case Tok::Hour: {
            qint64 h = hour;
            if (twelve) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += len >= 2 ? pad2(h) : QString::number(h);
            break;
        }
        case Tok::Second:
            out += len >= 2 ? pad2(second) : QString::number(second);
            break;
        case Tok::Elapsed: {
            const qint64 totalSecs = days * 86400 + secsOfDay;
            const qint64 v = t.text.startsWith(QLatin1Char('h'))   ? totalSecs / 3600
                             : t.text.startsWith(QLatin1Char('m')) ? totalSecs / 60
                                                                   : totalSecs;
            out += QStringLiteral("%1").arg(v, int(len), 10, QLatin1Char('0'));
            break;
        }
        case Tok::AmPm:
            if (t.text == QLatin1String("上午/下午") || sec.chineseLocale)
                out += hour < 12 ? QStringLiteral("上午") : QStringLiteral("下午");
            else if (t.text == QLatin1String("A/P"))
                out += hour < 12 ? QStringLiteral("A") : QStringLiteral("P");
            else
                out += hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            break;
        case Tok::Point:
            if (i > 0 && toks[i - 1].kind == Tok::Second && fracDigits > 0) {
                const qint64 frac = ms % 1000 / unit;
                out += QLatin1Char('.') +
                       QStringLiteral("%1").arg(frac, fracDigits, 10, QLatin1Char('0'));
                while (i + 1 < toks.size() && toks[i + 1].kind == Tok::Digit)
                    ++i;
            } else {
                out += QLatin1Char('.');
            }
            break;
        case Tok::Digit:
            out += t.text;
            break;
        case Tok::Comma:
            out += QLatin1Char(',');
            break;
        case Tok::Slash:
            out += QLatin1Char('/');
            break;
        case Tok::Percent:
            out += QLatin1Char('%');
            break;
        case Tok::General:
            out += generalNumberText(serial);
            break;
        default:
            break;
        }
    }
    return out;
}

// Digits of |value| rounded half away from zero to `decimals` places.
void roundedDigits(double value, int decimals, QString& intPart, QString& fracPart)
{
    // Spreadsheets hold 15 significant digits; dropping the binary noise first makes 2.675
    // round to 2.68 as displayed.
    const double clean = QString::number(value, 'g', 15).toDouble();
    const double shifted = QString::number(clean * std::pow(10.0, decimals), 'g', 15).toDouble();
    const long double scaled = std::round(static_cast<long double>(shifted));
    QString digits;
    if (scaled < 9.0e18L) {
        digits = QString::number(qint64(scaled));
    } else {
        digits = QString::number(clean, 'f', decimals);
        digits.remove(QLatin1Char('.'));
    }
    while (digits.size() <= decimals)
        digits.prepend(QLatin1Char('0'));
    intPart = digits.left(digits.size() - decimals);
    fracPart = digits.right(decimals);
    if (intPart == QLatin1String("0"))
        intPart.clear();
}

QString renderNumber(double value, const Section& sec, bool autoMinus)
{
    QList<Token> toks = sec.tokens;
    bool general = false, hasDigits = false, hasSlash = false;
    for (const Token& t : toks) {
        general |= t.kind == Tok::General;
        hasDigits |= t.kind == Tok::Digit;
        hasSlash |= t.kind == Tok::Slash;
    }
    const QString sign = autoMinus && value < 0 ? QStringLiteral("-") : QString();
    double x = std::fabs(value);
    if (general || !hasDigits || hasSlash) {
        QString out;
        bool placed = false;
        for (const Token& t : toks) {
            if (t.kind == Tok::Literal)
                out += t.text;
            else if (t.kind == Tok::Percent)
                out += QLatin1Char('%');
            else if ((t.kind == Tok::General || t.kind == Tok::Text || t.kind == Tok::Digit) &&
                     !placed) {
                out += generalNumberText(x);
                placed = true;
            }
        }
        if (!hasDigits && !general && !placed && toks.isEmpty())
            out = generalNumberText(x);
        return sign + out;
    }

    // Layout of the number: integer placeholders, decimal placeholders, exponent.
    qsizetype firstDigit = -1, lastIntDigit = -1, point = -1, exponent = -1;
    int intCount = 0, intZeros = 0, fracCount = 0, expDigits = 0;
    bool grouping = false;
    int percents = 0, scaleCommas = 0;
    for (qsizetype i = 0; i < toks.size(); ++i) {
        const Token& t = toks[i];
        if (t.kind == Tok::Percent)
            ++percents;
        if (exponent >= 0) {
            if (t.kind == Tok::Digit)
                ++expDigits;
            continue;
        }
        if (t.kind == Tok::Exponent) {
            exponent = i;
        } else if (t.kind == Tok::Point && point < 0) {
            point = i;
        } else if (t.kind == Tok::Digit) {
            if (firstDigit < 0)
                firstDigit = i;
            if (point < 0) {
                ++intCount;
                intZeros += t.text == QLatin1String("0");
                lastIntDigit = i;
            } else {
                ++fracCount;
            }
        }
    }
    for (qsizetype i = 0; i < toks.size(); ++i) {
        if (toks[i].kind != Tok::Comma || (point >= 0 && i > point) ||
            (exponent >= 0 && i > exponent))
            continue;
        bool digitBefore = false, digitAfter = false;
        for (qsizetype j = i - 1; j >= 0 && !digitBefore; --j)
            digitBefore = toks[j].kind == Tok::Digit;
        for (qsizetype j = i + 1; j < toks.size(); ++j) {
            if (toks[j].kind == Tok::Point || toks[j].kind == Tok::Exponent)
                break;
            if (toks[j].kind == Tok::Digit) {
                digitAfter = true;
                break;
            }
        }
        if (digitBefore && digitAfter)
            grouping = true;
        else if (digitBefore)
            ++scaleCommas;
    }
    for (int i = 0; i < percents; ++i)
        x *= 100;
    for (int i = 0; i < scaleCommas; ++i)
        x /= 1000;

    int exp = 0;
    if (exponent >= 0 && x != 0) {
        const int step = intCount > 1 ? intCount : 1;
        exp = int(std::floor(std::log10(x)));
        if (step > 1)
            exp = int(std::floor(double(exp) / step)) * step;
        else
            exp -= qMax(0, intCount - 1);
        x /= std::pow(10.0, exp);
        QString ip, fp;
        roundedDigits(x, fracCount, ip, fp);
        if (ip.size() > qMax(1, intCount)) { // rounding carried into another digit
            exp += step;
            x /= std::pow(10.0, step);
        }
    }

    QString intStr, fracStr;
    roundedDigits(x, fracCount, intStr, fracStr);

    // Integer part: placeholders filled from the right; extra digits go to the first one.
    QList<QString> intFill(toks.size());
    if (grouping) {
        QString s = intStr;
        while (s.size() < intZeros)
            s.prepend(QLatin1Char('0'));
        for (qsizetype k = s.size() - 3; k > 0; k -= 3)
            s.insert(k, QLatin1Char(','));
        if (firstDigit >= 0)
            intFill[firstDigit] = s;
    } else {
        qsizetype d = intStr.size() - 1;
        qsizetype first = -1;
        for (qsizetype i = lastIntDigit; i >= 0; --i) {
            if (toks[i].kind != Tok::Digit)
                continue;
            first = i;
            if (d >= 0)
                intFill[i] = intStr.at(d--);
            else if (toks[i].text == QLatin1String("0"))
                intFill[i] = QStringLiteral("0");
            else if (toks[i].text == QLatin1String("?"))
                intFill[i] = QStringLiteral(" ");
        }
        if (first >= 0 && d >= 0)
            intFill[first].prepend(intStr.left(d + 1));
    }
    // Decimal part: left to right, trailing zeros of '#' dropped, of '?' blanked.
    QList<QString> fracFill(toks.size());
    {
        qsizetype k = 0;
        QList<qsizetype> places;
        for (qsizetype i = point + 1; point >= 0 && i < toks.size(); ++i) {
            if (exponent >= 0 && i >= exponent)
                break;
            if (toks[i].kind == Tok::Digit)
                places << i;
        }
        qsizetype lastNonZero = fracStr.size() - 1;
        while (lastNonZero >= 0 && fracStr.at(lastNonZero) == QLatin1Char('0'))
            --lastNonZero;
        for (qsizetype s : places) {
            const QString& ph = toks[s].text;
            if (k <= lastNonZero || ph == QLatin1String("0"))
                fracFill[s] = fracStr.at(k);
            else if (ph == QLatin1String("?"))
                fracFill[s] = QStringLiteral(" ");
            ++k;
        }
    }

    QString out;
    for (qsizetype i = 0; i < toks.size(); ++i) {
        const Token& t = toks[i];
        switch (t.kind) {
        case Tok::Literal:
            out += t.text;
            break;
        case Tok::Digit:
            if (exponent >= 0 && i > exponent)
                break;
            out += (point >= 0 && i > point) ? fracFill[i] : intFill[i];
            break;
        case Tok::Point:
            if (i == point)
                out += QLatin1Char('.');
            break;
        case Tok::Percent:
            out += QLatin1Char('%');
            break;
        case Tok::Exponent: {
            QString e = QString::number(std::abs(exp));
            while (e.size() < expDigits)
                e.prepend(QLatin1Char('0'));
            out += QLatin1Char('E') +
                   (exp < 0 ? QStringLiteral("-")
                            : (t.text == QLatin1String("+") ? QStringLiteral("+") : QString())) +
                   e;
            break;
        }
        case Tok::Text:
            out += generalNumberText(value);
            break;
        default:
            break;
        }
    }
    const bool allZero = intStr.count(QLatin1Char('0')) == intStr.size() &&
                         fracStr.count(QLatin1Char('0')) == fracStr.size();
    return (allZero ? QString() : sign) + out;
}

} // namespace

bool isDateFormat(const QString& code)
{
    if (code.isEmpty())
        return false;
    for (const QString& s : splitSections(code))
        if (hasDateTokens(tokenize(s)))
            return true;
    return false;
}

QString formatNumber(double value, const QString& code, bool date1904)
{
    if (code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return generalNumberText(value);
    const QList<QString> sections = splitSections(code);
    QString chosen = sections.at(0);
    bool autoMinus = true;
    if (sections.size() >= 2 && value < 0) {
        chosen = sections.at(1);
        autoMinus = false;
    } else if (sections.size() >= 3 && value == 0) {
        chosen = sections.at(2);
    }
    const Section sec = tokenize(chosen);
    if (hasDateTokens(sec))
        return renderDate(value, sec, date1904);
    return renderNumber(autoMinus ? value : std::fabs(value), sec, autoMinus);
}

} // namespace varnel

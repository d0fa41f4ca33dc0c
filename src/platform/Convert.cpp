#include "platform/Convert.h"

#include <cmath>
#include <limits>

namespace Convert {

ConversionError::ConversionError(Kind kind, const QString &what)
    : std::runtime_error(what.toStdString()), m_kind(kind) {}

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Reads the longest number at the start of text (after blanks). Returns the characters used.
qsizetype scanNumber(const QString &text, double &value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    QString digits;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        digits += text[i++];
    bool any = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        digits += text[i++];
        any = true;
    }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        QString frac = QStringLiteral(".");
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            frac += text[j++];
            any = true;
        }
        if (any) {
            digits += frac;
            i = j;
        }
    }
    if (!any) {
        value = 0;
        return start == 0 ? 0 : start;
    }
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        QString exp = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exp += text[j++];
        bool expDigits = false;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            exp += text[j++];
            expDigits = true;
        }
        if (expDigits) {
            digits += exp;
            i = j;
        }
    }
    value = digits.toDouble();
    return i;
}

double roundHalfEven(double v) {
    const double r = std::nearbyint(v); // the default rounding mode rounds halves to even
    return r;
}

double wholeNumber(const QString &text) {
    double v = 0;
    qsizetype used = scanNumber(text, v);
    qsizetype i = used;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (text.trimmed().isEmpty() || i != text.size() || used == 0 || text.trimmed() == QStringLiteral("-") ||
        text.trimmed() == QStringLiteral("+"))
        throw ConversionError(ConversionError::TypeMismatch, QStringLiteral("Type mismatch: \"%1\"").arg(text));
    return v;
}

} // namespace

double Val(const QString &text) {
    double v = 0;
    scanNumber(text, v);
    return v;
}

bool IsNumeric(const QString &text) {
    try {
        wholeNumber(text);
        return true;
    } catch (const ConversionError &) {
        return false;
    }
}

uint8_t CByte(double value) {
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || r < 0 || r > 255)
        throw ConversionError(ConversionError::Overflow, QStringLiteral("Overflow: %1 is not a byte").arg(value));
    return static_cast<uint8_t>(r);
}

int16_t CInt(double value) {
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || r < -32768 || r > 32767)
        throw ConversionError(ConversionError::Overflow,
                              QStringLiteral("Overflow: %1 is not a 16-bit integer").arg(value));
    return static_cast<int16_t>(r);
}

uint8_t CByte(const QString &text) { return CByte(wholeNumber(text)); }
int16_t CInt(const QString &text) { return CInt(wholeNumber(text)); }

QString UCase(const QString &text) { return text.toUpper(); }

QString NumberText(double value) {
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    // Qt writes large and small magnitudes with an exponent, as the general form does too ("1E+16").
    if (s.contains(u'e')) {
        qsizetype e = s.indexOf(u'e');
        QString mant = s.left(e);
        int exp = s.mid(e + 1).toInt();
        s = mant + QStringLiteral("E") + (exp < 0 ? QStringLiteral("-") : QStringLiteral("+")) +
            QString::number(std::abs(exp)).rightJustified(2, u'0');
    }
    return s;
}

void IncByte(uint8_t &counter, int by) {
    const int v = int(counter) + by;
    counter = static_cast<uint8_t>(v > 255 ? 255 : (v < 0 ? 0 : v));
}

} // namespace Convert

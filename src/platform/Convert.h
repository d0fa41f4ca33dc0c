#pragma once
// Number and text conversions with the rules the program's windows rely on.
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace Convert {

// Raised when a conversion cannot give a value of the target type.
class ConversionError : public std::runtime_error {
public:
    enum Kind { Overflow, TypeMismatch };
    ConversionError(Kind kind, const QString &what);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// The value of the leading number of a text: leading blanks skipped, an optional sign, digits with
// "." as the decimal point whatever the locale, an optional exponent. "2x" is 2; "" and "x2" are 0.
double Val(const QString &text);

// Whole number with halves to even (2.5 -> 2, 3.5 -> 4); throws Overflow outside the type's range.
uint8_t CByte(double value);
int16_t CInt(double value);

// The same from a text that must be a number as a whole (blanks around it allowed);
// throws TypeMismatch for the empty text or anything else that is not a number.
uint8_t CByte(const QString &text);
int16_t CInt(const QString &text);

// True when the whole text (blanks around it allowed) is a number.
bool IsNumeric(const QString &text);

// Upper case as used for password comparison.
QString UCase(const QString &text);

// The general text form of a number: up to 15 significant digits, no grouping, no trailing zeros.
QString NumberText(double value);

// Adds to a byte counter; the counter stops at 255 instead of wrapping.
void IncByte(uint8_t &counter, int by = 1);

} // namespace Convert

#include "qformulawords.h"

#include <QCoreApplication>

#define WORD(text) QT_TRANSLATE_NOOP("QFormulaWords", text)

namespace
{
// The table keeps one template to a row.
// clang-format off

// A template read by one pattern, with the names of its fields.
#define FORMULA(name, key, pattern, field1, field2, field3) \
    {name, key, nullptr, pattern, nullptr, nullptr, nullptr, 0, {field1, field2, field3}}
// A template whose degree field, when it holds nothing, 2 or 3, gives a
// shorter reading.
#define DEGREE(name, key, degreeField, pattern, plain, squared, cubed, field1, field2, field3) \
    {name, key, nullptr, pattern, plain, squared, cubed, degreeField, {field1, field2, field3}}
// A function with its caption (%1), its exponent (%2) and its argument (%3).
#define FUNCTION(name, key, word, argument) \
    {name, key, word, WORD("%0 to the power %2 of %3"), WORD("%0 of %3"), \
     WORD("%0 squared of %3"), WORD("%0 cubed of %3"), 2, {nullptr, WORD("exponent"), argument}}
// A key that only types its text.
#define TEXT_KEY(name, key) FORMULA(name, key, nullptr, nullptr, nullptr, nullptr)

const QFormulaWords::Reading readings[] = {
    FORMULA("Поле для ввода", WORD("Formula"), "%1", WORD("formula"), nullptr, nullptr),
    FUNCTION("Синус", WORD("Sine"), WORD("sine"), WORD("argument of sine")),
    FUNCTION("Косинус", WORD("Cosine"), WORD("cosine"), WORD("argument of cosine")),
    FUNCTION("Тангенс", WORD("Tangent"), WORD("tangent"), WORD("argument of tangent")),
    FUNCTION("Котангенс", WORD("Cotangent"), WORD("cotangent"), WORD("argument of cotangent")),
    FUNCTION("Арксинус", WORD("Arcsine"), WORD("arcsine"), WORD("argument of arcsine")),
    FUNCTION("Арккосинус", WORD("Arccosine"), WORD("arccosine"), WORD("argument of arccosine")),
    FUNCTION("Арктангенс", WORD("Arctangent"), WORD("arctangent"), WORD("argument of arctangent")),
    FUNCTION("Арккотангенс", WORD("Arccotangent"), WORD("arccotangent"),
             WORD("argument of arccotangent")),
    DEGREE("Степень", WORD("Power"), 1, WORD("%2 to the power %1"), WORD("%2 to the power %1"),
           WORD("%2 squared"), WORD("%2 cubed"), WORD("exponent"), WORD("base"), nullptr),
    DEGREE("Корень", WORD("Root"), 1, WORD("root of degree %1 of %2"), WORD("square root of %2"),
           WORD("square root of %2"), WORD("cube root of %2"), WORD("degree of root"),
           WORD("expression under root"), nullptr),
    FORMULA("Модуль", WORD("Absolute value"), WORD("absolute value of %1"),
            WORD("argument of absolute value"), nullptr, nullptr),
    FORMULA("Указание системы счисления", WORD("Number in a base"), WORD("%1 in base %2"),
            WORD("number"), WORD("base of number"), nullptr),
    DEGREE("Логарифм", WORD("Logarithm"), 2, WORD("logarithm to base %2 of %3"),
           WORD("logarithm of %3"), nullptr, nullptr, nullptr, WORD("base of logarithm"),
           WORD("argument of logarithm")),
    FORMULA("Натуральный логарифм", WORD("Natural logarithm"), WORD("natural logarithm of %2"),
            nullptr, WORD("argument of natural logarithm"), nullptr),
    FORMULA("Экспонента", WORD("Exponential"), WORD("e to the power %2"), nullptr, WORD("exponent"),
            nullptr),
    FORMULA("Факториал", WORD("Factorial"), WORD("%1 factorial"), WORD("argument of factorial"),
            nullptr, nullptr),
    FORMULA("Дробь", WORD("Fraction"), WORD("%1 over %2"), WORD("numerator"), WORD("denominator"),
            nullptr),
    FORMULA("Дробь с целой частью", WORD("Mixed fraction"), WORD("%1 and %2 over %3"),
            WORD("whole part"), WORD("numerator"), WORD("denominator")),
    TEXT_KEY("Открывающая скобка", WORD("Open bracket")),
    TEXT_KEY("Закрывающая скобка", WORD("Close bracket")),
    TEXT_KEY("Пи", WORD("Pi")),
    TEXT_KEY("Фи", WORD("Phi")),
    TEXT_KEY("Икс (переменная)", WORD("Variable x")),
    TEXT_KEY("Исключение (ИЛИ)", WORD("Exclusive or")),
    TEXT_KEY("Сдвиг влево", WORD("Shift left")),
    TEXT_KEY("Дизъюнкция (ИЛИ)", WORD("Or")),
    TEXT_KEY("Сдвиг вправо", WORD("Shift right")),
    TEXT_KEY("Конъюкция (И)", WORD("And")),
    TEXT_KEY("Отрицание", WORD("Not")),
};

// Operators of two characters come first, so that they are read as one.
const struct {
    const char *text;
    const char *word;
} operators[] = {
    {"<<", WORD("shift left")},
    {">>", WORD("shift right")},
    {"<=", WORD("less than or equal to")},
    {">=", WORD("greater than or equal to")},
    {"==", WORD("is equal to")},
    {"!=", WORD("is not equal to")},
    {"&&", WORD("and")},
    {"||", WORD("or")},
    {"+", WORD("plus")},
    {"-", WORD("minus")},
    {"*", WORD("times")},
    {"/", WORD("divided by")},
    {"%", WORD("modulo")},
    {"^", WORD("exclusive or")},
    {"&", WORD("and")},
    {"|", WORD("or")},
    {"!", WORD("not")},
    {"<", WORD("less than")},
    {">", WORD("greater than")},
    {"=", WORD("equals")},
    {"(", WORD("open bracket")},
    {")", WORD("close bracket")},
    {",", WORD("comma")},
    {";", WORD("semicolon")},
    {"π", WORD("pi")},
    {"φ", WORD("phi")},
};
// clang-format on
} // namespace

const QFormulaWords::Reading *QFormulaWords::reading(const QString &templateName)
{
    for (const Reading &entry : readings)
        if (templateName == QString::fromUtf8(entry.templateName))
            return &entry;
    return nullptr;
}

int QFormulaWords::operatorAt(const QString &text, int pos, QString *word)
{
    for (const auto &entry : operators) {
        const QString op = QString::fromUtf8(entry.text);
        if (text.midRef(pos, op.size()) == op) {
            *word = translated(entry.word);
            return op.size();
        }
    }
    return 0;
}

QString QFormulaWords::keyName(const QString &templateName, const QString &appendText)
{
    if (const Reading *entry = reading(templateName))
        return translated(entry->keyName);
    QStringList words;
    for (int pos = 0; pos < appendText.size();) {
        QString word;
        const int length = operatorAt(appendText, pos, &word);
        words.append(length > 0 ? word : appendText.mid(pos, 1));
        pos += qMax(length, 1);
    }
    return words.isEmpty() ? templateName : words.join(QLatin1Char(' '));
}

QString QFormulaWords::empty()
{
    return translated(WORD("empty"));
}

QString QFormulaWords::translated(const char *text)
{
    return QCoreApplication::translate("QFormulaWords", text);
}

#include "fakeengine.h"
#include "panelfixture.h"
#include "qformula.h"
#include "qformulaexport.h"
#include "qformulafield.h"
#include "qformulaprovider.h"
#include "qformularecord.h"
#include "qlatexreader.h"

#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QtTest>

// A formula on the clipboard in the three forms other programs read: plain
// text as a person writes it, LaTeX and MathML; and LaTeX read back into the
// plain text that the editor's paste builds the formula from.
class ClipboardFormsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void forms_data();
    void forms();
    void latexRead_data();
    void latexRead();
    void everyTemplateHasItsForm();
    void copiedFromPanel_data();
    void copiedFromPanel();
    void latexPasted_data();
    void latexPasted();
};

namespace
{
// The items of the root field of a record written as its text.
QVector<QFormulaRecord> fieldOf(const QString &recordText)
{
    QFormulaRecord record;
    if (!QFormulaRecord::fromText(QStringLiteral("[Поле для ввода|") + recordText + ']', &record))
        return {};
    return record.fields.value(0);
}

const QString mathStart =
    QStringLiteral("<math xmlns=\"http://www.w3.org/1998/Math/MathML\"><mrow>");
const QString mathEnd = QStringLiteral("</mrow></math>");
} // namespace

void ClipboardFormsTest::initTestCase()
{
    Q_INIT_RESOURCE(brismadata);
}

// Rows are the field's record text and its three forms (the MathML inside
// its <math><mrow>).
void ClipboardFormsTest::forms_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("latex");
    QTest::addColumn<QString>("mathML");
    // what the LaTeX reads back as, where it is not the plain text
    QTest::addColumn<QString>("readBack");

    QTest::newRow("square root") << "[Корень||9]"
                                 << "√9"
                                 << "\\sqrt{9}"
                                 << "<msqrt><mn>9</mn></msqrt>" << QString();
    QTest::newRow("cube root of a sum") << "[Корень|3|x+1]"
                                        << "∛(x+1)"
                                        << "\\sqrt[3]{x+1}"
                                        << "<mroot><mrow><mi>x</mi><mo>+</mo><mn>1</mn></mrow>"
                                           "<mrow><mn>3</mn></mrow></mroot>"
                                        << QString();
    QTest::newRow("fraction") << "[Дробь|2|3]"
                              << "2/3"
                              << "\\frac{2}{3}"
                              << "<mfrac><mrow><mn>2</mn></mrow><mrow><mn>3</mn></mrow></mfrac>"
                              << QString();
    QTest::newRow("fraction of sums") << "[Дробь|1+x|2-x]"
                                      << "(1+x)/(2-x)"
                                      << "\\frac{1+x}{2-x}"
                                      << "<mfrac><mrow><mn>1</mn><mo>+</mo><mi>x</mi></mrow>"
                                         "<mrow><mn>2</mn><mo>−</mo><mi>x</mi></mrow></mfrac>"
                                      << QString();
    QTest::newRow("sine squared") << "[Синус|sin|2|(x)]"
                                  << "sin²(x)"
                                  << "\\sin^{2}(x)"
                                  << "<mrow><msup><mrow><mi>sin</mi></mrow><mrow><mn>2</mn></mrow>"
                                     "</msup><mo>&#x2061;</mo><mrow><mo>(</mo><mi>x</mi><mo>)</mo>"
                                     "</mrow></mrow>"
                                  << QString();
    QTest::newRow("tangent without power") << "[Тангенс|tg||x]"
                                           << "tg(x)"
                                           << "\\operatorname{tg}\\left(x\\right)"
                                           << "<mrow><mrow><mi>tg</mi></mrow><mo>&#x2061;</mo>"
                                              "<mrow><mo>(</mo><mi>x</mi><mo>)</mo></mrow></mrow>"
                                           << QString();
    QTest::newRow("absolute value of a negative")
        << "[Модуль|-2]"
        << "|-2|"
        << "\\left|-2\\right|"
        << "<mrow><mo fence=\"true\" form=\"prefix\">|</mo>"
           "<mo>−</mo><mn>2</mn>"
           "<mo fence=\"true\" form=\"postfix\">|</mo>"
           "</mrow>"
        << QString();
    QTest::newRow("power of a power") << "[Степень|10|2]"
                                      << "2¹⁰"
                                      << "{2}^{10}"
                                      << "<msup><mrow><mn>2</mn></mrow><mrow><mn>10</mn></mrow>"
                                         "</msup>"
                                      << QString();
    QTest::newRow("power of a sum to a letter")
        << "[Степень|n|x+1]"
        << "(x+1)^n"
        << "{\\left(x+1\\right)}^{n}"
        << "<msup><mrow><mo>(</mo><mi>x</mi><mo>+</mo><mn>1</mn><mo>)</mo></mrow>"
           "<mrow><mi>n</mi></mrow></msup>"
        << QString();
    QTest::newRow("power of a root") << "[Степень|2|[Корень||9]]"
                                     << "(√9)²"
                                     << "{\\sqrt{9}}^{2}"
                                     << "<msup><mrow><msqrt><mn>9</mn></msqrt></mrow>"
                                        "<mrow><mn>2</mn></mrow></msup>"
                                     << QString();
    QTest::newRow("number in base 16")
        << "[Указание системы счисления|ff|16]"
        << "ff₁₆"
        << "\\mathrm{ff}_{16}"
        << "<msub><mn>ff</mn><mrow><mn>16</mn></mrow></msub>" << QString();
    QTest::newRow("logarithm to base 2") << "[Логарифм|log|2|(8)]"
                                         << "log₂(8)"
                                         << "\\log_{2}(8)"
                                         << "<mrow><msub><mrow><mi>log</mi></mrow><mrow><mn>2</mn>"
                                            "</mrow></msub><mo>&#x2061;</mo><mrow><mo>(</mo>"
                                            "<mn>8</mn><mo>)</mo></mrow></mrow>"
                                         << QString();
    QTest::newRow("factorial of a sum") << "[Факториал|2+3|!]"
                                        << "(2+3)!"
                                        << "\\left(2+3\\right)!"
                                        << "<mrow><mrow><mo>(</mo><mn>2</mn><mo>+</mo><mn>3</mn>"
                                           "<mo>)</mo></mrow><mo>!</mo></mrow>"
                                        << QString();
    QTest::newRow("fraction after a digit") << "2[Дробь|1|3]"
                                            << "2(1/3)"
                                            << "2\\cdot \\frac{1}{3}"
                                            << "<mn>2</mn><mfrac><mrow><mn>1</mn></mrow><mrow>"
                                               "<mn>3</mn></mrow></mfrac>"
                                            << "2*1/3";
    QTest::newRow("fraction after a division") << "6/[Дробь|2|3]"
                                               << "6/(2/3)"
                                               << "6/\\frac{2}{3}"
                                               << "<mn>6</mn><mo>/</mo><mfrac><mrow><mn>2</mn>"
                                                  "</mrow><mrow><mn>3</mn></mrow></mfrac>"
                                               << QString();
    QTest::newRow("fraction in a sum") << "1+[Дробь|2|3]-4"
                                       << "1+2/3-4"
                                       << "1+\\frac{2}{3}-4"
                                       << "<mn>1</mn><mo>+</mo><mfrac><mrow><mn>2</mn></mrow>"
                                          "<mrow><mn>3</mn></mrow></mfrac><mo>−</mo><mn>4</mn>"
                                       << QString();
    QTest::newRow("power after a digit") << "2[Степень|2|3]"
                                         << "2*3²"
                                         << "2\\cdot {3}^{2}"
                                         << "<mn>2</mn><msup><mrow><mn>3</mn></mrow><mrow>"
                                            "<mn>2</mn></mrow></msup>"
                                         << QString();
    QTest::newRow("whole part and a fraction") << "2*[Дробь с целой частью|1|2|3]"
                                               << "2*(1+2/3)"
                                               << "2\\cdot 1\\frac{2}{3}"
                                               << "<mn>2</mn><mo>·</mo><mrow><mrow><mn>1</mn>"
                                                  "</mrow><mfrac><mrow><mn>2</mn></mrow><mrow>"
                                                  "<mn>3</mn></mrow></mfrac></mrow>"
                                               << QString();
    QTest::newRow("pi and signs") << "2π*r<5%2"
                                  << "2π*r<5%2"
                                  << "2\\pi \\cdot r<5\\%2"
                                  << "<mn>2</mn><mi>π</mi><mo>·</mo><mi>r</mi><mo>&lt;</mo>"
                                     "<mn>5</mn><mo>%</mo><mn>2</mn>"
                                  << QString();
    QTest::newRow("exclusive or") << "[Исключение (ИЛИ)|5|xor|3]"
                                  << "5 xor 3"
                                  << "5 \\operatorname{xor} 3"
                                  << "<mrow><mn>5</mn><mo>xor</mo><mn>3</mn></mrow>" << QString();
}

void ClipboardFormsTest::forms()
{
    QFETCH(QString, record);
    QFETCH(QString, plain);
    QFETCH(QString, latex);
    QFETCH(QString, mathML);
    QFETCH(QString, readBack);

    const QVector<QFormulaRecord> items = fieldOf(record);
    QVERIFY(!items.isEmpty());
    QCOMPARE(QFormulaExport::write(items, QFormulaExport::PlainText), plain);
    QCOMPARE(QFormulaExport::write(items, QFormulaExport::Latex), latex);
    QCOMPARE(QFormulaExport::write(items, QFormulaExport::MathML), mathStart + mathML + mathEnd);
    // what the formula is copied as in LaTeX reads back as its plain text
    QCOMPARE(QLatexReader::plainText(latex), readBack.isEmpty() ? plain : readBack);
}

// LaTeX as other programs write it.
void ClipboardFormsTest::latexRead_data()
{
    QTest::addColumn<QString>("latex");
    QTest::addColumn<QString>("plain");

    QTest::newRow("display fraction") << "\\dfrac{a+1}{b}"
                                      << "(a+1)/b";
    QTest::newRow("nested fractions") << "\\frac{\\frac{1}{2}}{3}"
                                      << "(1/2)/3";
    QTest::newRow("root of a fraction") << "\\sqrt{\\frac{1}{4}}"
                                        << "√(1/4)";
    QTest::newRow("fifth root") << "\\sqrt[5]{32}"
                                << "⁵√32";
    QTest::newRow("power of a group") << "{(x+1)}^{2}"
                                      << "(x+1)²";
    QTest::newRow("power of a letter") << "x^2"
                                       << "x²";
    QTest::newRow("negative power") << "10^{-3}"
                                    << "10⁻³";
    QTest::newRow("power of a sum") << "2^{n+1}"
                                    << "2^(n+1)";
    QTest::newRow("absolute value with bars") << "|x-1|"
                                              << "|x-1|";
    QTest::newRow("absolute value with left and right") << "\\left| -2 \\right|"
                                                        << "|-2|";
    QTest::newRow("vertical bars") << "\\lvert x\\rvert"
                                   << "|x|";
    QTest::newRow("tangent") << "\\tan(x)"
                             << "tg(x)";
    QTest::newRow("cotangent squared") << "\\cot^2 x"
                                       << "ctg²(x)";
    QTest::newRow("arctangent without brackets") << "\\arctan{x}"
                                                 << "arctg(x)";
    QTest::newRow("operator name") << "\\operatorname{arcctg}(1)"
                                   << "arcctg(1)";
    QTest::newRow("natural logarithm") << "\\ln\\left(e\\right)"
                                       << "ln(e)";
    QTest::newRow("logarithm to a base") << "\\log_{10} 100"
                                         << "log₁₀(100)";
    QTest::newRow("exponential") << "\\exp(1)"
                                 << "exp(1)";
    QTest::newRow("times and dot") << "2 \\times 3 \\cdot 4"
                                   << "2*3*4";
    QTest::newRow("pi and phi") << "2\\pi+\\varphi"
                                << "2π+φ";
    QTest::newRow("spacing and dollars") << "$1\\,+\\;2\\quad$"
                                         << "1+2";
    QTest::newRow("unicode minus") << "5−3"
                                   << "5-3";
    QTest::newRow("unknown command keeps its name") << "\\alpha+1"
                                                    << "alpha+1";
    QTest::newRow("unclosed group") << "\\frac{1}{2"
                                    << "1/2";
    QTest::newRow("whole number and a fraction") << "3\\frac{1}{2}"
                                                 << "(3+1/2)";
    QTest::newRow("letter times a fraction") << "x\\frac{1}{2}"
                                             << "x(1/2)";
}

void ClipboardFormsTest::latexRead()
{
    QFETCH(QString, latex);
    QFETCH(QString, plain);

    QVERIFY(QLatexReader::isLatex(latex) || !latex.contains(QLatin1Char('\\')));
    QCOMPARE(QLatexReader::plainText(latex), plain);
}

// Each template of the shipped catalogue with fields is written in a form
// of its own, not as its fields side by side.
void ClipboardFormsTest::everyTemplateHasItsForm()
{
    QFile catalogue(QStringLiteral(":brisma/data/formulaItems.xml"));
    QFormulaProvider provider;
    QVERIFY(provider.load(&catalogue, nullptr) > 0);
    for (int i = 1; i < provider.count(); ++i) {
        const QFormula *templ = provider.formulaTemplate(i);
        if (templ->fieldCount() == 0)
            continue;
        QFormulaRecord record = QFormulaRecord::ofFormula(templ);
        for (QVector<QFormulaRecord> &field : record.fields)
            if (field.isEmpty())
                field.append(QFormulaRecord::glyph(QStringLiteral("7")));
        QStringList joined;
        for (const QVector<QFormulaRecord> &field : qAsConst(record.fields))
            joined.append(QFormulaExport::write(field, QFormulaExport::PlainText));
        const QString written = QFormulaExport::write({record}, QFormulaExport::PlainText);
        QVERIFY2(written != joined.join(QLatin1Char(' ')) ||
                     record.name == QStringLiteral("Исключение (ИЛИ)"),
                 qPrintable(record.name + ": " + written));
    }
}

// "Copy formula" copies the whole formula, Ctrl+C the selection; the
// clipboard holds all three forms.
void ClipboardFormsTest::copiedFromPanel_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("latex");

    QTest::newRow("Copy formula") << QStringList{"1+", "{Корень}", "9"} << false << "1+√9"
                                  << "1+\\sqrt{9}";
    QTest::newRow("Ctrl+C on a selection")
        << QStringList{"{Дробь}", "2", "{Up}", "1"} << true << "1"
        << "1";
    QTest::newRow("Copy formula with an absolute value")
        << QStringList{"2*", "{Модуль}", "-2"} << false << "2*|-2|"
        << "2\\cdot \\left|-2\\right|";
}

void ClipboardFormsTest::copiedFromPanel()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, selectAll);
    QFETCH(QString, plain);
    QFETCH(QString, latex);

    PanelFixture panel;
    QVERIFY(panel.open());
    panel.play(steps);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    if (selectAll) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    } else {
        QVERIFY(QMetaObject::invokeMethod(panel.display(), "copyFormula"));
    }
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    QCOMPARE(mime->text(), plain);
    QCOMPARE(QString::fromUtf8(mime->data(QStringLiteral("text/x-tex"))), latex);
    const QString mathML = QString::fromUtf8(mime->data(QStringLiteral("application/mathml+xml")));
    QVERIFY2(mathML.startsWith(mathStart) && mathML.endsWith(mathEnd), qPrintable(mathML));
}

// LaTeX pasted into the formula is typed as its plain text; plain text is
// typed as it is.
void ClipboardFormsTest::latexPasted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("latexOnly");
    QTest::addColumn<QString>("typed");

    QTest::newRow("LaTeX as text") << "\\frac{6}{3}+1" << QString() << "((6)/(3))+1";
    QTest::newRow("LaTeX only in its own form") << QString() << "2\\cdot 3"
                                                << "2*3";
    QTest::newRow("plain text") << "2/3" << QString() << "((2)/(3))";
}

void ClipboardFormsTest::latexPasted()
{
    QFETCH(QString, text);
    QFETCH(QString, latexOnly);
    QFETCH(QString, typed);

    PanelFixture panel;
    QVERIFY(panel.open());
    auto *mime = new QMimeData;
    if (!text.isEmpty())
        mime->setText(text);
    if (!latexOnly.isEmpty())
        mime->setData(QStringLiteral("text/x-tex"), latexOnly.toUtf8());
    QApplication::clipboard()->setMimeData(mime);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    auto *field = qobject_cast<QFormulaField *>(QApplication::focusWidget());
    QVERIFY(field);
    QCOMPARE(field->toLine(false), typed);
}

QTEST_MAIN(ClipboardFormsTest)
#include "tst_clipboardforms.moc"

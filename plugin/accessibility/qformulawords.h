#ifndef QFORMULAWORDS_H
#define QFORMULAWORDS_H

#include <QString>

// The words in which the panel reads a formula aloud, in one table: for each
// template of the catalogue the name of its key, how the formula is read
// with "%1", "%2", ... standing for its fields, and what each field is
// called when the cursor moves into it; for the characters typed, the word
// for each operator. Every text is English and translated with the
// plug-in's other texts, in the context "QFormulaWords".
class QFormulaWords
{
public:
    // How one template is read.
    struct Reading {
        // The catalogue's name of the template.
        const char *templateName;
        // What its key is called.
        const char *keyName;
        // The function's own word, which stands for "%0" in the patterns.
        const char *word;
        // The formula read aloud; squared and cubed are read instead when
        // the field degreeField (counted from 1) holds 2 or 3, plain when it
        // is empty.
        const char *pattern;
        const char *plain;
        const char *squared;
        const char *cubed;
        int degreeField;
        // What the fields are called, in the template's order; none for a
        // caption.
        const char *fieldNames[3];
    };

    // The reading of the template, or none for a template the table lacks.
    static const Reading *reading(const QString &templateName);
    // The translated word of the operator that begins at pos of text, and
    // how many characters it takes; 0 when none begins there.
    static int operatorAt(const QString &text, int pos, QString *word);
    // What the key of a template is called: its table name, or for a key
    // that only types text, the words of that text.
    static QString keyName(const QString &templateName, const QString &appendText);
    // The reading of a field that holds nothing.
    static QString empty();
    static QString translated(const char *text);
};

#endif

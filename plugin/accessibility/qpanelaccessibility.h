#ifndef QPANELACCESSIBILITY_H
#define QPANELACCESSIBILITY_H

// What the panel shows a screen reader beyond the toolkit's own widgets: the
// edited formula as one text, the screen keys by name, the history list and
// its entries. A focus that moves between the fields of one formula is
// no focus change for the reader: the formula announces the move itself.
class QPanelAccessibility
{
public:
    // Installs the interfaces and the focus rule, once per program.
    static void install();
};

#endif

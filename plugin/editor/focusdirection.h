#ifndef FOCUSDIRECTION_H
#define FOCUSDIRECTION_H

// The direction in which the focus leaves a field: Left and Right move along
// the columns of a formula's grid, Up and Down along its rows.
enum class FocusDirection { Left = 0, Right = 1, Up = 2, Down = 3 };

#endif

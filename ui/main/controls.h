// Making the window's controls from their entries in formlayout.h: the
// objectName, the caption, the place in twips and the look.
#pragma once

#include <QRect>
#include <QString>

#include "ui/main/formlayout.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tufu {

class ClickLabel;

/// A place in twips, in pixels.
QRect pixels(const layout::Place& p);

/// A field or list at `place`, made as tall as its font needs where a face
/// with tall lines is in use, around the same middle.
QRect fitted(const QWidget* w, QRect place);

ClickLabel* makelabel(QWidget* parent, const layout::Label& l);
QPushButton* makebutton(QWidget* parent, const layout::Button& b);
/// A scale button of the hierarchy or block panel, the `index`-th of the
/// column that starts at `top`, at `left`.
QPushButton* makescalebutton(QWidget* parent, const layout::ScaleButton& b, int left, int top,
                             int index);
QLineEdit* makefield(QWidget* parent, const layout::Control& c);
QComboBox* makelist(QWidget* parent, const layout::Control& c);
/// Names and places `frame`, with a sunken border when `boxed`.
void placeframe(QFrame* frame, const layout::Control& c, bool boxed);

/// Text of a std::string_view as a QString.
QString qname(std::string_view name);

}  // namespace tufu

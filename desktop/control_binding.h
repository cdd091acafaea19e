#pragma once
// Mirrors the core's plain control state into Qt widgets. Each function sets only what
// differs, so a refresh does not move the cursor of a box the user is typing in, and
// blocks the widget's signals, so a refresh is never taken for a user action.

#include "controls/colour.h"
#include "controls/controls.h"

#include <QColor>
#include <QString>

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plumetra::qt {

inline QString q(const std::string& text) { return QString::fromStdString(text); }
// Text for the screen: line breaks of any platform become one "\n" and no other control
// character is left to show as a box (tabs become blanks).
QString readable(const std::string& text);
inline QColor toQColor(Rgb colour) { return {colour.red, colour.green, colour.blue}; }

void showButton(QPushButton* widget, const Button& button);
void showTextBox(QLineEdit* widget, const TextBox& box);
void showLabel(QLabel* widget, const Label& label);
// Items, the chosen entry, and the combo's text as a placeholder while nothing is chosen.
void showCombo(QComboBox* widget, const Combo& combo);
void showCheckBox(QCheckBox* widget, const CheckBox& box);

}  // namespace plumetra::qt

#include "desktop/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>

namespace plumetra::qt {

namespace {

// A background of its own only where the core gave one; the style's own otherwise.
QString backgroundStyle(const char* widgetClass, Rgb colour, Rgb standard) {
  if (colour == standard) return {};
  return QStringLiteral("%1 { background-color: %2; }").arg(widgetClass, toQColor(colour).name());
}

void setCommon(QWidget* widget, bool enabled, bool visible, const std::string& toolTip) {
  if (widget->isEnabled() != enabled) widget->setEnabled(enabled);
  if (widget->isVisibleTo(widget->parentWidget()) != visible) widget->setVisible(visible);
  if (widget->toolTip() != q(toolTip)) widget->setToolTip(q(toolTip));
}

void setStyle(QWidget* widget, const QString& style) {
  if (widget->styleSheet() != style) widget->setStyleSheet(style);
}

}  // namespace

QString readable(const std::string& text) {
  QString out = q(text);
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  out.replace(QLatin1Char('\t'), QLatin1Char(' '));
  out.removeIf([](QChar c) { return c != QLatin1Char('\n') && c.category() == QChar::Other_Control; });
  return out;
}

void showButton(QPushButton* widget, const Button& button) {
  const QSignalBlocker block(widget);
  if (widget->text() != q(button.caption)) widget->setText(q(button.caption));
  setCommon(widget, button.enabled, button.visible, button.toolTip);
  setStyle(widget, backgroundStyle("QPushButton", button.background, colours::ButtonFace));
}

void showTextBox(QLineEdit* widget, const TextBox& box) {
  const QSignalBlocker block(widget);
  if (widget->text() != q(box.text)) widget->setText(q(box.text));
  if (widget->placeholderText() != q(box.placeholder)) widget->setPlaceholderText(q(box.placeholder));
  setCommon(widget, box.enabled, box.visible, box.toolTip);
  setStyle(widget, backgroundStyle("QLineEdit", box.background, colours::Window));
}

void showLabel(QLabel* widget, const Label& label) {
  if (widget->text() != readable(label.caption)) widget->setText(readable(label.caption));
  if (widget->isVisibleTo(widget->parentWidget()) != label.visible) widget->setVisible(label.visible);
}

void showCombo(QComboBox* widget, const Combo& combo) {
  const QSignalBlocker block(widget);
  QStringList items;
  for (const std::string& item : combo.items) items << q(item);
  QStringList shown;
  for (int i = 0; i < widget->count(); ++i) shown << widget->itemText(i);
  if (shown != items) {
    widget->clear();
    widget->addItems(items);
  }
  if (widget->currentIndex() != combo.index) widget->setCurrentIndex(combo.index);
  if (widget->placeholderText() != q(combo.text) && combo.index < 0) widget->setPlaceholderText(q(combo.text));
  if (widget->isEnabled() != combo.enabled) widget->setEnabled(combo.enabled);
  if (widget->isVisibleTo(widget->parentWidget()) != combo.visible) widget->setVisible(combo.visible);
}

void showCheckBox(QCheckBox* widget, const CheckBox& box) {
  const QSignalBlocker block(widget);
  if (widget->text() != q(box.caption)) widget->setText(q(box.caption));
  if (widget->isChecked() != box.checked) widget->setChecked(box.checked);
  if (widget->isVisibleTo(widget->parentWidget()) != box.visible) widget->setVisible(box.visible);
}

}  // namespace plumetra::qt

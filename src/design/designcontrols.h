#pragma once

#include <QString>

#include <functional>

class QCheckBox;
class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// Small pieces the design dialogs share.
namespace design {

QCheckBox* NamedCheckBox(const char* name, const char* caption, QWidget* parent);
QPushButton* NamedButton(const char* name, const char* caption, QWidget* parent);

// Runs a nested dialog with `dialog` out of sight, and shows it again however the nested one ends;
// a failure inside is shown in an error box and the outer dialog goes on.
void RunNested(QDialog* dialog, const std::function<void()>& nested);

// The right-aligned "&Save" (default, closes with OK) and "&Cancel" row of a root design dialog.
QHBoxLayout* SaveCancelRow(QDialog* dialog, const char* saveName, const char* cancelName);

// Paints a text field in the colours a bar or box will have for the reader (colour references).
void PaintField(QLineEdit* field, quint32 background, quint32 text);

} // namespace design

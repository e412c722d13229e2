#pragma once

#include <QDialogButtonBox>

class QDialog;

namespace shell {

// The "&OK" (default) and "&Cancel" row of a dialog, with the given object names, wired to the
// dialog's accept() and reject() (so a dialog's own checks in accept() run).
QDialogButtonBox* OkCancelButtons(QDialog* dialog, const char* okName, const char* cancelName);

} // namespace shell

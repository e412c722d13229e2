#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>

class QLineEdit;

namespace design {

// The captions of the reader's Close, About and Help menu items, with "&Defaults" to bring back
// every caption of the reader.
class TChangeTextForm : public QDialog
{
    Q_OBJECT
public:
    explicit TChangeTextForm(const storage::ViewerCaptions& captions, QWidget* parent = nullptr);

    // The working captions with the three fields stored (each cut to 16 characters).
    storage::ViewerCaptions captions() const;

private:
    void fillFields();

    storage::ViewerCaptions m_captions;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
};

// Shows the dialog on the captions of the slice; on OK the slice takes them (defaults included when
// "&Defaults" was pressed) and the result is true. Cancel changes nothing.
bool EditMenuButtonCaptions(storage::PresentationBlock& block, QWidget* parent = nullptr);

} // namespace design

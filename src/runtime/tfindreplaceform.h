#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace runtime {

// The small find or replace box of the notes editor and the tutorial viewer: a search text, in
// replace mode a replacement, and no case, whole-word or direction options (the window that opens
// it decides those). It stays open beside its window and reports each button as a signal.
class TFindReplaceForm : public QDialog
{
    Q_OBJECT
public:
    enum class Mode
    {
        Find,
        Replace
    };

    TFindReplaceForm(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }
    QString findText() const;
    void setFindText(const QString& text);
    QString replaceText() const;

Q_SIGNALS:
    void findNext(const QString& what);
    void replace(const QString& what, const QString& with, bool all);

private:
    void createControls();
    void createLayout();
    void updateButtons();

    Mode m_mode;
    QLabel* FindLbl = nullptr;
    QLineEdit* FindEdit = nullptr;
    QLabel* ReplaceLbl = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    QPushButton* FindNextBtn = nullptr;
    QPushButton* ReplaceBtn = nullptr;
    QPushButton* ReplaceAllBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace runtime

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

    // Shows the box in front of its window, ready for typing.
    void showInFront();

    // The find or replace box `box` of the window `owner`, made on first use with its searches
    // going to `onFind` (and, in replace mode, its replacements to `onReplace`). The box stays until
    // its window goes, so it keeps what was typed into it between openings.
    template <typename Owner>
    static TFindReplaceForm& Of(TFindReplaceForm*& box, Mode mode, Owner* owner,
                                void (Owner::*onFind)(const QString&),
                                void (Owner::*onReplace)(const QString&, const QString&, bool) = nullptr)
    {
        if (!box) {
            box = new TFindReplaceForm(mode, owner);
            connect(box, &TFindReplaceForm::findNext, owner, onFind);
            if (onReplace)
                connect(box, &TFindReplaceForm::replace, owner, onReplace);
        }
        return *box;
    }

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

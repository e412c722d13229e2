#pragma once

#include <QDialog>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;

namespace runtime {

class TFindReplaceForm;

// The notes editor: a plain-text editor that a notes Topic opens on a named file, so the reader
// can keep notes beside a Study List. It owns its file name and the memo's modified flag; nothing
// of it outlives the window. Every question and file box goes through platform::dialogs().
class THNotesForm : public QDialog
{
    Q_OBJECT
public:
    // At a `scale` other than 1 the window and its fonts grow with the reader's design.
    explicit THNotesForm(QWidget* parent = nullptr, double scale = 1.0);
    ~THNotesForm() override;

    // Starts on the file at `path`, captioned with `shownName` as the Study List names it. A file
    // that does not exist yet gives an empty memo that is saved under that path; one that cannot
    // be read is reported and the editor starts untitled.
    void startOn(const QString& shownName, const QString& path);

    // The current file (empty while untitled).
    const QString& fileName() const { return m_fileName; }
    QPlainTextEdit* memo() const { return Memo1; }

    // Prints the memo's lines as plain text in the memo's font, wrapping lines wider than the page.
    // Throws shell::Error when the printer cannot be started.
    void printTo(QPrinter& printer);

    // The question asked before New, Open and close while the memo is modified.
    static QString ChangedQuestion(const QString& fileName);

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActions();
    void createControls();
    void createLayout();

    // True when the command may go on: nothing to save, saved, or the user chose No.
    bool FormCloseQuery();
    void New1Click();
    void Open1Click();
    bool Save1Click();
    bool SaveAs1Click();
    void Print1Click();
    void PrintSetup1Click();
    void Edit1Popup();
    void Find3Click();
    void Replace2Click();
    void FindDialogFind(const QString& what);
    void ReplaceDialogReplace(const QString& what, const QString& with, bool all);

    bool saveTo(const QString& path);
    void setCaptionName(const QString& name);
    QString dialogDirectory() const;
    QPrinter& printer();

    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintSetup1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Find3 = nullptr;
    QAction* Replace2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    TFindReplaceForm* FindDialog1 = nullptr;
    TFindReplaceForm* ReplaceDialog1 = nullptr;
    std::unique_ptr<QPrinter> m_printer;

    QString m_fileName;
    QString m_directory;
    bool m_crlf = false;
    bool m_windows1252 = false;
};

// Opens the notes editor on a notes file named by a Study List (the name is looked up in
// `directory` without regard to letter case) and returns when the editor closes.
void OpenNotesEditor(const QString& fileName, const QString& directory, QWidget* parent = nullptr,
                     double scale = 1.0);

} // namespace runtime

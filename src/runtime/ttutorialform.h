#pragma once

#include <QDialog>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QPrinter;
class QTextEdit;

namespace runtime {

class TFindReplaceForm;

// The tutorial viewer: the program's tutorial document, read-only, with find and print.
class TTutorialForm : public QDialog
{
    Q_OBJECT
public:
    explicit TTutorialForm(QWidget* parent = nullptr);
    ~TTutorialForm() override;

    // Loads the file and captions the window with its path. A file that cannot be read is
    // reported through shell::Error.
    void load(const QString& path);

    QTextEdit* richEdit() const { return RichEdit1; }
    // The text the find box will search for (the previous search, or the selection taken by Find).
    const QString& searchText() const { return m_searchText; }

    // Prints the document with the file path as the document's title.
    void printTo(QPrinter& printer);

    // One search from the end of the selection to the end of the text, without regard to case;
    // selects the match, or beeps when there is none.
    void findNext(const QString& what);

private:
    void createActions();
    void createControls();
    void createLayout();

    void MFindClick();
    void MPrintPrintClick();
    void MPrintSetupClick();
    QPrinter& printer();

    QMenuBar* MainMenu1 = nullptr;
    QAction* MQuit = nullptr;
    QAction* MFind = nullptr;
    QMenu* MPrint = nullptr;
    QAction* MPrintPrint = nullptr;
    QAction* MPrintSetup = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    TFindReplaceForm* FindDialog1 = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QString m_path;
    QString m_searchText;
};

// Shows the tutorial file in the viewer and returns when the viewer closes. A file that cannot be
// read is reported in an error box.
void ShowTutorial(const QString& path, QWidget* parent = nullptr);

} // namespace runtime

#pragma once

#include "storage/settingsrecord.h"

#include <QObject>
#include <QStringList>

class QAction;
class QColor;
class QFrame;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTextDocument;
class QTextEdit;
class QWidget;

namespace runtime {

// Puts a page's stored text (its rich-text lines) into a read-only text view, replacing what it
// held, and scrolls to the top. Every page window loads its text through here, so the way the
// lines are read is decided in one place.
void LoadPageText(QTextEdit* edit, const QStringList& lines);

// The text window of a page: a sunken panel around a read-only, frameless text view
// ("RichEdit1"). The page windows build it here, so their text windows look alike.
struct PageTextWindow
{
    QFrame* panel = nullptr;
    QTextEdit* edit = nullptr;
};

// Makes the panel, named `panelName`, on `parent` with the view laid out inside it.
PageTextWindow MakePageTextWindow(QWidget* parent, const QString& panelName);

// Paints the panel and its view in the page's text window colour.
void SetTextWindowColor(const PageTextWindow& window, const QColor& color);

// Marks every occurrence of the words (folded as SearchWords gives them) in the view and scrolls
// to the first one; no words take the marks away.
void MarkWords(QTextEdit* edit, const QStringList& words);

// Multiplies every font size of the document by `factor` (text without a size of its own counts
// at the document's default size).
void ScaleTextSize(QTextDocument* document, double factor);

// The reader's tools of a page window, over its text window: Find (a bar in the text window;
// Enter goes to the next hit, wrapping at the end, and the hit is marked), Print (the system's
// print dialog: a printer or a PDF file), and the page text size (Ctrl+plus, Ctrl+minus). The
// window owns the tools; its actions carry the stored captions.
class PageTools : public QObject
{
    Q_OBJECT
public:
    PageTools(const PageTextWindow& text, const storage::ViewerCaptions& captions, const QString& title,
              QWidget* window);

    QAction* findAction() const { return m_find; }
    QAction* printAction() const { return m_print; }

    // Marks the words in the page; kept when the text is loaded again.
    void setMarkedWords(const QStringList& words);
    // To be called after the page text was (re)loaded: the size and the marks come back.
    void textLoaded();

    // Shows the find bar with the focus in it.
    void showFind();
    // The next hit of `what` after the cursor, from the top when there is none below; false
    // when the page does not hold it at all. Letter case and accents are ignored.
    bool findNext(const QString& what);
    // Asks the print dialog and prints the page on what it returns.
    void print();
    // The page as the print dialog would print it, on a printer already set up.
    void printOn(QPrinter& printer) const;
    // Steps of 10% of the designed size, from half the size to three times it.
    void zoom(int steps);
    double zoomFactor() const { return m_zoom; }
    // The factor the window draws its design at; the text grows with it, on top of the zoom.
    void setDesignScale(double scale);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyMarks();

    PageTextWindow m_text;
    QString m_title;
    QWidget* m_window;
    QAction* m_find = nullptr;
    QAction* m_print = nullptr;
    QFrame* m_findBar = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QPushButton* m_findNext = nullptr;
    QStringList m_marked;
    QString m_lastFound;
    double m_zoom = 1.0;
    double m_scale = 1.0;
};

} // namespace runtime

#pragma once

#include <QStringList>

class QColor;
class QFrame;
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

} // namespace runtime

#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>
#include <QStringList>
#include <QTextCharFormat>
#include <functional>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTextEdit;

namespace shell {
struct AppState;
}

namespace authoring {

class ColorSwatchBox;

// What the editor's "&View" does: shows the page being edited as the reader will see it, mode 1
// in the text page window and mode 2 in the page display on its designed screen. The caller
// supplies it (the page windows belong to the presentation runtime); without one "&View" stays
// disabled.
using PageViewer =
    std::function<void(int mode, const storage::TopicDisplayRecord& record, const QStringList& pageText)>;

// The page editor: the rich text of a " Text Only" page (mode 1) or a " Graphic and Text" page
// (mode 2), with the font, size, colour, bold and italic of the selection, the text window's
// background colour and plain or RTF import. It works on copies: record() and pageText() give the
// result, and the caller decides what to keep.
class THypEntryForm : public QDialog
{
    Q_OBJECT
public:
    static const QStringList& SizeNames();
    static const QStringList& ColorNames();

    // `state` gives the Study List directory and the design origin for the layout designers; without
    // it the current directory and the origin of a main window filling the screen are used.
    THypEntryForm(const storage::TopicDisplayRecord& record, const QStringList& pageText, int mode,
                  QWidget* parent = nullptr, PageViewer viewer = {}, const shell::AppState* state = nullptr);

    // The working record: the text window colour follows the background chosen here.
    const storage::TopicDisplayRecord& record() const { return m_record; }
    // The page as RTF lines; empty when the page holds no text.
    QStringList pageText() const;
    bool hasText() const;

    // Operations behind the controls, public so tests can drive them without clicking.
    void applyBold(bool on);
    void applyItalic(bool on);
    void applyFontName(const QString& name);
    void applySize(const QString& sizeText);
    void applyColor(int index);
    void chooseBackground();
    void importFile();
    void importTextOrRtf(const QString& path);
    void selectAllText();
    void clearAllText();
    void showSelectionAttributes();
    // "&View": hands the working record and the text as RTF lines to the viewer, with this editor
    // out of sight meanwhile; the focus goes back to the text.
    virtual void viewPage();
    // "&Adjust Text Window" (mode 1) or "&Design Display Screen" (mode 2).
    virtual void designLayout();

protected:
    // For editors of other rich texts built on this one (the introduction editor).
    QPushButton* layoutButton() const { return AdjustBtn; }
    QPushButton* viewButton() const { return ViewBtn; }
    QTextEdit* textEdit() const { return RichEdit1; }
    // Takes a record changed elsewhere (a designer), with its text window colour.
    void replaceRecord(const storage::TopicDisplayRecord& record);
    void setImportRequest(const QString& title, const QString& filter);

private:
    void createControls();
    void createLayout();
    void mergeFormat(const QTextCharFormat& format, bool waitCursor);
    void setBackground(const QColor& color);

    storage::TopicDisplayRecord m_record;
    int m_mode;
    PageViewer m_viewer;
    QString m_directory;
    QPoint m_designOrigin;
    bool m_showing = false; // attributes are being displayed: control changes are not edits
    QString m_importTitle;
    QString m_importFilter;

    QGroupBox* GroupBox1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    ColorSwatchBox* ComboBox3 = nullptr;
    QPushButton* BtnB = nullptr;
    QPushButton* BtnI = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* ImportBtn = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* AdjustBtn = nullptr;
    QPushButton* ViewBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QTextEdit* RichEdit1 = nullptr;
};

// Shows the page editor. On "&OK" the record takes the working record and, when the page holds
// text, the page text takes its RTF lines (an emptied page leaves the old text); returns true.
// "&Cancel" changes nothing and returns false. With a `state`, the text is kept as a draft of the
// Topic `topicName` in the list's .history/ while the editor is open (see shell/draft.h).
bool EditPage(storage::TopicDisplayRecord& record, QStringList& pageText, int mode, QWidget* parent = nullptr,
              PageViewer viewer = {}, const shell::AppState* state = nullptr,
              const QString& topicName = QString());

} // namespace authoring

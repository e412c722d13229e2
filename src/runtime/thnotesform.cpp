#include "runtime/thnotesform.h"

#include "platform/dialogs.h"
#include "runtime/designscale.h"
#include "runtime/notesfile.h"
#include "runtime/pagegeometry.h"
#include "runtime/textsearch.h"
#include "runtime/tfindreplaceform.h"
#include "shell/draft.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/utilities.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextLayout>
#include <QVBoxLayout>

namespace runtime {

namespace {

const QString kFilter = QStringLiteral("Text Files|*.TXT|All Files|*.*");
const QString kCaptionPrefix = QStringLiteral("Current File : ");

// The memo's text as typed. toPlainText() would turn non-breaking spaces into plain blanks, which
// would change a file that is only opened and saved; the raw text keeps them and marks line
// breaks with the paragraph separator.
QString MemoText(const QPlainTextEdit& memo)
{
    QString text = memo.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void PrintPlainText(QPrinter& printer, const QString& text, const QFont& font)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw shell::Error(QStringLiteral("The printer could not be started."));
    const QFont printFont(font, painter.device());
    painter.setFont(printFont);
    const QFontMetricsF metrics(printFont, painter.device());
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
    const qreal lineHeight = metrics.lineSpacing();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    qreal y = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        QTextLayout layout(line, printFont, painter.device());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine textLine = layout.createLine(); textLine.isValid(); textLine = layout.createLine())
            textLine.setLineWidth(page.width());
        layout.endLayout();
        // A long line wraps; its pieces may fall on two pages, so each piece is placed on its own.
        const int pieces = std::max(1, layout.lineCount());
        for (int i = 0; i < pieces; ++i) {
            if (y > 0 && y + lineHeight > page.height()) {
                printer.newPage();
                y = 0;
            }
            if (i < layout.lineCount()) {
                QTextLine textLine = layout.lineAt(i);
                textLine.setPosition(QPointF(0, 0));
                textLine.draw(&painter, QPointF(0, y));
            }
            y += lineHeight;
        }
    }
    painter.end();
}

} // namespace

THNotesForm::THNotesForm(QWidget* parent, double scale) : QDialog(parent)
{
    setObjectName(QStringLiteral("HNotesForm"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    createControls();
    createActions();
    createLayout();
    ScaleWindowFont(this, scale);
    resize(ScaledSize(QSize(435, 300), scale));
    // Placed by the program: a window manager would put it where it likes.
    CentreOnScreen(this);
    m_directory = QDir::currentPath();
    setCaptionName(QStringLiteral("Untitled"));
}

THNotesForm::~THNotesForm() = default;

QString THNotesForm::ChangedQuestion(const QString& fileName)
{
    const QString name = fileName.isEmpty() ? QStringLiteral("Untitled") : shell::FileNameOf(fileName);
    return QStringLiteral("File ") + name + QStringLiteral(" has changed. Save Now?");
}

void THNotesForm::createControls()
{
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Notes"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void THNotesForm::createActions()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    Edit1 = MainMenu1->addMenu(QStringLiteral("&Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));

    const auto make = [this](QMenu* menu, const char* name, const QString& caption,
                             const QKeySequence& keys) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        // The actions live on the window too, so their keys work while the menu is closed. The
        // memo claims the clipboard keys for itself, which does the same thing.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };
    New1 = make(File1, "New1", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    Open1 = make(File1, "Open1", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1 = make(File1, "Save1", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = make(File1, "SaveAs1", QStringLiteral("Save &As..."), QKeySequence());
    File1->addSeparator();
    Print1 = make(File1, "Print1", QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    PrintSetup1 = make(File1, "PrintSetup1", QStringLiteral("Prin&t Setup..."), QKeySequence());
    File1->addSeparator();
    Exit1 = make(File1, "Exit1", QStringLiteral("E&xit"), QKeySequence());
    Cut1 = make(Edit1, "Cut1", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    Copy1 = make(Edit1, "Copy1", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = make(Edit1, "Paste1", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    Edit1->addSeparator();
    Find3 = make(Edit1, "Find3", QStringLiteral("&Find..."), QKeySequence());
    Replace2 = make(Edit1, "Replace2", QStringLiteral("R&eplace..."), QKeySequence());

    connect(New1, &QAction::triggered, this, &THNotesForm::New1Click);
    connect(Open1, &QAction::triggered, this, &THNotesForm::Open1Click);
    connect(Save1, &QAction::triggered, this, &THNotesForm::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &THNotesForm::SaveAs1Click);
    connect(Print1, &QAction::triggered, this, &THNotesForm::Print1Click);
    connect(PrintSetup1, &QAction::triggered, this, &THNotesForm::PrintSetup1Click);
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(Cut1, &QAction::triggered, Memo1, &QPlainTextEdit::cut);
    connect(Copy1, &QAction::triggered, Memo1, &QPlainTextEdit::copy);
    connect(Paste1, &QAction::triggered, Memo1, &QPlainTextEdit::paste);
    connect(Find3, &QAction::triggered, this, &THNotesForm::Find3Click);
    connect(Replace2, &QAction::triggered, this, &THNotesForm::Replace2Click);
    connect(Edit1, &QMenu::aboutToShow, this, &THNotesForm::Edit1Popup);
}

void THNotesForm::createLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(Memo1);
}

void THNotesForm::setCaptionName(const QString& name)
{
    setWindowTitle(kCaptionPrefix + name);
}

QString THNotesForm::dialogDirectory() const
{
    return m_fileName.isEmpty() ? m_directory : QFileInfo(m_fileName).absolutePath();
}

void THNotesForm::startOn(const QString& shownName, const QString& path)
{
    Memo1->clear();
    m_fileName.clear();
    m_crlf = false;
    m_windows1252 = false;
    if (path.isEmpty()) {
        setCaptionName(QStringLiteral("Untitled"));
        return;
    }
    m_directory = QFileInfo(path).absolutePath();
    if (QFileInfo(path).isFile()) {
        try {
            const NotesText notes = ReadNotesFile(path);
            Memo1->setPlainText(notes.text);
            m_crlf = notes.crlf;
            m_windows1252 = notes.windows1252;
        } catch (const shell::Error& error) {
            shell::ShowError(error.message());
            Memo1->clear();
            Memo1->document()->setModified(false);
            setCaptionName(QStringLiteral("Untitled"));
            return;
        }
    }
    Memo1->document()->setModified(false);
    m_fileName = path;
    setCaptionName(shownName);
}

bool THNotesForm::FormCloseQuery()
{
    if (!Memo1->document()->isModified())
        return true;
    switch (platform::dialogs().askYesNoCancel(ChangedQuestion(m_fileName))) {
    case platform::Answer::Yes:
        return Save1Click();
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        break;
    }
    return false;
}

void THNotesForm::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

void THNotesForm::keyPressEvent(QKeyEvent* event)
{
    // An editor should not close on a stray Esc; closing goes through Exit or the window frame.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void THNotesForm::New1Click()
{
    if (!FormCloseQuery())
        return;
    Memo1->clear();
    Memo1->document()->setModified(false);
    m_fileName.clear();
    m_crlf = false;
    m_windows1252 = false;
    setCaptionName(QStringLiteral("Untitled"));
}

void THNotesForm::Open1Click()
{
    if (!FormCloseQuery())
        return;
    platform::FileRequest request;
    request.title = QStringLiteral("Open Text File");
    request.filter = kFilter;
    request.defaultSuffix = QStringLiteral("TXT");
    // The box opens in the current file's folder but forgets the last name chosen.
    request.directory = dialogDirectory();
    request.mustExist = true;
    const QString path = platform::dialogs().openFileName(request);
    if (path.isEmpty())
        return;
    try {
        const NotesText notes = ReadNotesFile(path);
        Memo1->setPlainText(notes.text);
        Memo1->document()->setModified(false);
        m_crlf = notes.crlf;
        m_windows1252 = notes.windows1252;
        m_fileName = path;
        setCaptionName(shell::FileNameOf(path));
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
    }
}

bool THNotesForm::saveTo(const QString& path)
{
    try {
        WriteNotesFile(path, NotesText{MemoText(*Memo1), m_crlf, m_windows1252});
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
        return false;
    }
    Memo1->document()->setModified(false);
    return true;
}

bool THNotesForm::Save1Click()
{
    if (m_fileName.isEmpty())
        return SaveAs1Click();
    return saveTo(m_fileName);
}

bool THNotesForm::SaveAs1Click()
{
    platform::FileRequest request;
    request.title = QStringLiteral("Save Text File");
    request.filter = kFilter;
    request.defaultSuffix = QStringLiteral("TXT");
    request.directory = m_fileName.isEmpty() ? m_directory : m_fileName;
    request.mustExist = false;
    request.confirmOverwrite = true;
    const QString path = platform::dialogs().saveFileName(request);
    if (path.isEmpty() || !saveTo(path))
        return false;
    m_fileName = path;
    setCaptionName(shell::FileNameOf(path));
    return true;
}

QPrinter& THNotesForm::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Lines are printed from the edge of the printable area; a margin of its own keeps them
        // off the edge of the paper until the reader chooses others in the printer setup.
        m_printer->setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    }
    return *m_printer;
}

void THNotesForm::printTo(QPrinter& target)
{
    if (!m_fileName.isEmpty())
        target.setDocName(shell::FileNameOf(m_fileName));
    PrintPlainText(target, MemoText(*Memo1), Memo1->font());
}

void THNotesForm::Print1Click()
{
    QPrintDialog dialog(&printer(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        printTo(printer());
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
    }
}

void THNotesForm::PrintSetup1Click()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void THNotesForm::Edit1Popup()
{
    const bool selected = Memo1->textCursor().hasSelection();
    Cut1->setEnabled(selected);
    Copy1->setEnabled(selected);
    const QClipboard* clipboard = QGuiApplication::clipboard();
    Paste1->setEnabled(clipboard && !clipboard->text().isEmpty());
}

void THNotesForm::Find3Click()
{
    TFindReplaceForm::Of(FindDialog1, TFindReplaceForm::Mode::Find, this, &THNotesForm::FindDialogFind)
        .showInFront();
}

void THNotesForm::Replace2Click()
{
    TFindReplaceForm::Of(ReplaceDialog1, TFindReplaceForm::Mode::Replace, this, &THNotesForm::FindDialogFind,
                         &THNotesForm::ReplaceDialogReplace)
        .showInFront();
}

void THNotesForm::FindDialogFind(const QString& what)
{
    QTextCursor cursor = Memo1->textCursor();
    if (FindNext(*Memo1->document(), cursor, what, Qt::CaseSensitive))
        Memo1->setTextCursor(cursor);
    else
        platform::dialogs().beep();
    Memo1->setFocus();
}

void THNotesForm::ReplaceDialogReplace(const QString& what, const QString& with, bool all)
{
    QTextCursor cursor = Memo1->textCursor();
    if (ReplaceText(*Memo1->document(), cursor, what, with, all) > 0)
        Memo1->setTextCursor(cursor);
    else
        platform::dialogs().beep();
    Memo1->setFocus();
}

void OpenNotesEditor(const QString& fileName, const QString& directory, QWidget* parent, double scale)
{
    THNotesForm form(parent, scale);
    const QString trimmed = fileName.trimmed();
    form.startOn(trimmed, trimmed.isEmpty() ? QString() : shell::ResolveName(directory, trimmed));
    new shell::DraftKeeper(&form, directory, QStringLiteral("notes"), [&form] { return form.fileName(); },
                           [&form] { return form.memo()->toPlainText(); });
    form.exec();
}

} // namespace runtime

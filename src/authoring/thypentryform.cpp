#include "authoring/thypentryform.h"

#include "authoring/colorswatchbox.h"
#include "design/thyptextadjform.h"
#include "design/tvpdesignbackform.h"
#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "platform/fonts.h"
#include "platform/rtf/importdocument.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"
#include "runtime/pagegeometry.h"
#include "shell/appstate.h"
#include "shell/colorref.h"
#include "shell/draft.h"
#include "shell/error.h"
#include "shell/operationframe.h"
#include "shell/textcodec.h"
#include "shell/utilities.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <QVBoxLayout>
#include <optional>

namespace authoring {

namespace {

constexpr int kHelpPage = 510;
constexpr int kHelpScreenPage = 550;
constexpr int kHelpImport = 885;
constexpr int kHelpImportBox = 520;
// Files larger than this are not imported into a page.
constexpr qint64 kMaxImportBytes = 64 * 1024 * 1024;

// The hourglass for as long as the guard lives, restored on every exit.
class WaitCursor
{
public:
    explicit WaitCursor(bool on) : m_on(on)
    {
        if (m_on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_on)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_on;
};

// One attribute over a selection: its value when it is the same everywhere.
template <typename T> class Uniform
{
public:
    void add(const T& value)
    {
        if (!m_seen) {
            m_value = value;
            m_seen = true;
        } else if (m_value && *m_value != value) {
            m_value.reset();
        }
    }
    std::optional<T> value() const { return m_seen ? m_value : std::nullopt; }

private:
    bool m_seen = false;
    std::optional<T> m_value;
};

} // namespace

const QStringList& THypEntryForm::SizeNames()
{
    return platform::FontSizeNames();
}

const QStringList& THypEntryForm::ColorNames()
{
    static const QStringList names{
        QStringLiteral("clWindowText"), QStringLiteral("clBlack"), QStringLiteral("clMaroon"),
        QStringLiteral("clGreen"),      QStringLiteral("clOlive"), QStringLiteral("clNavy"),
        QStringLiteral("clPurple"),     QStringLiteral("clTeal"),  QStringLiteral("clGray"),
        QStringLiteral("clSilver"),     QStringLiteral("clRed"),   QStringLiteral("clLime"),
        QStringLiteral("clYellow"),     QStringLiteral("clBlue"),  QStringLiteral("clFuchsia"),
        QStringLiteral("clAqua"),       QStringLiteral("clWhite")};
    return names;
}

THypEntryForm::THypEntryForm(const storage::TopicDisplayRecord& record, const QStringList& pageText, int mode,
                             QWidget* parent, PageViewer viewer, const shell::AppState* state)
    : QDialog(parent), m_record(record), m_mode(mode == 2 ? 2 : 1), m_viewer(std::move(viewer)),
      m_importFilter(QStringLiteral("Text and RTF Files|*.TXT;*.RTF|") + platform::rtf::ImportDocumentFilterLine())
{
    if (state) {
        m_directory = state->WorkingDirectory;
        m_designOrigin = state->DesignOrigin;
    } else {
        m_directory = QDir::currentPath();
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            m_designOrigin = runtime::DesignOrigin(screen->availableGeometry().size());
    }
    setObjectName(QStringLiteral("THypEntryForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, m_mode == 2 ? kHelpScreenPage : kHelpPage);
    createControls();
    createLayout();

    setBackground(shell::ColorRefToQColor(m_record.TextWindowColor));
    platform::rtf::LoadRtfLines(pageText, RichEdit1->document());
    if (RichEdit1->document()->isEmpty())
        RichEdit1->setCurrentCharFormat(platform::rtf::DefaultPageCharFormat());
    RichEdit1->moveCursor(QTextCursor::Start);
    RichEdit1->document()->setModified(false);
    showSelectionAttributes();
    RichEdit1->setFocus();
}

void THypEntryForm::createControls()
{
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };

    GroupBox1 = new QGroupBox(QStringLiteral(" Text Font "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(platform::ScreenFontNames());
    ComboBox1->setMinimumWidth(190);
    ComboBox1->setMaxVisibleItems(16);
    ComboBox2 = new QComboBox(GroupBox1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->addItems(SizeNames());
    ComboBox2->setMinimumWidth(64);
    ComboBox3 = new ColorSwatchBox(GroupBox1);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->setColorNames(ColorNames());
    BtnB = new QPushButton(QStringLiteral("B"), GroupBox1);
    BtnB->setObjectName(QStringLiteral("BtnB"));
    BtnB->setCheckable(true);
    QFont boldFont = BtnB->font();
    boldFont.setBold(true);
    BtnB->setFont(boldFont);
    BtnI = new QPushButton(QStringLiteral("I"), GroupBox1);
    BtnI->setObjectName(QStringLiteral("BtnI"));
    BtnI->setCheckable(true);
    QFont italicFont = BtnI->font();
    italicFont.setItalic(true);
    BtnI->setFont(italicFont);
    for (QPushButton* style : {BtnB, BtnI}) {
        style->setFixedWidth(32);
        style->setFocusPolicy(Qt::NoFocus);
    }

    GroupBox2 = new QGroupBox(QStringLiteral("Background"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    Button3 = new QPushButton(QStringLiteral("Color"), GroupBox2);
    Button3->setObjectName(QStringLiteral("Button3"));

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAcceptRichText(false); // pasted text takes the current format, as in the page's control
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setMinimumSize(560, 300);

    ImportBtn = button("ImportBtn", QStringLiteral("&Import File"));
    platform::SetHelpContext(ImportBtn, kHelpImport);
    Button1 = button("Button1", QStringLiteral("&Select All Text"));
    Button2 = button("Button2", QStringLiteral("Clear All &Text"));
    AdjustBtn = button("AdjustBtn", m_mode == 2 ? QStringLiteral("&Design Display Screen")
                                                : QStringLiteral("&Adjust Text Window"));
    ViewBtn = button("ViewBtn", QStringLiteral("&View"));
    ViewBtn->setEnabled(bool(m_viewer));
    ViewBtn->setToolTip(QStringLiteral("Shows this page as readers will see it, in the page display window"));
    OKBtn = button("OKBtn", QStringLiteral("&OK"));
    OKBtn->setDefault(true);
    CancelBtn = button("CancelBtn", QStringLiteral("&Cancel"));

    connect(BtnB, &QPushButton::clicked, this, &THypEntryForm::applyBold);
    connect(BtnI, &QPushButton::clicked, this, &THypEntryForm::applyItalic);
    connect(ComboBox1, &QComboBox::textActivated, this, &THypEntryForm::applyFontName);
    connect(ComboBox2, &QComboBox::textActivated, this, &THypEntryForm::applySize);
    connect(ComboBox2->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { applySize(ComboBox2->currentText()); });
    connect(ComboBox3, &QComboBox::activated, this, &THypEntryForm::applyColor);
    connect(Button3, &QPushButton::clicked, this, &THypEntryForm::chooseBackground);
    connect(ImportBtn, &QPushButton::clicked, this, [this] {
        try {
            importFile();
        } catch (const shell::Error& error) {
            shell::ShowError(error.message());
        }
    });
    connect(AdjustBtn, &QPushButton::clicked, this, &THypEntryForm::designLayout);
    connect(Button1, &QPushButton::clicked, this, &THypEntryForm::selectAllText);
    connect(Button2, &QPushButton::clicked, this, &THypEntryForm::clearAllText);
    connect(ViewBtn, &QPushButton::clicked, this, &THypEntryForm::viewPage);
    connect(OKBtn, &QPushButton::clicked, this, &THypEntryForm::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &THypEntryForm::reject);
    connect(RichEdit1, &QTextEdit::cursorPositionChanged, this, &THypEntryForm::showSelectionAttributes);
    connect(RichEdit1, &QTextEdit::selectionChanged, this, &THypEntryForm::showSelectionAttributes);
    connect(RichEdit1, &QTextEdit::currentCharFormatChanged, this, &THypEntryForm::showSelectionAttributes);
}

void THypEntryForm::createLayout()
{
    auto* fontGrid = new QGridLayout(GroupBox1);
    const QStringList captions{QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Color"),
                               QStringLiteral("Style")};
    QList<QWidget*> buddies{ComboBox1, ComboBox2, ComboBox3, nullptr};
    for (int i = 0; i < captions.size(); ++i) {
        auto* label = new QLabel(captions[i], GroupBox1);
        if (buddies[i])
            label->setBuddy(buddies[i]);
        fontGrid->addWidget(label, 0, i);
    }
    fontGrid->addWidget(ComboBox1, 1, 0);
    fontGrid->addWidget(ComboBox2, 1, 1);
    fontGrid->addWidget(ComboBox3, 1, 2);
    auto* styles = new QHBoxLayout;
    styles->setSpacing(2);
    styles->addWidget(BtnB);
    styles->addWidget(BtnI);
    fontGrid->addLayout(styles, 1, 3);

    auto* backgroundLayout = new QVBoxLayout(GroupBox2);
    backgroundLayout->addStretch();
    backgroundLayout->addWidget(Button3);

    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox1, 1);
    top->addWidget(GroupBox2);

    auto* actions = new QHBoxLayout;
    actions->addWidget(ImportBtn);
    actions->addWidget(Button1);
    actions->addWidget(Button2);
    actions->addSpacing(12);
    actions->addWidget(AdjustBtn);
    actions->addWidget(ViewBtn);
    actions->addStretch();
    actions->addWidget(OKBtn);
    actions->addWidget(CancelBtn);

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(RichEdit1, 1);
    main->addLayout(actions);
}

QStringList THypEntryForm::pageText() const
{
    if (!hasText())
        return {};
    return platform::rtf::RtfLines(*RichEdit1->document());
}

bool THypEntryForm::hasText() const
{
    return !RichEdit1->document()->isEmpty();
}

void THypEntryForm::mergeFormat(const QTextCharFormat& format, bool waitCursor)
{
    {
        WaitCursor wait(waitCursor);
        RichEdit1->mergeCurrentCharFormat(format);
    }
    RichEdit1->setFocus();
    showSelectionAttributes();
}

void THypEntryForm::applyBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(format, false);
}

void THypEntryForm::applyItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    mergeFormat(format, false);
}

void THypEntryForm::applyFontName(const QString& name)
{
    if (name.isEmpty())
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    mergeFormat(format, true);
}

void THypEntryForm::applySize(const QString& sizeText)
{
    bool ok = false;
    double size = sizeText.trimmed().toDouble(&ok);
    if (!ok || size <= 0 || size > 1638)
        size = 10;
    QTextCharFormat format;
    format.setFontPointSize(size);
    mergeFormat(format, true);
}

void THypEntryForm::applyColor(int index)
{
    const auto ref = ComboBox3->colorRefAt(index);
    if (!ref)
        return;
    QTextCharFormat format;
    format.setForeground(shell::ColorRefToQColor(*ref));
    mergeFormat(format, true);
}

void THypEntryForm::setBackground(const QColor& color)
{
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, color);
    RichEdit1->setPalette(palette);
}

void THypEntryForm::replaceRecord(const storage::TopicDisplayRecord& record)
{
    m_record = record;
    setBackground(shell::ColorRefToQColor(m_record.TextWindowColor));
}

void THypEntryForm::setImportRequest(const QString& title, const QString& filter)
{
    m_importTitle = title;
    m_importFilter = filter;
}

void THypEntryForm::chooseBackground()
{
    // A cancelled box leaves the record alone: the control shows a system colour such as clWindow
    // as RGB, and writing that back would lose the link to the desktop's colours.
    if (const auto chosen = platform::dialogs().chooseColor(RichEdit1->palette().color(QPalette::Base))) {
        setBackground(*chosen);
        m_record.TextWindowColor = shell::QColorToColorRef(*chosen);
    }
    RichEdit1->setFocus();
}

// Plain text takes the format of the text at the cursor, as typed text would.
void THypEntryForm::importTextOrRtf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("read"), path, file.errorString());
    if (file.size() > kMaxImportBytes)
        shell::ThrowFileError(QStringLiteral("read"), path, QStringLiteral("The file is too large."));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        shell::ThrowFileError(QStringLiteral("read"), path, file.errorString());

    QTextDocument* document = RichEdit1->document();
    if (!platform::rtf::LooksLikeRtf(bytes) || !platform::rtf::ReadRtf(bytes, document)) {
        QString text = shell::DecodeText(bytes);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const QTextCharFormat format = RichEdit1->currentCharFormat();
        document->clear();
        QTextCursor cursor(document);
        cursor.setBlockCharFormat(format);
        cursor.insertText(text, format);
    }
}

void THypEntryForm::importFile()
{
    platform::FileRequest request;
    request.title = m_importTitle;
    request.filter = m_importFilter;
    // The box starts where the list's files are, not in the program folder.
    request.directory = m_directory;
    request.helpContext = kHelpImportBox;
    request.mustExist = true;
    const QString path = platform::dialogs().openFileName(request);
    if (path.isEmpty())
        return;
    WaitCursor wait(true);
    QTextDocument* document = RichEdit1->document();
    const QString suffix = QFileInfo(path).suffix().toUpper();
    if (suffix == QLatin1String("TXT") || suffix == QLatin1String("RTF") || suffix.isEmpty()) {
        importTextOrRtf(path);
    } else {
        // Read aside first, so a document that cannot be read leaves the page as it was.
        QTextDocument imported;
        const QString reason = platform::rtf::ImportDocument(path, &imported);
        if (!reason.isEmpty())
            shell::ThrowFileError(QStringLiteral("read"), path, reason);
        platform::rtf::CopyDocument(imported, document);
    }
    RichEdit1->moveCursor(QTextCursor::Start);
    RichEdit1->setFocus();
    showSelectionAttributes();
}

void THypEntryForm::selectAllText()
{
    RichEdit1->selectAll();
    RichEdit1->setFocus();
}

void THypEntryForm::clearAllText()
{
    RichEdit1->clear();
    RichEdit1->setCurrentCharFormat(platform::rtf::DefaultPageCharFormat());
    RichEdit1->setFocus();
    showSelectionAttributes();
}

void THypEntryForm::designLayout()
{
    {
        shell::HideWhile hidden(this);
        const QStringList lines = platform::rtf::RtfLines(*RichEdit1->document());
        if (m_mode == 2)
            design::DesignPageBackground(m_record, lines, m_directory, this);
        else
            design::AdjustTextPageWindow(m_record, lines, m_designOrigin, this);
    }
    RichEdit1->setFocus();
}

void THypEntryForm::showSelectionAttributes()
{
    if (m_showing)
        return;
    m_showing = true;
    const QTextDocument* document = RichEdit1->document();
    const QFont defaultFont = document->defaultFont();
    const QColor defaultText = RichEdit1->palette().color(QPalette::Text);
    Uniform<QString> family;
    Uniform<double> size;
    Uniform<bool> bold;
    Uniform<bool> italic;
    Uniform<QRgb> color;
    const auto add = [&](const QTextCharFormat& format) {
        const QStringList families = format.fontFamilies().toStringList();
        family.add(families.isEmpty() ? defaultFont.family() : families.first());
        size.add(format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                : defaultFont.pointSizeF());
        bold.add(format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                             : defaultFont.bold());
        italic.add(format.fontItalic());
        color.add(format.foreground().style() == Qt::NoBrush ? defaultText.rgb()
                                                             : format.foreground().color().rgb());
    };

    const QTextCursor cursor = RichEdit1->textCursor();
    if (!cursor.hasSelection()) {
        add(RichEdit1->currentCharFormat());
    } else {
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.position() + fragment.length() <= start || fragment.position() >= end)
                    continue;
                add(fragment.charFormat());
            }
        }
        if (!family.value() && !bold.value() && !size.value())
            add(RichEdit1->currentCharFormat()); // a selection of paragraph ends only
    }

    BtnB->setChecked(bold.value().value_or(false));
    BtnI->setChecked(italic.value().value_or(false));
    ComboBox1->setCurrentIndex(family.value() ? ComboBox1->findText(*family.value(), Qt::MatchFixedString)
                                              : -1);
    ComboBox2->setEditText(size.value() ? QString::number(*size.value()) : QString());
    if (color.value())
        ComboBox3->selectColor(QColor::fromRgb(*color.value()));
    else
        ComboBox3->selectColor(std::nullopt);
    m_showing = false;
}

void THypEntryForm::viewPage()
{
    if (!m_viewer)
        return;
    const QStringList text = platform::rtf::RtfLines(*RichEdit1->document());
    try {
        shell::HideWhile hidden(this);
        m_viewer(m_mode, m_record, text);
    } catch (const shell::Error& error) {
        shell::ShowError(error.message());
    }
    RichEdit1->setFocus();
}

bool EditPage(storage::TopicDisplayRecord& record, QStringList& pageText, int mode, QWidget* parent,
              PageViewer viewer, const shell::AppState* state, const QString& topicName)
{
    THypEntryForm form(record, pageText, mode, parent, std::move(viewer), state);
    if (state)
        new shell::DraftKeeper(&form, state->WorkingDirectory, QStringLiteral("page"),
                               [topicName] { return topicName; },
                               [&form] { return form.pageText().join(QLatin1Char('\n')); });
    if (form.exec() != QDialog::Accepted)
        return false;
    record = form.record();
    if (form.hasText())
        pageText = form.pageText();
    return true;
}

} // namespace authoring

#include "authoring/thypmenuform.h"

#include "authoring/filepickers.h"
#include "authoring/texechoiceform.h"
#include "authoring/thypentryform.h"
#include "authoring/tnotefileform.h"
#include "authoring/windowmediaactions.h"
#include "runtime/windowscreens.h"
#include "platform/f1filter.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/operationframe.h"
#include "shell/utilities.h"
#include "storage/topicflows.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace authoring {

namespace {

constexpr int kRows = 9;

struct RowInfo
{
    int type;
    const char* caption;
};

// Row n (1 to 9) is RadioButtonn / Buttonn.
constexpr RowInfo kRowInfo[kRows] = {
    {kTypeText, " Text Only"},
    {kTypeGraphic, " Graphic Only"},
    {kTypeWave, " Voice Only"},
    {kTypeProgram, " Executable"},
    {kTypeGraphicText, " Graphic and Text"},
    {kTypeGraphicSound, " Graphic and Sound"},
    {kTypeVideo, " Video Player"},
    {kTypeMidi, " MIDI Player"},
    {kTypeNotes, "K.R.T. NotePad"},
};

const QStringList kGraphicPatterns = {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")};

} // namespace

int RowType(int row)
{
    return row >= 1 && row <= kRows ? kRowInfo[row - 1].type : kNoType;
}

int RowOfType(int type)
{
    if (type == kTypeWindowsProgram || type == kTypeHtml)
        return 4;
    for (int row = 1; row <= kRows; ++row) {
        if (kRowInfo[row - 1].type == type)
            return row;
    }
    return 0;
}

THypMenuForm::THypMenuForm(const TopicEntry& entry, const Setup& setup, QString& currentTopicTitle,
                           QWidget* parent)
    : QDialog(parent), m_entry(entry), m_setup(setup), m_title(currentTopicTitle)
{
    setObjectName(QStringLiteral("THypMenuForm"));
    setWindowTitle(QStringLiteral("Press F1 for Help"));
    platform::SetHelpContext(this, setup.helpContext);
    createControls();
    createLayout();

    if (m_entry.editMode) {
        Edit1->setText(m_entry.oldName);
        m_title = m_entry.oldName;
    }
    checkRadioOf(m_entry.selectedType);
    updateAddButtons();
    Edit1->setFocus();
}

void THypMenuForm::createControls()
{
    // The label and group read "Menu Entry" and " Select Topic type " whichever way the dialog opens.
    Label1 = new QLabel(QStringLiteral("Menu Entry"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(kMaxTopicNameLength);
    // Room for a whole name of the longest length.
    Edit1->setMinimumWidth(
        Edit1->fontMetrics().horizontalAdvance(QString(kMaxTopicNameLength, QLatin1Char('n'))) + 16);
    Label1->setBuddy(Edit1);
    Edit1->installEventFilter(this);

    GroupBox1 = new QGroupBox(QStringLiteral(" Select Topic type "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    for (int row = 1; row <= kRows; ++row) {
        auto* radio = new QRadioButton(QString::fromLatin1(kRowInfo[row - 1].caption), GroupBox1);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(row));
        auto* add = new QPushButton(QStringLiteral("Add"), GroupBox1);
        add->setObjectName(QStringLiteral("Button%1").arg(row));
        connect(radio, &QRadioButton::toggled, this, [this, row](bool on) {
            if (on)
                radioChecked(row);
        });
        connect(add, &QPushButton::clicked, this, [this, row] { addClicked(row); });
        m_radios.append(radio);
        m_adds.append(add);
    }

    OKBtn = new QPushButton(QStringLiteral("&Save"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &THypMenuForm::saveClicked);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void THypMenuForm::createLayout()
{
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(Edit1, 1);

    auto* grid = new QGridLayout(GroupBox1);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(6);
    // Two columns of types, rows 1 to 5 and 6 to 9, each radio button with its "Add" beside it. A
    // radio button takes clicks on its circle and caption only, so it keeps its own width and the
    // "Add" buttons line up after the longest caption of their column.
    constexpr int kFirstColumnRows = 5;
    for (int i = 0; i < kRows; ++i) {
        const int line = i < kFirstColumnRows ? i : i - kFirstColumnRows;
        const int column = i < kFirstColumnRows ? 0 : 3;
        grid->addWidget(m_radios[i], line, column, Qt::AlignLeft);
        grid->addWidget(m_adds[i], line, column + 1);
    }
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(nameRow);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* THypMenuForm::radio(int row) const
{
    return row >= 1 && row <= kRows ? m_radios[row - 1] : nullptr;
}

QPushButton* THypMenuForm::addButton(int row) const
{
    return row >= 1 && row <= kRows ? m_adds[row - 1] : nullptr;
}

void THypMenuForm::checkRadioOf(int type)
{
    // Checking the radio button of a loaded Topic must not turn 9 or 10 into the 4 of its row.
    m_loading = true;
    const int row = RowOfType(type);
    // A type code this dialog does not make leaves the first row checked, as the dialog opens.
    (row > 0 ? radio(row) : radio(1))->setChecked(true);
    m_loading = false;
}

void THypMenuForm::radioChecked(int row)
{
    if (!m_loading)
        m_entry.selectedType = RowType(row);
    updateAddButtons();
}

void THypMenuForm::updateAddButtons()
{
    for (int i = 0; i < kRows; ++i)
        m_adds[i]->setEnabled(m_radios[i]->isChecked());
}

QWidget* THypMenuForm::subParent() const
{
    // This dialog is out of sight while a sub-dialog is open; the sub-dialog centres on our parent.
    return parentWidget();
}

void THypMenuForm::addClicked(int row)
{
    {
        const shell::HideWhile hidden(this);
        switch (RowType(row)) {
        case kTypeText:
            addPage(kTypeText);
            break;
        case kTypeGraphic:
            addGraphic();
            break;
        case kTypeWave:
            addWave();
            break;
        case kTypeProgram:
            addProgram();
            break;
        case kTypeGraphicText:
            addPage(kTypeGraphicText);
            break;
        case kTypeGraphicSound:
            addGraphicSound();
            break;
        case kTypeVideo:
            addVideo();
            break;
        case kTypeMidi:
            addMidi();
            break;
        case kTypeNotes:
            addNotes();
            break;
        default:
            break;
        }
    }
    Edit1->setFocus();
}

void THypMenuForm::addPage(int type)
{
    // A page of the entry dialog is never full screen; a text-only page has no designed screen.
    m_entry.record.FullScreen = false;
    if (type == kTypeText)
        m_entry.record.BackgroundKind = 0;
    // The page windows take their caption from the current Topic title: the name typed so far.
    PageViewer viewer;
    if (m_setup.pageViewer)
        viewer = [this](int mode, const storage::TopicDisplayRecord& record, const QStringList& text) {
            m_title = Edit1->text().trimmed();
            m_setup.pageViewer(mode, record, text);
        };
    if (EditPage(m_entry.record, m_entry.pageText, type == kTypeText ? 1 : 2, subParent(), viewer, m_setup.state,
                 Edit1->text().trimmed()))
        m_entry.chosenType = type;
}

void THypMenuForm::addGraphic()
{
    const QString file = KeepOrPropose(m_setup.directory, m_entry.graphicFile, kGraphicPatterns);
    const auto choice =
        PickGraphic(m_setup.directory, file, m_entry.duration, m_title, m_setup.actions, subParent());
    if (!choice)
        return;
    m_entry.chosenType = kTypeGraphic;
    m_entry.graphicFile = choice->file;
    m_entry.duration = choice->duration;
    m_entry.commandValue = choice->value;
}

void THypMenuForm::addWave()
{
    const QString file = KeepOrPropose(m_setup.directory, m_entry.waveFile, {QStringLiteral("*.wav")});
    const auto value = PickWave(m_setup.directory, file, m_setup.actions, subParent());
    if (!value)
        return;
    m_entry.chosenType = kTypeWave;
    m_entry.waveFile = *value;
    m_entry.commandValue = *value;
}

void THypMenuForm::addGraphicSound()
{
    const QString graphic = KeepOrPropose(m_setup.directory, m_entry.graphicFile, kGraphicPatterns);
    const QString sound = KeepOrPropose(m_setup.directory, m_entry.soundFile,
                                        {QStringLiteral("*.wav"), QStringLiteral("*.mid")});
    const auto choice = PickGraphicAndSound(m_setup.directory, graphic, sound, m_entry.duration, m_title,
                                            m_setup.actions, subParent());
    if (!choice)
        return;
    m_entry.chosenType = kTypeGraphicSound;
    m_entry.graphicFile = choice->graphic;
    m_entry.soundFile = choice->sound;
    m_entry.duration = choice->duration;
    m_entry.commandValue = choice->value;
}

void THypMenuForm::addProgram()
{
    ProgramChoice current;
    current.type = m_entry.chosenType;
    current.programCommand = m_entry.programCommand;
    current.commandValue = m_entry.commandValue;
    const auto choice = ChooseProgramKind(current, m_setup.directory, m_setup.actions, subParent());
    if (!choice)
        return;
    m_entry.chosenType = choice->type;
    m_entry.selectedType = choice->type;
    m_entry.programCommand = choice->programCommand;
    m_entry.commandValue = choice->commandValue;
}

void THypMenuForm::addVideo()
{
    const QString file = KeepOrPropose(m_setup.directory, m_entry.videoFile, {QStringLiteral("*.avi")});
    const auto value = PickVideo(m_setup.directory, file, m_setup.actions, subParent());
    if (!value)
        return;
    m_entry.chosenType = kTypeVideo;
    m_entry.videoFile = *value;
    m_entry.commandValue = *value;
}

void THypMenuForm::addMidi()
{
    const QString file = KeepOrPropose(m_setup.directory, m_entry.midiFile, {QStringLiteral("*.mid")});
    const auto value = PickMidi(m_setup.directory, file, m_setup.actions, subParent());
    if (!value)
        return;
    m_entry.chosenType = kTypeMidi;
    m_entry.midiFile = *value;
    m_entry.commandValue = *value;
}

void THypMenuForm::addNotes()
{
    // A notes Topic needs no file to be saved, so the type counts as given at once.
    m_entry.chosenType = kTypeNotes;
    QString value = m_entry.commandValue;
    if (EditNotesFileName(value, subParent()))
        m_entry.commandValue = value;
}

bool THypMenuForm::checkName()
{
    const QString name = Edit1->text();
    if (name.isEmpty())
        return true;
    bool inUse = false;
    try {
        inUse = storage::EntryNameInUse(m_setup.store, name, m_entry.oldName, storage::kTopicKind);
    } catch (const shell::Error& error) {
        // A store that cannot be read cannot vouch for the name.
        shell::ShowError(error.message());
        Edit1->setFocus();
        return false;
    }
    if (inUse) {
        shell::ShowError(NameInUseMessage(name));
        Edit1->setFocus();
        return false;
    }
    m_title = name;
    return true;
}

bool THypMenuForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut && !m_checking) {
        // Only a move to another control of this dialog is a leaving of the field: not another
        // window taking the focus (a sub-dialog, a message box). "&Save" runs the same check on
        // the field's text itself, and "&Cancel" writes nothing, so neither needs it here.
        QWidget* next = QApplication::focusWidget();
        if (next && next != Edit1 && next != OKBtn && next != CancelBtn && isAncestorOf(next)) {
            m_checking = true;
            checkName();
            m_checking = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void THypMenuForm::saveClicked()
{
    if (Edit1->text().isEmpty()) {
        shell::ShowError(NoNameMessage(Label1->text()));
        Edit1->setFocus();
        return;
    }
    // The name is checked again on the text as it stands now, so a refused name is never
    // written, however the field was left or "&Save" was reached.
    m_checking = true;
    const bool nameAccepted = checkName();
    m_checking = false;
    if (!nameAccepted)
        return;
    const SaveDecision decision = DecideSave(m_entry, m_title);
    if (decision.kind == SaveDecision::Refuse) {
        shell::ShowError(decision.message);
        return;
    }
    if (decision.kind == SaveDecision::StayOpen)
        return;
    if (m_setup.commit) {
        try {
            m_setup.commit(decision.save);
        } catch (const shell::Error& error) {
            // The store is as it was; the author keeps the Topic in the dialog.
            shell::ShowError(error.message());
            return;
        }
    }
    m_saved = decision.save;
    accept();
}

std::optional<TopicSave> EnterTopic(const TopicEntry& entry, const THypMenuForm::Setup& setup,
                                    QString& currentTopicTitle, QWidget* parent)
{
    THypMenuForm form(entry, setup, currentTopicTitle, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.saved();
}

namespace {

THypMenuForm::Setup MakeSetup(const QString& store, int helpContext, shell::AppState& state, QWidget* parent)
{
    THypMenuForm::Setup setup;
    setup.store = store;
    setup.directory = state.WorkingDirectory;
    setup.helpContext = helpContext;
    setup.actions = WindowMediaActions(state, parent);
    setup.state = &state;
    setup.pageViewer = [&state, parent](int mode, const storage::TopicDisplayRecord& record, const QStringList& text) {
        runtime::ViewEditedPage(mode, record, text, state, parent);
    };
    setup.commit = [store](const TopicSave& save) { WriteTopic(store, save); };
    return setup;
}

} // namespace

bool AddTopic(const QString& store, int helpContext, shell::AppState& state, QWidget* parent)
{
    return EnterTopic(TopicEntry(), MakeSetup(store, helpContext, state, parent), state.CurrentTopicTitle,
                      parent)
        .has_value();
}

bool EditTopic(const QString& store, int helpContext, shell::AppState& state, QWidget* parent)
{
    const QString name = storage::SelectEntryName(
        store, storage::kTopicKind, QStringLiteral("Select an Entry to edit"), helpContext, 0, parent);
    if (name.isEmpty())
        return false;
    QStringList extracted;
    if (!storage::ExtractEntry(store, name, storage::kTopicKind, extracted))
        return false;
    return EnterTopic(LoadTopicEntry(extracted), MakeSetup(store, helpContext, state, parent),
                      state.CurrentTopicTitle, parent)
        .has_value();
}

} // namespace authoring

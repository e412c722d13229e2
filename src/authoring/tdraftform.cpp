#include "authoring/tdraftform.h"

#include "authoring/topicentry.h"
#include "platform/f1filter.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"
#include "runtime/notesfile.h"
#include "shell/appstate.h"
#include "shell/filenames.h"
#include "shell/utilities.h"
#include "shell/history.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace authoring {

namespace {

constexpr int kHelpContext = 195;

bool IsNotes(const shell::Draft& draft)
{
    return draft.kind == QLatin1String("notes");
}

bool IsIntro(const shell::Draft& draft)
{
    return draft.kind == QLatin1String("intro");
}

QString WhatText(const shell::Draft& draft)
{
    if (IsIntro(draft))
        return QStringLiteral("the introduction");
    if (IsNotes(draft))
        return QStringLiteral("the notes file \"%1\"").arg(shell::FileNameOf(draft.owner));
    return draft.owner.isEmpty() ? QStringLiteral("a new Topic") : QStringLiteral("the Topic \"%1\"").arg(draft.owner);
}

// The page of a notes draft: its lines as a text page.
QStringList PageLines(const shell::Draft& draft)
{
    if (!IsNotes(draft))
        return draft.text.split(QLatin1Char('\n'));
    QTextDocument document;
    document.setPlainText(draft.text);
    return platform::rtf::RtfLines(document);
}

QString UnusedName(const QString& store, const QString& wanted)
{
    QString name = wanted;
    for (int n = 2; storage::EntryNameInUse(store, name, QString(), storage::kTopicKind); ++n)
        name = wanted + QStringLiteral(" %1").arg(n);
    return name;
}

} // namespace

QString DraftPlainText(const shell::Draft& draft)
{
    if (IsNotes(draft))
        return draft.text;
    QTextDocument document;
    platform::rtf::LoadRtfLines(draft.text.split(QLatin1Char('\n')), &document);
    return document.toPlainText();
}

TDraftForm::TDraftForm(const shell::Draft& draft, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TDraftForm"));
    setWindowTitle(QStringLiteral("Unsaved Work Found"));
    platform::SetHelpContext(this, kHelpContext);
    createControls(draft);
    createLayout();
    resize(560, 360);
}

void TDraftForm::createControls(const shell::Draft& draft)
{
    InfoLbl = new QLabel(QStringLiteral("Quorvel stopped on %1 while %2 was being edited. This is the text as "
                                        "it stood then. What should become of it?")
                             .arg(shell::VersionTimeText(draft.time), WhatText(draft)),
                         this);
    InfoLbl->setObjectName(QStringLiteral("InfoLbl"));
    InfoLbl->setWordWrap(true);
    DraftMemo = new QPlainTextEdit(DraftPlainText(draft), this);
    DraftMemo->setObjectName(QStringLiteral("DraftMemo"));
    DraftMemo->setReadOnly(true);

    const QString its = IsIntro(draft)  ? QStringLiteral("Bring Back as the &Introduction")
                        : IsNotes(draft) ? QStringLiteral("Bring Back into its &Notes File")
                                         : QStringLiteral("Bring Back as its &Topic");
    AsTopicBtn = new QPushButton(its, this);
    AsTopicBtn->setObjectName(QStringLiteral("AsTopicBtn"));
    AsTopicBtn->setDefault(true);
    // A notes draft of an editor that had no file yet has nowhere of its own to go.
    AsTopicBtn->setEnabled(!IsNotes(draft) || !draft.owner.isEmpty());
    NewTopicBtn = new QPushButton(QStringLiteral("Bring Back as a &New Topic"), this);
    NewTopicBtn->setObjectName(QStringLiteral("NewTopicBtn"));
    DiscardBtn = new QPushButton(QStringLiteral("&Discard"), this);
    DiscardBtn->setObjectName(QStringLiteral("DiscardBtn"));

    connect(AsTopicBtn, &QPushButton::clicked, this, [this] { choose(DraftChoice::AsItsTopic); });
    connect(NewTopicBtn, &QPushButton::clicked, this, [this] { choose(DraftChoice::AsNewTopic); });
    connect(DiscardBtn, &QPushButton::clicked, this, [this] { choose(DraftChoice::Discard); });
}

void TDraftForm::createLayout()
{
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AsTopicBtn);
    buttons->addWidget(NewTopicBtn);
    buttons->addStretch();
    buttons->addWidget(DiscardBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(InfoLbl);
    layout->addWidget(DraftMemo, 1);
    layout->addLayout(buttons);
}

void TDraftForm::choose(DraftChoice choice)
{
    m_choice = choice;
    accept();
}

void BringBackDraft(const shell::Draft& draft, DraftChoice choice, const shell::AppState& state)
{
    if (choice == DraftChoice::Later)
        return;
    const QString store = state.resolve(state.TopicStorePath);
    const QStringList lines = PageLines(draft);
    if (choice == DraftChoice::AsItsTopic && IsIntro(draft)) {
        QStringList old;
        if (storage::ReadIntroText(store, old))
            storage::ReplaceIntroEntry(store, lines);
        else
            storage::AppendIntroEntry(store, lines);
    } else if (choice == DraftChoice::AsItsTopic && IsNotes(draft)) {
        // The file keeps its line breaks and character set.
        runtime::NotesText notes;
        if (QFile::exists(draft.owner))
            notes = runtime::ReadNotesFile(draft.owner);
        notes.text = draft.text;
        runtime::WriteNotesFile(draft.owner, notes);
    } else if (choice == DraftChoice::AsItsTopic && !draft.owner.isEmpty() &&
               storage::EntryNameInUse(store, draft.owner, QString(), storage::kTopicKind)) {
        // The Topic keeps its type and design; only its page comes back.
        QStringList entry;
        storage::ExtractEntry(store, draft.owner, storage::kTopicKind, entry);
        storage::TopicDisplayRecord record;
        QStringList ignored;
        storage::ParsePageEntry(entry, record, ignored);
        const int type = EntryTypeCode(entry);
        storage::ReplacePageEntry(store, draft.owner, draft.owner, storage::kTopicKind, lines, record,
                                  type == kTypeGraphicText ? type : kTypeText);
    } else if (choice != DraftChoice::Discard) {
        const QString owner = IsIntro(draft)   ? QStringLiteral("Introduction")
                              : IsNotes(draft) ? shell::BaseName(draft.owner)
                                               : draft.owner;
        const QString wanted = owner.isEmpty() ? QStringLiteral("Recovered page")
                               : choice == DraftChoice::AsNewTopic ? owner + QStringLiteral(" (recovered)")
                                                                   : owner;
        storage::AppendPageEntry(store, UnusedName(store, wanted), kTypeText, storage::kTopicKind, lines,
                                 storage::TopicDisplayRecord());
    }
    QFile::remove(draft.path);
}

void OfferDrafts(const shell::AppState& state, QWidget* parent)
{
    for (const shell::Draft& draft : shell::ListDrafts(state.WorkingDirectory)) {
        TDraftForm form(draft, parent);
        form.exec();
        BringBackDraft(draft, form.choice(), state);
    }
}

} // namespace authoring
